// Plain software drawing: wrap, convert, scale pixel by pixel into a 2048 by 2048 scratch
// surface, blit with per-pixel alpha.
#include "support/ReferenceSoftwareDrawer.h"

namespace {
constexpr Uint32 redMask = 0x000000FFu;
constexpr Uint32 greenMask = 0x0000FF00u;
constexpr Uint32 blueMask = 0x00FF0000u;
constexpr Uint32 alphaMask = 0xFF000000u;
constexpr int scratchSize = 2048;

SDL_Surface* convert(unsigned char* pixels, std::uint32_t width, std::uint32_t height)
{
    SDL_Surface* wrapper =
        SDL_CreateRGBSurfaceFrom(pixels, static_cast<int>(width), static_cast<int>(height), 32,
                                 static_cast<int>(width * 4), redMask, greenMask, blueMask, alphaMask);
    SDL_Surface* converted = SDL_DisplayFormatAlpha(wrapper);
    SDL_FreeSurface(wrapper);
    return converted;
}
} // namespace

ReferenceSoftwareDrawer::ReferenceSoftwareDrawer()
{
    for (SDL_Surface*& glyph : glyphs)
        glyph = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 32, redMask, greenMask, blueMask, alphaMask);
}

ReferenceSoftwareDrawer::~ReferenceSoftwareDrawer()
{
    for (auto& entry : images)
        SDL_FreeSurface(entry.second);
    for (SDL_Surface* glyph : glyphs)
        SDL_FreeSurface(glyph);
    SDL_FreeSurface(scratch);
}

bool ReferenceSoftwareDrawer::initialise(std::uint16_t, std::uint16_t, bool, int)
{
    const SDL_Surface* open = SDL_GetVideoSurface();
    if ((open == nullptr || open->w != 1024 || open->h != 768) && SDL_SetVideoMode(1024, 768, 0, 0) == nullptr)
        return false;
    // The scratch surface takes the converted pictures' format, so copied pixels keep their colours.
    unsigned char one[4] = {0, 0, 0, 0};
    SDL_Surface* sample = convert(one, 1, 1);
    scratch = SDL_CreateRGBSurface(SDL_SWSURFACE, scratchSize, scratchSize, 32, sample->format->Rmask,
                                   sample->format->Gmask, sample->format->Bmask, sample->format->Amask);
    SDL_FreeSurface(sample);
    return true;
}

std::uint32_t ReferenceSoftwareDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels)
        return 0;
    while (images.count(nextId) != 0)
        ++nextId;
    images[nextId] = convert(pixels.get(), width, height);
    return nextId;
}

void ReferenceSoftwareDrawer::releaseImage(std::uint32_t id)
{
    const auto found = images.find(id);
    if (found == images.end())
        return;
    SDL_FreeSurface(found->second);
    images.erase(found);
}

void ReferenceSoftwareDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    if (!pixels)
        return;
    SDL_FreeSurface(glyphs[glyph]);
    glyphs[glyph] = convert(pixels.get(), size, size);
}

void ReferenceSoftwareDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY,
                                        float, float, float, float)
{
    const auto found = images.find(id);
    if (found == images.end())
        return;
    SDL_Surface* image = found->second;
    const auto width = static_cast<std::uint16_t>(image->w * scaleX);
    const auto height = static_cast<std::uint16_t>(image->h * scaleY);
    SDL_Surface* source = scaleImage(image, width, height);
    SDL_Rect from{0, 0, width, height};
    SDL_Rect to{x, y, 0, 0};
    SDL_UpperBlit(source, &from, SDL_GetVideoSurface(), &to);
}

void ReferenceSoftwareDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float,
                                       float, float, float)
{
    float pen = x;
    for (const char c : text) {
        const int glyph = glyphFor(c);
        if (glyph >= 0) {
            const auto cell = static_cast<std::uint16_t>(static_cast<int>(size));
            SDL_Surface* source = scaleImage(glyphs[static_cast<std::size_t>(glyph)], cell, cell);
            SDL_Rect from{0, 0, cell, cell};
            SDL_Rect to{static_cast<Sint16>(static_cast<int>(pen)), y, 0, 0};
            SDL_UpperBlit(source, &from, SDL_GetVideoSurface(), &to);
        }
        pen += size;
    }
}

SDL_Surface* ReferenceSoftwareDrawer::scaleImage(SDL_Surface* source, std::uint16_t width, std::uint16_t height)
{
    if (source->w == width && source->h == height)
        return source;
    const double stepX = static_cast<double>(source->w) / width;
    const double stepY = static_cast<double>(source->h) / height;
    SDL_LockSurface(scratch);
    SDL_LockSurface(source);
    const auto* from = static_cast<const Uint32*>(source->pixels);
    auto* to = static_cast<Uint32*>(scratch->pixels);
    int j = 0;
    for (double sy = 0.0; sy < source->h; sy += stepY, ++j) {
        int i = 0;
        for (double sx = 0.0; sx < source->w; sx += stepX, ++i)
            to[j * scratchSize + i] = from[static_cast<int>(sy) * source->w + static_cast<int>(sx)];
    }
    SDL_UnlockSurface(source);
    SDL_UnlockSurface(scratch);
    return scratch;
}
