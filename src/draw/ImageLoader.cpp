// Only whole PNG and JPEG pictures of a sensible size reach the target's decoder; this turns what it
// gives into the drawers' record, with the same lines on every target.
#include "draw/ImageLoader.h"

#include "platform/PictureDecoder.h"

#include <cstring>
#include <iostream>
#include <memory>

namespace {

// Four times the window's width: no picture of the game comes near it. A damaged header asking for
// more would take seconds and gigabytes to decode and copy.
constexpr std::uint32_t largestSide = PictureDecoder::largestSide;

LoadedImage fromDecoded(DecodedPicture decoded, bool accept24Bit)
{
    LoadedImage result;
    if (decoded.width == 0)
        return result;
    if (decoded.bytesPerPixel == 4 || (decoded.bytesPerPixel == 3 && accept24Bit)) {
        if (decoded.bytesPerPixel == 3)
            std::cout << "ImageLoader: Image 24bit.  Assuming 24bit RGB format." << std::endl;
        result.pixels = std::move(decoded.rgba);
        result.width = decoded.width;
        result.height = decoded.height;
    } else {
        std::cout << "ImageLoader: Image not 32bits." << std::endl;
    }
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
    return fromDecoded(PictureDecoder::fromMemory(data, length, type), true);
}

LoadedImage ImageLoader::loadImage(const std::string& path)
{
    return fromDecoded(PictureDecoder::fromFile(path), false);
}
