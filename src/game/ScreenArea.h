// A rectangle of the 1024 by 768 screen that the player points at: a button, an icon, a picture.
// The screens test clicks against their areas, and a scripted player aims at their middles.
#pragma once

struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr int middleX() const { return x + width / 2; }
    constexpr int middleY() const { return y + height / 2; }
    // Inside, the edges left out.
    constexpr bool holds(int px, int py) const { return px > x && px < x + width && py > y && py < y + height; }
    // Inside or on an edge.
    constexpr bool covers(int px, int py) const { return px >= x && px <= x + width && py >= y && py <= y + height; }
};
