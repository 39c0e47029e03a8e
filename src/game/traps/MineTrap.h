// The mine: kills the runner that steps on it.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class MineTrap : public Trap {
public:
    void trigger(Hurdler* runner) override;
    void draw(Drawer* drawer, bool placing) override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

private:
    float blast = 2.0f;
};
