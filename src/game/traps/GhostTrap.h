// The ghost on a stick: pops up in front of a runner and scares it down for 256.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class GhostTrap : public Trap {
public:
    GhostTrap() : Trap(Sounds::Ghost) {}

    void step() override;
    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 3; }

    int getShowLeft() const { return showLeft; }
    float effectLeft() const override { return static_cast<float>(showLeft); }

    // Steps for which a ghost that has fired stays in sight.
    static constexpr int showSteps = 96;

    static SharedImageSlot image;

protected:
    void strike(Hurdler* runner) override;

private:
    int showLeft = 0;
    bool shown = false;
};
