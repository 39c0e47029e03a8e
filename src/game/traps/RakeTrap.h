// The rake: its handle flips up into the runner's face and knocks it down for 384, longest of all.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class RakeTrap : public Trap {
public:
    RakeTrap() : Trap(Sounds::Boing) {}

    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 3; }

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;
};
