// Area merging by what SDL charges for sending them to the window.
#include "draw/software/ScreenAreas.h"

#include <algorithm>
#include <cstddef>

namespace {

// Sending an area to the window costs SDL about as much as sending 1600 more pixels of it.
std::size_t sendingCost(const SDL_Rect& area)
{
    return 1600 + static_cast<std::size_t>(area.w) * area.h;
}

SDL_Rect boxAround(const SDL_Rect& a, const SDL_Rect& b)
{
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left),
                    static_cast<Uint16>(bottom - top)};
}

} // namespace

void ScreenAreas::add(const SDL_Rect& area)
{
    if (area.w > 0 && area.h > 0)
        areas.push_back(area);
}

void ScreenAreas::merge()
{
    std::vector<SDL_Rect> merged;
    for (const SDL_Rect& area : areas) {
        SDL_Rect current = area;
        for (bool grew = true; grew;) {
            grew = false;
            for (std::size_t i = 0; i < merged.size(); ++i) {
                const SDL_Rect joined = boxAround(current, merged[i]);
                if (sendingCost(joined) <= sendingCost(current) + sendingCost(merged[i])) {
                    current = joined;
                    merged[i] = merged.back();
                    merged.pop_back();
                    grew = true;
                    break;
                }
            }
        }
        merged.push_back(current);
    }
    areas.swap(merged);
}
