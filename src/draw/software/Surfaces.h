// SDL surfaces owned by the software drawer, and the few ways it makes them.
#pragma once

#include <SDL/SDL.h>
#include <memory>

struct FreeSurface {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, FreeSurface>;

// The RGBA byte order of the drawer's pixel buffers, read as 32-bit pixels on a little-endian machine.
constexpr Uint32 redMask = 0x000000FFu;
constexpr Uint32 greenMask = 0x0000FF00u;
constexpr Uint32 blueMask = 0x00FF0000u;
constexpr Uint32 alphaMask = 0xFF000000u;

// A cleared surface in the buffers' RGBA order; null when SDL cannot make it.
SurfacePtr rgbaSurface(int width, int height);
// A cleared 32-bit surface with the channel masks of `format`.
SurfacePtr surfaceLike(const SDL_PixelFormat* format, int width, int height);
bool sameMasks(const SDL_PixelFormat* a, const SDL_PixelFormat* b);
