// SDL_image does the decoding; this copies the surface into a tightly packed RGBA buffer.
#include "draw/ImageLoader.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstring>
#include <iostream>

namespace {

// Copies row by row through the surface's pitch, so decoders that pad rows are handled too.
unsigned char* copyPixels(SDL_Surface* surface, int bytesPerPixel)
{
    const auto width = static_cast<std::size_t>(surface->w);
    const auto height = static_cast<std::size_t>(surface->h);
    auto* out = new unsigned char[width * height * 4];
    const auto* in = static_cast<const unsigned char*>(surface->pixels);
    for (std::size_t row = 0; row < height; ++row) {
        const unsigned char* src = in + row * static_cast<std::size_t>(surface->pitch);
        unsigned char* dst = out + row * width * 4;
        if (bytesPerPixel == 4) {
            std::memcpy(dst, src, width * 4);
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            dst[x * 4 + 0] = src[x * 3 + 0];
            dst[x * 4 + 1] = src[x * 3 + 1];
            dst[x * 4 + 2] = src[x * 3 + 2];
            dst[x * 4 + 3] = 255;
        }
    }
    return out;
}

LoadedImage fromSurface(SDL_Surface* surface, bool accept24Bit)
{
    LoadedImage result;
    if (surface == nullptr)
        return result;
    SDL_LockSurface(surface);
    const int bytesPerPixel = surface->format->BytesPerPixel;
    if (bytesPerPixel == 4 || (bytesPerPixel == 3 && accept24Bit)) {
        if (bytesPerPixel == 3)
            std::cout << "ImageLoader: Image 24bit.  Assuming 24bit RGB format." << std::endl;
        result.pixels = copyPixels(surface, bytesPerPixel);
        result.width = static_cast<std::uint32_t>(surface->w);
        result.height = static_cast<std::uint32_t>(surface->h);
    } else {
        std::cout << "ImageLoader: Image not 32bits." << std::endl;
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return result;
}

} // namespace

LoadedImage ImageLoader::loadImage(const unsigned char* data, std::uint32_t length)
{
    if (data == nullptr || length == 0)
        return {};
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(length));
    if (stream == nullptr)
        return {};
    return fromSurface(IMG_Load_RW(stream, 1), true);
}

LoadedImage ImageLoader::loadImage(const std::string& path)
{
    return fromSurface(IMG_Load(path.c_str()), false);
}
