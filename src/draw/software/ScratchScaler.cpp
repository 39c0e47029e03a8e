// The game's own nearest-neighbour scaler, pixel for pixel as it has always scaled.
#include "draw/software/ScratchScaler.h"

ScratchScaler::ScratchScaler()
{
    scratchPixels.reset(std::calloc(static_cast<std::size_t>(scratchSize) * scratchSize, 4));
    matchScratchTo(nullptr);
}

// Samples at the top-left of each destination pixel's source area with the step accumulated in
// double precision. Pixels are copied as raw 32-bit values; the accumulated steps can produce one
// column or row more than asked for, which is written only where the target has room.
void ScratchScaler::scaleInto(SDL_Surface* source, SDL_Surface* target, int width, int height)
{
    const double stepX = static_cast<double>(source->w) / width;
    const double stepY = static_cast<double>(source->h) / height;
    SDL_LockSurface(target);
    SDL_LockSurface(source);
    const auto* from = static_cast<const unsigned char*>(source->pixels);
    auto* to = static_cast<unsigned char*>(target->pixels);
    int j = 0;
    for (double sy = 0.0; sy < source->h && j < target->h; sy += stepY, ++j) {
        const auto* sourceRow = reinterpret_cast<const Uint32*>(from + static_cast<int>(sy) * source->pitch);
        auto* targetRow = reinterpret_cast<Uint32*>(to + j * target->pitch);
        int i = 0;
        for (double sx = 0.0; sx < source->w && i < target->w; sx += stepX, ++i)
            targetRow[i] = sourceRow[static_cast<int>(sx)];
    }
    SDL_UnlockSurface(source);
    SDL_UnlockSurface(target);
}

void ScratchScaler::matchScratchTo(const SDL_PixelFormat* format)
{
    if (scratch && format != nullptr && sameMasks(scratch->format, format))
        return;
    if (!scratchPixels)
        return;
    // Until a picture tells otherwise, the scratch surface takes the RGBA order of the buffers.
    const Uint32 red = format != nullptr ? format->Rmask : redMask;
    const Uint32 green = format != nullptr ? format->Gmask : greenMask;
    const Uint32 blue = format != nullptr ? format->Bmask : blueMask;
    const Uint32 alpha = format != nullptr ? format->Amask : alphaMask;
    scratch.reset();
    scratch = SurfacePtr(SDL_CreateRGBSurfaceFrom(scratchPixels.get(), scratchSize, scratchSize, 32, scratchSize * 4,
                                                  red, green, blue, alpha));
}

SDL_Surface* ScratchScaler::scale(SDL_Surface* source, std::uint16_t width, std::uint16_t height)
{
    if (source->w == width && source->h == height)
        return source;
    if (source->format->BytesPerPixel != 4)
        return nullptr;
    // Raw pixels are copied, so the scratch surface must read them as the source does: the
    // converted pictures are in the display's order of channels, not in the buffers' RGBA.
    matchScratchTo(source->format);
    if (!scratch)
        return nullptr;
    if (width > 0 && height > 0)
        scaleInto(source, scratch.get(), width, height);
    return scratch.get();
}
