// Nearest-neighbour scaling for the software drawer, into one large scratch surface it keeps, so
// that a picture drawn at another size costs no allocation.
#pragma once

#include <SDL/SDL.h>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "draw/software/Surfaces.h"

class ScratchScaler {
public:
    static constexpr int scratchSize = 2048;

    ScratchScaler();

    // The source itself when it already has that size, else the scratch surface holding a
    // nearest-neighbour copy in its top-left width by height pixels, valid until the next call.
    // Null for a source that is not 32-bit.
    SDL_Surface* scale(SDL_Surface* source, std::uint16_t width, std::uint16_t height);

    // Nearest-neighbour copy of `source` into the top-left width by height pixels of `target`.
    static void scaleInto(SDL_Surface* source, SDL_Surface* target, int width, int height);

private:
    // Makes the scratch surface describe its pixels like `format`, so raw copies keep their colours.
    void matchScratchTo(const SDL_PixelFormat* format);

    // The scratch surface's pixels, ours rather than SDL's: SDL clears a new surface, which would
    // make all 16 MiB resident, while fresh zeroed pages cost nothing until a scaled draw writes them.
    struct FreeBuffer {
        void operator()(void* buffer) const { std::free(buffer); }
    };
    std::unique_ptr<void, FreeBuffer> scratchPixels;
    SurfacePtr scratch;
};
