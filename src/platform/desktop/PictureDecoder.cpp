// SDL_image decodes; the surface is copied row by row through its pitch into packed RGBA, so
// decoders that pad rows are handled too.
#include "platform/PictureDecoder.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <cstring>

namespace {

DecodedPicture fromSurface(SDL_Surface* surface)
{
    DecodedPicture result;
    if (surface == nullptr)
        return result;
    if (surface->w <= 0 || surface->h <= 0 || static_cast<std::uint32_t>(surface->w) > PictureDecoder::largestSide ||
        static_cast<std::uint32_t>(surface->h) > PictureDecoder::largestSide) {
        SDL_FreeSurface(surface);
        return result;
    }
    SDL_LockSurface(surface);
    result.bytesPerPixel = surface->format->BytesPerPixel;
    result.width = static_cast<std::uint32_t>(surface->w);
    result.height = static_cast<std::uint32_t>(surface->h);
    if (result.bytesPerPixel == 3 || result.bytesPerPixel == 4) {
        const std::size_t width = result.width;
        result.rgba.reset(new unsigned char[width * result.height * 4]);
        const auto* in = static_cast<const unsigned char*>(surface->pixels);
        for (std::size_t row = 0; row < result.height; ++row) {
            const unsigned char* src = in + row * static_cast<std::size_t>(surface->pitch);
            unsigned char* dst = result.rgba.get() + row * width * 4;
            if (result.bytesPerPixel == 4) {
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
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return result;
}

} // namespace

DecodedPicture PictureDecoder::fromMemory(const unsigned char* data, std::uint32_t length, const char* type)
{
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(length));
    if (stream == nullptr)
        return {};
    return fromSurface(IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type)));
}

DecodedPicture PictureDecoder::fromFile(const std::string& path)
{
    return fromSurface(IMG_Load(path.c_str()));
}
