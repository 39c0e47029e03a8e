// The software drawer and the plain way of drawing (ReferenceSoftwareDrawer) on the one 1024 by 768
// screen surface that SDL's dummy video driver keeps in memory, read back pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "draw/EmbeddedGlyphs.h"
#include "draw/assets/Images.h"
#include "draw/software/SDLDrawer.h"
#include "support/ReferenceSoftwareDrawer.h"
#include "support/SolidImage.h"

// The colour of a screen pixel (alpha 255).
inline Rgba pixelAt(const SDL_Surface* screen, int x, int y)
{
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const unsigned char*>(screen->pixels) + y * screen->pitch + x * 4, 4);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, screen->format, &r, &g, &b);
    return Rgba{r, g, b, 255};
}

inline bool sameColour(Rgba a, Rgba b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The game's pictures, and two made here: a half see-through patch and an opaque one whose red
// is its source column times 3 and green its source row times 3.
struct Pictures {
    std::uint32_t background, title, track, hurdle, hurdler, wall, mine, bigMine, ghost, cursor, half, opaque;
};

inline Drawer::Pixels coordinateImage(std::uint32_t size)
{
    Drawer::Pixels pixels = solidImage(size, size, {0, 0, 7, 255});
    for (std::uint32_t i = 0; i < size * size; ++i) {
        pixels[i * 4 + 0] = static_cast<unsigned char>(i % size * 3);
        pixels[i * 4 + 1] = static_cast<unsigned char>(i / size * 3);
    }
    return pixels;
}

inline Pictures loadPictures(Drawer& into)
{
    using namespace Images;
    return Pictures{loadEmbedded(into, background_jpg, background_jpg_length),
                    loadEmbedded(into, title_png, title_png_length),
                    loadEmbedded(into, track_png, track_png_length),
                    loadEmbedded(into, hurdle_png, hurdle_png_length),
                    loadEmbedded(into, hurdler1_png, hurdler1_png_length),
                    loadEmbedded(into, wall_png, wall_png_length),
                    loadEmbedded(into, mineexplode_png, mineexplode_png_length),
                    loadEmbedded(into, bigmine_png, bigmine_png_length),
                    loadEmbedded(into, ghost_png, ghost_png_length),
                    loadEmbedded(into, mousearrow_png, mousearrow_png_length),
                    into.loadImage(solidImage(30, 20, {10, 200, 90, 100}), 30, 20),
                    into.loadImage(coordinateImage(50), 50, 50)};
}

class SoftwareScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        drawer = std::make_unique<SDLDrawer>();
        ASSERT_TRUE(drawer->initialise(800, 600, false, 0)); // opens 1024 by 768 all the same
        reference = std::make_unique<ReferenceSoftwareDrawer>();
        ASSERT_TRUE(reference->initialise(1024, 768, false, 0));
        screen = SDL_GetVideoSurface();
        ASSERT_NE(screen, nullptr);
    }
    void TearDown() override
    {
        reference.reset();
        drawer.reset();
        SDL_Quit();
    }

    // The glyphs and pictures into both drawers.
    void loadIntoBoth()
    {
        loadEmbeddedGlyphs(*drawer);
        loadEmbeddedGlyphs(*reference);
        mine = loadPictures(*drawer);
        plain = loadPictures(*reference);
    }
    // The value of `forDrawer` for the software drawer, of `forReference` for the plain one.
    template <typename T> T& pick(const Drawer& d, T& forDrawer, T& forReference) const
    {
        return &d == drawer.get() ? forDrawer : forReference;
    }
    const Pictures& picturesOf(const Drawer& d) const { return pick(d, mine, plain); }

    // Draws the scene on the same noisy screen the plain way and through SDLDrawer and expects the
    // very same bytes.
    void expectSameAsPlainDrawing(const std::function<void(Drawer&)>& scene, std::uint32_t seed)
    {
        fillNoise(screen, seed);
        scene(*reference);
        const std::vector<unsigned char> expected = screenBytes(screen);
        fillNoise(screen, seed);
        scene(*drawer);
        const std::vector<unsigned char> actual = screenBytes(screen);
        const auto first = std::mismatch(expected.begin(), expected.end(), actual.begin()).first - expected.begin();
        EXPECT_EQ(first, static_cast<std::ptrdiff_t>(expected.size()))
            << "first difference at x " << (first % screen->pitch) / 4 << ", y " << first / screen->pitch;
    }

    std::unique_ptr<SDLDrawer> drawer;
    std::unique_ptr<ReferenceSoftwareDrawer> reference;
    SDL_Surface* screen = nullptr;
    Pictures mine{};
    Pictures plain{};
};
