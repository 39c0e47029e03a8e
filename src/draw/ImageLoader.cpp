// SDL_image does the decoding; this copies the surface into a tightly packed RGBA buffer.
#include "draw/ImageLoader.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstring>
#include <iostream>
#include <memory>

namespace {

// Four times the window's width: no picture of the game comes near it. A damaged header asking for
// more would take seconds and gigabytes to decode and copy.
constexpr std::uint32_t largestSide = 4096;

// Copies row by row through the surface's pitch, so decoders that pad rows are handled too.
Drawer::Pixels copyPixels(SDL_Surface* surface, int bytesPerPixel)
{
    const auto width = static_cast<std::size_t>(surface->w);
    const auto height = static_cast<std::size_t>(surface->h);
    auto out = std::make_unique_for_overwrite<unsigned char[]>(width * height * 4);
    const auto* in = static_cast<const unsigned char*>(surface->pixels);
    for (std::size_t row = 0; row < height; ++row) {
        const unsigned char* src = in + row * static_cast<std::size_t>(surface->pitch);
        unsigned char* dst = out.get() + row * width * 4;
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
    if (surface->w <= 0 || surface->h <= 0 || static_cast<std::uint32_t>(surface->w) > largestSide ||
        static_cast<std::uint32_t>(surface->h) > largestSide) {
        SDL_FreeSurface(surface);
        return result;
    }
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

std::uint32_t bigEndian(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

constexpr unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool isPng(const unsigned char* data, std::uint32_t length)
{
    return length >= sizeof pngSignature && std::memcmp(data, pngSignature, sizeof pngSignature) == 0;
}

bool isJpeg(const unsigned char* data, std::uint32_t length)
{
    return length >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// SDL_image hands libpng whatever a short read leaves behind, so a chunk that claims to run past
// the end of the data can keep it reading for minutes. Pictures whose every chunk lies inside the
// data, with a header of a sensible size first, are passed on.
bool pngIsWhole(const unsigned char* data, std::uint32_t length)
{
    std::uint64_t at = sizeof pngSignature;
    bool first = true;
    while (at + 12 <= length) {
        const std::uint32_t size = bigEndian(data + at);
        const unsigned char* type = data + at + 4;
        if (at + 12 + size > length)
            return false;
        if (first) {
            if (std::memcmp(type, "IHDR", 4) != 0 || size < 8)
                return false;
            const std::uint32_t width = bigEndian(data + at + 8);
            const std::uint32_t height = bigEndian(data + at + 12);
            if (width == 0 || height == 0 || width > largestSide || height > largestSide)
                return false;
            first = false;
        }
        if (std::memcmp(type, "IEND", 4) == 0)
            return true;
        at += 12 + static_cast<std::uint64_t>(size);
    }
    return false;
}

// libjpeg allocates and decodes whatever the frame header asks for, up to 65535 by 65535. The
// segments are walked as the decoder walks them, up to the frame header, whose sides must be
// sensible; a JPEG that reaches its image data without one, or breaks off first, is refused.
bool jpegSidesSensible(const unsigned char* data, std::uint32_t length)
{
    std::uint64_t at = 2;
    while (at + 4 <= length) {
        if (data[at] != 0xFF)
            return false;
        const unsigned char marker = data[at + 1];
        if (marker == 0xFF) { // padding before a marker
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // markers without a segment
            at += 2;
            continue;
        }
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (at + 9 > length)
                return false;
            const std::uint32_t height = static_cast<std::uint32_t>(data[at + 5]) << 8 | data[at + 6];
            const std::uint32_t width = static_cast<std::uint32_t>(data[at + 7]) << 8 | data[at + 8];
            return width != 0 && height != 0 && width <= largestSide && height <= largestSide;
        }
        if (marker == 0xDA || marker == 0xD9) // image data or the end, and still no frame header
            return false;
        at += 2 + (static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3]);
    }
    return false;
}

} // namespace

LoadedImage ImageLoader::loadImage(const unsigned char* data, std::uint32_t length)
{
    // Every embedded picture is a PNG or a JPEG. Nothing else reaches SDL_image's other decoders,
    // some of which allocate whatever a few header bytes ask for before finding the data missing.
    if (data == nullptr)
        return {};
    const char* type = nullptr;
    if (isPng(data, length) && pngIsWhole(data, length))
        type = "PNG";
    else if (isJpeg(data, length) && jpegSidesSensible(data, length))
        type = "JPG";
    if (type == nullptr)
        return {};
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(length));
    if (stream == nullptr)
        return {};
    return fromSurface(IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type)), true);
}

LoadedImage ImageLoader::loadImage(const std::string& path)
{
    return fromSurface(IMG_Load(path.c_str()), false);
}
