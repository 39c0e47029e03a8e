// Single-colour pixel buffers for drawer tests.
#include "support/SolidImage.h"

unsigned char* solidImage(std::uint32_t width, std::uint32_t height, Rgba colour)
{
    auto* pixels = new unsigned char[width * height * 4];
    for (std::uint32_t i = 0; i < width * height; ++i) {
        pixels[i * 4 + 0] = static_cast<unsigned char>(colour.r);
        pixels[i * 4 + 1] = static_cast<unsigned char>(colour.g);
        pixels[i * 4 + 2] = static_cast<unsigned char>(colour.b);
        pixels[i * 4 + 3] = static_cast<unsigned char>(colour.a);
    }
    return pixels;
}
