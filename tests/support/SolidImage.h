// Pixel buffers for drawer tests: single colours, copies of what a drawer was handed, the game's
// own pictures, and the bytes of the software drawer's screen.
#pragma once

#include <SDL/SDL.h>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/Drawer.h"

struct Rgba {
    int r, g, b, a;
};

Drawer::Pixels solidImage(std::uint32_t width, std::uint32_t height, Rgba colour);
// A copy of `bytes` bytes of `pixels`; null for null.
Drawer::Pixels copyOf(const unsigned char* pixels, std::size_t bytes);
// One of the pictures compiled into the game (`Images::name_png`), loaded into `drawer` quietly.
std::uint32_t loadEmbedded(Drawer& drawer, const unsigned char* data, unsigned int length);
// Every byte of the screen, the unused one of each pixel included.
std::vector<unsigned char> screenBytes(const SDL_Surface* screen);
// Overwrites every byte of the screen from a fixed sequence that `seed` starts.
void fillNoise(SDL_Surface* screen, std::uint32_t seed);
