// The big mine: kills the runner that sets it off and every ordinary hurdler within 75 of it.
#pragma once

#include <span>

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class BigMineTrap : public Trap {
public:
    // The blast reaches the race screen's hurdlers, which outlive the trap.
    explicit BigMineTrap(std::span<Hurdler> hurdlers) : Trap(Sounds::Explosion), hurdlers(hurdlers) {}

    void draw(Drawer* drawer, bool placing) override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }

    static constexpr float radius = 75.0f;

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;

private:
    float blast = 0.0f;
    std::span<Hurdler> hurdlers;
};
