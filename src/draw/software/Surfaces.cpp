// Making the software drawer's surfaces.
#include "draw/software/Surfaces.h"

SurfacePtr rgbaSurface(int width, int height)
{
    return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, redMask, greenMask, blueMask, alphaMask));
}

SurfacePtr surfaceLike(const SDL_PixelFormat* format, int width, int height)
{
    return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, format->Rmask, format->Gmask,
                                           format->Bmask, format->Amask));
}

bool sameMasks(const SDL_PixelFormat* a, const SDL_PixelFormat* b)
{
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
           a->Amask == b->Amask;
}
