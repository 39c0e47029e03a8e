// Pixel buffers for drawer tests.
#include "support/SolidImage.h"

#include <cstring>

Drawer::Pixels solidImage(std::uint32_t width, std::uint32_t height, Rgba colour)
{
    auto pixels = std::make_unique<unsigned char[]>(static_cast<std::size_t>(width) * height * 4);
    for (std::uint32_t i = 0; i < width * height; ++i) {
        pixels[i * 4 + 0] = static_cast<unsigned char>(colour.r);
        pixels[i * 4 + 1] = static_cast<unsigned char>(colour.g);
        pixels[i * 4 + 2] = static_cast<unsigned char>(colour.b);
        pixels[i * 4 + 3] = static_cast<unsigned char>(colour.a);
    }
    return pixels;
}

Drawer::Pixels copyOf(const unsigned char* pixels, std::size_t bytes)
{
    if (pixels == nullptr)
        return nullptr;
    auto copy = std::make_unique<unsigned char[]>(bytes);
    std::memcpy(copy.get(), pixels, bytes);
    return copy;
}
