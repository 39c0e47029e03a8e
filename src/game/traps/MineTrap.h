// The mine: kills the runner that steps on it.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class MineTrap : public Trap {
public:
    MineTrap() : Trap(Sounds::Explosion) {}

    // The starburst shrinks by a twentieth every step once the mine has gone off.
    void step() override;
    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }
    float effectLeft() const override { return blast; }

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;

private:
    float blast = 2.0f;
    // The starburst's size this step; 0 is none.
    float shownBlast = 0.0f;
};
