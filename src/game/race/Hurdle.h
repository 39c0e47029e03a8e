// One of the forty hurdles: five per lane, each shiftable once per placement phase by half a
// stride, and knocked over by the runners and the wall.
#pragma once

#include "draw/ImageSlot.h"

class Drawer;

class Hurdle {
public:
    // The part of its picture, from the corner, by which a hurdle is picked up.
    static constexpr int width = 40;
    static constexpr int height = 35;

    void setLane(int newLane) { lane = newLane; }
    // Sets the hurdle and its home; whether it was toppled or moved is kept.
    void initPosition(int newX, int newY);
    // Follows the pointer while dragged (snap false); on the drop (snap true) the home takes one
    // step along the lane and the result says whether that cost a point.
    bool setPosition(int newX, int newY, bool snap);
    void topple() { toppled = true; }
    // Before each placement phase: standing again, and free to be shifted once more.
    void unTopple();
    void draw(Drawer* drawer) const;

    int getLane() const { return lane; }
    int getX() const { return x; }
    int getY() const { return y; }
    int getHomeX() const { return homeX; }
    int getHomeY() const { return homeY; }
    bool isToppled() const { return toppled; }
    bool isMoved() const { return moved; }

    static SharedImageSlot hurdleImage;
    static SharedImageSlot hurdleOverImage;

private:
    int lane = 0;
    int x = 512;
    int y = 384;
    bool toppled = false;
    int homeX = 512;
    int homeY = 384;
    bool moved = false;
};
