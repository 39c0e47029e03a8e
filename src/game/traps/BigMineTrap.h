// The big mine: kills the runner that sets it off and every ordinary hurdler within 75 of it.
#pragma once

#include "draw/ImageSlot.h"
#include "game/traps/Trap.h"

class BigMineTrap : public Trap {
public:
    // `hurdlers` is the first of the race screen's eight hurdlers, which lie one after another.
    explicit BigMineTrap(Hurdler* hurdlers) : hurdlers(hurdlers) {}

    void trigger(Hurdler* runner) override;
    void draw(Drawer* drawer, bool placing) override;
    int getCost() const override { return 10; }

    float getBlast() const { return blast; }

    static constexpr int hurdlerCount = 8;
    static constexpr float radius = 75.0f;

    static SharedImageSlot imageUp;
    static SharedImageSlot imageDown;

private:
    float blast = 0.0f;
    Hurdler* hurdlers; // borrowed from the race screen
};
