// Mud: slows the runner to a sixteenth of its pace for a while.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class MudTrap : public Trap {
public:
    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 2; }

    static SharedImageSlot image;

protected:
    void strike(Hurdler* runner) override;
};
