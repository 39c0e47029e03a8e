// Decodes embedded PNG and JPEG data into the RGBA buffers the drawers take.
#pragma once

#include <cstdint>
#include <string>

#include "draw/Drawer.h"

struct LoadedImage {
    Drawer::Pixels pixels; // width * height * 4 bytes, null when the picture could not be decoded
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
