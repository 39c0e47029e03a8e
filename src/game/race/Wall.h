// The player's wall: grinds up the track half a unit a step, crushing the runners it reaches,
// and ends the race when it gets to the far end.
#pragma once

#include "draw/ImageSlot.h"

class Drawer;

class Wall {
public:
    Wall();

    // One step of the race; true once the wall has reached the far end.
    bool move();
    void resetPosition();
    void draw(Drawer* drawer) const;

    float getX() const { return x; }
    float getY() const { return y; }
    int getGrindDelay() const { return grindDelay; }

private:
    // The wall's own picture, given back to the drawer when the wall goes.
    ImageSlot image;
    float x = 105.0f;
    float y = 425.0f;
    int grindDelay = 0;
};
