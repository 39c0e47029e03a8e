// Turns PNG and JPEG bytes into tightly packed RGBA pixels: SDL_image on Linux, stb_image in the
// browser, where SDL_image cannot hand back pixels. The checks around it and the lines the player
// sees are ImageLoader's, the same on both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct DecodedPicture {
    // width * height * 4 bytes; null when nothing was decoded or the picture has no 3 or 4 bytes a pixel.
    std::unique_ptr<unsigned char[]> rgba;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // What the picture held: 4, 3 (given an opaque alpha), or another count, which has no pixels.
    int bytesPerPixel = 0;
};

namespace PictureDecoder {

// Pictures with a side longer than this are refused undecoded or uncopied.
constexpr std::uint32_t largestSide = 4096;

// `type` is "PNG" or "JPG", already checked against the data.
DecodedPicture fromMemory(const unsigned char* data, std::uint32_t length, const char* type);
DecodedPicture fromFile(const std::string& path);

} // namespace PictureDecoder
