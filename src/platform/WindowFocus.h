// Whether a window event means the player has turned away from the game: on the desktop SDL's
// active event (the input focus lost, or the window minimised), in the browser the window event
// Emscripten's SDL sends for a hidden page or a canvas that lost the focus.
#pragma once

#include <SDL/SDL.h>

namespace WindowFocus {

bool lostBy(const SDL_Event& event);

} // namespace WindowFocus
