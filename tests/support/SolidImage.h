// Pixel buffers for drawer tests: single colours, and copies of what a drawer was handed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/Drawer.h"

struct Rgba {
    int r, g, b, a;
};

Drawer::Pixels solidImage(std::uint32_t width, std::uint32_t height, Rgba colour);
// A copy of `bytes` bytes of `pixels`; null for null.
Drawer::Pixels copyOf(const unsigned char* pixels, std::size_t bytes);
