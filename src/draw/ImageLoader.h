// Decodes embedded PNG and JPEG data into the RGBA buffers the drawers take.
#pragma once

#include <cstdint>
#include <string>

struct LoadedImage {
    unsigned char* pixels = nullptr; // array new, width * height * 4 bytes; not owned by the record
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class ImageLoader {
public:
    // PNG or JPEG bytes in memory; 24-bit images get an opaque alpha. Null result on failure.
    LoadedImage loadImage(const unsigned char* data, std::uint32_t length);
    // An image file; only 32-bit images are accepted.
    LoadedImage loadImage(const std::string& path);
};
