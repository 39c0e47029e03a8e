// Emscripten's SDL turns the window's blur and the page's visibility into SDL 2's window event,
// never into SDL 1's active event.
#include "platform/WindowFocus.h"

namespace WindowFocus {

bool lostBy(const SDL_Event& event)
{
    return event.type == SDL_WINDOWEVENT &&
           (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || event.window.event == SDL_WINDOWEVENT_HIDDEN);
}

} // namespace WindowFocus
