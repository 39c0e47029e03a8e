// SDL's active event: the pointer leaving the window is no loss of focus, only the keyboard's
// focus and the window itself (minimised) count.
#include "platform/WindowFocus.h"

namespace WindowFocus {

bool lostBy(const SDL_Event& event)
{
    return event.type == SDL_ACTIVEEVENT && event.active.gain == 0 &&
           (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
}

} // namespace WindowFocus
