// The boxing glove: a fist on a spring, hidden in the track, that knocks a runner back 75.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class BiffoTrap : public Trap {
public:
    BiffoTrap() : Trap(Sounds::Biffo) {}

    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 4; }

    static SharedImageSlot image;

protected:
    void strike(Hurdler* runner) override;
};
