// Put in front of SDL with LD_PRELOAD by the fault tests: a display on which no video mode at all
// can be set, neither OpenGL nor the software drawer's.
#include <SDL/SDL.h>

extern "C" SDL_Surface* SDL_SetVideoMode(int, int, int, Uint32)
{
    SDL_SetError("this display offers no video mode");
    return nullptr;
}
