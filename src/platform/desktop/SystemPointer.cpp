// SDL hides the pointer over the game's window.
#include "platform/SystemPointer.h"

#include <SDL/SDL.h>

void SystemPointer::hide()
{
    SDL_ShowCursor(SDL_DISABLE);
}
