// The big mine: kills the runner that sets it off and every ordinary hurdler within 75 of it.
#pragma once

#include <span>

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class BigMineTrap : public Trap {
public:
    // The blast reaches the race screen's hurdlers, which outlive the trap.
    explicit BigMineTrap(std::span<Hurdler> hurdlers) : Trap(Sounds::Explosion), hurdlers(hurdlers) {}

    // The cloud grows by a twentieth every step once the mine has gone off, up to twice its size.
    void step() override;
    void draw(Drawer* drawer, bool placing) const override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }
    float effectLeft() const override { return fullSize - blast; }

    static constexpr float radius = 75.0f;

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

protected:
    void strike(Hurdler* runner) override;

private:
    float blast = 0.0f;
    // The cloud's size this step; at its full size it is gone.
    float shownBlast = fullSize;
    static constexpr float fullSize = 2.0f;
    std::span<Hurdler> hurdlers;
};
