// Pixel buffers for drawer tests.
#include "support/SolidImage.h"

#include <cstring>

#include "draw/ImageLoader.h"
#include "support/CaptureStdout.h"

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

std::uint32_t loadEmbedded(Drawer& drawer, const unsigned char* data, unsigned int length)
{
    CaptureStdout quiet; // the background's 24-bit line
    LoadedImage image = ImageLoader().loadImage(data, length);
    return drawer.loadImage(std::move(image.pixels), image.width, image.height);
}

std::vector<unsigned char> screenBytes(const SDL_Surface* screen)
{
    const auto* bytes = static_cast<const unsigned char*>(screen->pixels);
    return std::vector<unsigned char>(bytes, bytes + screen->pitch * screen->h);
}

void fillNoise(SDL_Surface* screen, std::uint32_t seed)
{
    auto* bytes = static_cast<unsigned char*>(screen->pixels);
    for (int i = 0; i < screen->pitch * screen->h; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = static_cast<unsigned char>(seed >> 24);
    }
}
