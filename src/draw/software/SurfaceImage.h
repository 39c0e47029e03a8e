// One picture as the software drawer keeps it: converted once to the display's format, with what
// lets it be copied rather than blended wherever its pixels allow.
#pragma once

#include <SDL/SDL.h>
#include <cstdint>
#include <memory>
#include <vector>

#include "draw/software/Surfaces.h"

struct SurfaceImage {
    // A part of a picture with see-through pixels, drawn on its own: copied where every pixel is
    // opaque, blended by SDL where not. The wholly clear parts have no patch.
    struct Patch {
        SDL_Rect area;
        bool copy;
    };

    SurfacePtr surface;                      // the display's format with per-pixel alpha
    std::unique_ptr<unsigned char[]> pixels; // the RGBA buffer it was made from; null for a placeholder
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    // For a picture without a single see-through pixel: the same pixels described in the
    // screen's own format, so that drawing it at its natural size is a row copy, not a blend.
    SurfacePtr opaque;
    // For a large picture with see-through parts: its pixels without alpha, which the copied
    // patches come from, and the patches that together draw it as one blend would.
    SurfacePtr colours;
    std::vector<Patch> patches;

    // Converts a width by height RGBA buffer and keeps it; with a `screen`, also works out how to
    // copy it onto that screen. Without a display to convert to, the record has no surface.
    static SurfaceImage convert(std::unique_ptr<unsigned char[]> pixels, std::uint32_t width, std::uint32_t height,
                                const SDL_Surface* screen);
    // Cuts a picture with see-through pixels into bands of rows and each band into runs of columns
    // that are wholly opaque (copied), wholly clear (left out) or mixed (blended). Empty when the
    // patches would gain too little over a single blend.
    static std::vector<Patch> patchesOf(const unsigned char* rgba, int width, int height);
};
