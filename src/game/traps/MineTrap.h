// The mine: kills the runner that steps on it.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class MineTrap : public Trap {
public:
    MineTrap() : Trap(Sounds::Explosion) {}

    void draw(Drawer* drawer, bool placing) override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;

private:
    float blast = 2.0f;
};
