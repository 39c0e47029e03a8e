// The parts of the window a frame has to send or copy, kept as few boxes as sending them allows.
#pragma once

#include <SDL/SDL.h>
#include <vector>

class ScreenAreas {
public:
    // Areas without width or height are left out.
    void add(const SDL_Rect& area);
    // Joins areas wherever one box around them is cheaper to send than both: overlapping ones, and
    // small neighbours. A frame's few dozen areas become a handful, without sending the space
    // between far-apart ones.
    void merge();
    void clear() { areas.clear(); }

    bool empty() const { return areas.empty(); }
    const std::vector<SDL_Rect>& list() const { return areas; }
    std::vector<SDL_Rect>& list() { return areas; }

private:
    std::vector<SDL_Rect> areas;
};
