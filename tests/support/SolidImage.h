// Single-colour pixel buffers for drawer tests, allocated as the drawers expect (array new).
#pragma once

#include <cstdint>

struct Rgba {
    int r, g, b, a;
};

unsigned char* solidImage(std::uint32_t width, std::uint32_t height, Rgba colour);
