// Converting RGBA buffers into the software drawer's pictures, and cutting them into patches.
#include "draw/software/SurfaceImage.h"

#include <algorithm>
#include <utility>

namespace {

// Wraps an RGBA buffer without copying it and converts it to the display's format with
// per-pixel alpha; null when there is no display yet.
SurfacePtr displayFormat(unsigned char* pixels, std::uint32_t width, std::uint32_t height)
{
    SurfacePtr wrapper(SDL_CreateRGBSurfaceFrom(pixels, static_cast<int>(width), static_cast<int>(height), 32,
                                                static_cast<int>(width * 4), redMask, greenMask, blueMask, alphaMask));
    if (!wrapper)
        return nullptr;
    return SurfacePtr(SDL_DisplayFormatAlpha(wrapper.get()));
}

// The converted pixels read without their alpha byte, when a copy of them then writes what a
// blend of opaque pixels would; null when the screen's format does not allow it.
SurfacePtr colourView(SDL_Surface* converted, const SDL_Surface* screen)
{
    const SDL_PixelFormat* to = screen->format;
    const SDL_PixelFormat* from = converted->format;
    // Only where the screen's pixels are the converted ones without their alpha byte: then a
    // blend of a fully opaque pixel writes exactly the pixel, alpha byte included, and so does a copy.
    const bool copyable = to->BytesPerPixel == 4 && from->BytesPerPixel == 4 && to->Rmask == from->Rmask &&
                          to->Gmask == from->Gmask && to->Bmask == from->Bmask && to->Amask == 0 &&
                          from->Amask == alphaMask && (to->Rmask | to->Gmask | to->Bmask) == 0x00FFFFFFu;
    if (!copyable)
        return nullptr;
    return SurfacePtr(SDL_CreateRGBSurfaceFrom(converted->pixels, converted->w, converted->h, 32, converted->pitch,
                                               to->Rmask, to->Gmask, to->Bmask, 0));
}

bool allOpaque(const unsigned char* rgba, std::size_t count)
{
    for (std::size_t pixel = 0; pixel < count; ++pixel)
        if (rgba[pixel * 4 + 3] != 255)
            return false;
    return true;
}

} // namespace

SurfaceImage SurfaceImage::convert(std::unique_ptr<unsigned char[]> pixels, std::uint32_t width, std::uint32_t height,
                                   const SDL_Surface* screen)
{
    SurfaceImage image;
    SurfacePtr converted = displayFormat(pixels.get(), width, height);
    if (!converted)
        return image;
    if (SurfacePtr colours = screen != nullptr ? colourView(converted.get(), screen) : nullptr; colours) {
        if (allOpaque(pixels.get(), static_cast<std::size_t>(width) * height)) {
            image.opaque = std::move(colours);
        } else {
            image.patches = patchesOf(pixels.get(), static_cast<int>(width), static_cast<int>(height));
            if (!image.patches.empty())
                image.colours = std::move(colours);
        }
    }
    image.surface = std::move(converted);
    image.pixels = std::move(pixels);
    image.width = static_cast<std::uint16_t>(width);
    image.height = static_cast<std::uint16_t>(height);
    return image;
}

// A blit costs as much as blending a few dozen pixels, so short runs join the mixed ones around
// them, and a picture that would gain too little keeps its single blend (no patches).
std::vector<SurfaceImage::Patch> SurfaceImage::patchesOf(const unsigned char* rgba, int width, int height)
{
    constexpr int bandRows = 8;
    constexpr int shortestRun = 16;
    enum class Kind { Clear, Opaque, Mixed };
    std::vector<Patch> patches;
    // Patch corners are 16-bit, as SDL's are.
    if (width > 32767 || height > 32767)
        return patches;
    std::vector<Kind> columns(static_cast<std::size_t>(width));
    std::size_t blendedPixels = 0;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        for (int x = 0; x < width; ++x) {
            bool opaque = true;
            bool clear = true;
            for (int y = top; y < top + rows; ++y) {
                const unsigned char alpha = rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3];
                opaque = opaque && alpha == 255;
                clear = clear && alpha == 0;
            }
            columns[static_cast<std::size_t>(x)] = opaque ? Kind::Opaque : clear ? Kind::Clear : Kind::Mixed;
        }
        // Runs of one kind, the short opaque and clear ones turned mixed, then the neighbours merged.
        std::vector<std::pair<int, Kind>> runs; // first column and kind
        for (int x = 0; x < width; ++x)
            if (runs.empty() || runs.back().second != columns[static_cast<std::size_t>(x)])
                runs.emplace_back(x, columns[static_cast<std::size_t>(x)]);
        std::vector<std::pair<int, Kind>> merged;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int end = i + 1 < runs.size() ? runs[i + 1].first : width;
            const Kind kind =
                end - runs[i].first < shortestRun && end - runs[i].first < width ? Kind::Mixed : runs[i].second;
            if (merged.empty() || merged.back().second != kind)
                merged.emplace_back(runs[i].first, kind);
        }
        for (std::size_t i = 0; i < merged.size(); ++i) {
            const int end = i + 1 < merged.size() ? merged[i + 1].first : width;
            if (merged[i].second == Kind::Clear)
                continue;
            const bool copy = merged[i].second == Kind::Opaque;
            patches.push_back(Patch{SDL_Rect{static_cast<Sint16>(merged[i].first), static_cast<Sint16>(top),
                                             static_cast<Uint16>(end - merged[i].first), static_cast<Uint16>(rows)},
                                    copy});
            if (!copy)
                blendedPixels += static_cast<std::size_t>(end - merged[i].first) * rows;
        }
    }
    constexpr std::size_t pixelsPerBlit = 64;
    const std::size_t patchedCost = blendedPixels + patches.size() * pixelsPerBlit;
    if (patchedCost * 4 > static_cast<std::size_t>(width) * height * 3)
        patches.clear();
    return patches;
}
