// The spike pit: a trapdoor that opens under the runner and kills it.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class SpikesTrap : public Trap {
public:
    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 10; }

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;
};
