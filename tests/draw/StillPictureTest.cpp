// The software drawer keeps the first calls that frames repeat as a still picture and sends only
// what is drawn over it to the window. Frame after frame it must still leave exactly the bytes the
// plain way of drawing leaves, and every pixel that changed must lie in an area it sent.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "draw/EmbeddedGlyphs.h"
#include "draw/assets/Images.h"
#include "draw/software/SDLDrawer.h"
#include "game/screens/GamePlay.h"
#include "support/CaptureStdout.h"
#include "support/RealGame.h"
#include "support/ReferenceSoftwareDrawer.h"
#include "support/SolidImage.h"

namespace {

// The number of pixels that differ between two screens and lie outside every shown area.
std::size_t changedOutside(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after,
                           const SDL_Surface* screen, const std::vector<SDL_Rect>& areas)
{
    std::vector<bool> shown(static_cast<std::size_t>(screen->w * screen->h), false);
    for (const SDL_Rect& area : areas)
        for (int y = area.y; y < area.y + area.h && y < screen->h; ++y)
            for (int x = area.x; x < area.x + area.w && x < screen->w; ++x)
                shown[static_cast<std::size_t>(y * screen->w + x)] = true;
    std::size_t count = 0;
    for (int y = 0; y < screen->h; ++y) {
        const std::size_t row = static_cast<std::size_t>(y * screen->pitch);
        if (std::memcmp(&before[row], &after[row], static_cast<std::size_t>(screen->w) * 4) == 0)
            continue;
        for (int x = 0; x < screen->w; ++x)
            if (std::memcmp(&before[row + x * 4u], &after[row + x * 4u], 4) != 0 &&
                !shown[static_cast<std::size_t>(y * screen->w + x)])
                ++count;
    }
    return count;
}

struct Pictures {
    std::uint32_t background = 0, title = 0, track = 0, hurdle = 0, hurdler = 0, wall = 0, cursor = 0, patch = 0;
};

Pictures loadPictures(Drawer& drawer)
{
    Pictures p;
    p.background = loadEmbedded(drawer, Images::background_jpg, Images::background_jpg_length);
    p.title = loadEmbedded(drawer, Images::title_png, Images::title_png_length);
    p.track = loadEmbedded(drawer, Images::track_png, Images::track_png_length);
    p.hurdle = loadEmbedded(drawer, Images::hurdle_png, Images::hurdle_png_length);
    p.hurdler = loadEmbedded(drawer, Images::hurdler1_png, Images::hurdler1_png_length);
    p.wall = loadEmbedded(drawer, Images::wall_png, Images::wall_png_length);
    p.cursor = loadEmbedded(drawer, Images::mousearrow_png, Images::mousearrow_png_length);
    p.patch = drawer.loadImage(solidImage(40, 30, {200, 40, 40, 160}), 40, 30);
    return p;
}

// Frame `n` of a made-up race with everything the still must cope with: a steady start, a runner
// and a wall that move every frame, a hurdle in the middle of the steady calls that is knocked and
// stood up again, a count that changes every seventh frame, a cursor that stops and starts, a stretch of
// shorter frames, a stretch on another background, and a scaled picture.
void drawFrame(Drawer& d, const Pictures& p, int n)
{
    const float one = 1.0f;
    const bool otherScreen = n >= 70 && n < 85;
    d.drawImage(otherScreen ? p.title : p.background, 0, 0, one, one, one, one, one, one);
    if (otherScreen) {
        d.drawText("press start", 300, 400, 32.0f, 0, 0, 0, 1);
        return;
    }
    d.drawImage(p.track, 0, 64, one, one, one, one, one, one);
    if (n >= 50 && n < 60)
        return; // a frame shorter than the still
    for (int lane = 0; lane < 8; ++lane) {
        const bool knocked = lane == 3 && n >= 30 && n < 40;
        d.drawImage(p.hurdle, static_cast<std::int16_t>(500 + lane * 20 + (knocked ? 15 : 0)),
                    static_cast<std::int16_t>(250 + lane * 45), one, one, one, one, one, one);
    }
    d.drawText("points " + std::to_string(n / 7), 10, 10, 24.0f, 0, 0, 0, 1);
    d.drawImage(p.patch, static_cast<std::int16_t>(700 - n), 300, 1.5f, 2.0f, one, one, one, one);
    d.drawImage(p.hurdler, static_cast<std::int16_t>(100 + 3 * n), 400, one, one, one, one, one, one);
    d.drawImage(p.wall, static_cast<std::int16_t>(-200 + 2 * n), 150, one, one, one, one, one, one);
    const int cursorX = n < 20 ? 600 : 600 + (n % 30);
    d.drawImage(p.cursor, static_cast<std::int16_t>(cursorX), 500, one, one, one, one, one, one);
}

class StillPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        drawer = std::make_unique<SDLDrawer>();
        ASSERT_TRUE(drawer->initialise(1024, 768, false, 0));
        reference = std::make_unique<ReferenceSoftwareDrawer>();
        ASSERT_TRUE(reference->initialise(1024, 768, false, 0));
        screen = SDL_GetVideoSurface();
        loadEmbeddedGlyphs(*drawer);
        loadEmbeddedGlyphs(*reference);
        mine = loadPictures(*drawer);
        plain = loadPictures(*reference);
    }
    void TearDown() override
    {
        reference.reset();
        drawer.reset();
        SDL_Quit();
    }
    void frame(Drawer& d, const Pictures& p, int n)
    {
        d.beginDrawing();
        drawFrame(d, p, n);
        d.endDrawing();
    }

    std::unique_ptr<SDLDrawer> drawer;
    std::unique_ptr<ReferenceSoftwareDrawer> reference;
    SDL_Surface* screen = nullptr;
    Pictures mine;
    Pictures plain;
};

} // namespace

TEST_F(StillPictureTest, EveryFrameHasThePlainDrawingsBytes)
{
    // Both drawers share the one screen surface, which starts as noise. Each frame is drawn by the
    // plain drawer and kept; the screen then gets back what it held before, what the software
    // drawer left there last frame, as SDL keeps it between frames, and the software drawer draws
    // the same frame on that.
    int framesOnTheStill = 0;
    std::size_t longestStill = 0;
    fillNoise(screen, 1000);
    std::vector<unsigned char> mineBefore = screenBytes(screen);
    for (int n = 0; n < 120; ++n) {
        if (n == 95) {
            // Pictures come and go: the id of a released picture may come back as another one.
            drawer->releaseImage(mine.hurdle);
            reference->releaseImage(plain.hurdle);
            mine.hurdle = loadEmbedded(*drawer, Images::hurdleover_png, Images::hurdleover_png_length);
            plain.hurdle = loadEmbedded(*reference, Images::hurdleover_png, Images::hurdleover_png_length);
        }
        std::copy(mineBefore.begin(), mineBefore.end(), static_cast<unsigned char*>(screen->pixels));
        frame(*reference, plain, n);
        const std::vector<unsigned char> expected = screenBytes(screen);
        std::copy(mineBefore.begin(), mineBefore.end(), static_cast<unsigned char*>(screen->pixels));
        frame(*drawer, mine, n);
        mineBefore = screenBytes(screen);
        ASSERT_EQ(mineBefore, expected) << "frame " << n;
        framesOnTheStill += drawer->lastShowedWholeWindow() ? 0 : 1;
        longestStill = std::max(longestStill, drawer->stillCallCount());
    }
    // The still was really used, and grew to hold the background, the track and every hurdle.
    EXPECT_GT(framesOnTheStill, 60);
    EXPECT_GE(longestStill, 10u);
}

TEST_F(StillPictureTest, EveryPixelThatChangedLiesInAnAreaSentToTheWindow)
{
    frame(*drawer, mine, 0);
    std::vector<unsigned char> before = screenBytes(screen);
    int partialFrames = 0;
    for (int n = 1; n < 120; ++n) {
        if (n == 95) {
            drawer->releaseImage(mine.hurdle);
            mine.hurdle = loadEmbedded(*drawer, Images::hurdleover_png, Images::hurdleover_png_length);
        }
        // Something outside the game spoiled the window: all of it goes with the next frame.
        const bool exposed = n == 70;
        if (exposed)
            drawer->windowExposed();
        frame(*drawer, mine, n);
        const std::vector<unsigned char> after = screenBytes(screen);
        if (!drawer->lastShowedWholeWindow()) {
            ++partialFrames;
            EXPECT_EQ(changedOutside(before, after, screen, drawer->lastShownAreas()), 0u) << "frame " << n;
        }
        EXPECT_TRUE(!exposed || drawer->lastShowedWholeWindow()) << "frame " << n;
        before = after;
    }
    // Only the other screen (its picture has see-through pixels, so it cannot stand for the whole
    // window), the way back, the new picture and the exposure needed the whole window: 17 frames.
    // The frames that rebuilt the still, or were drawn in full before there was one, sent only
    // what changed.
    EXPECT_EQ(partialFrames, 119 - 17);
}

TEST(StillPictureGame, ARealRaceSendsEveryChangedPixel)
{
    // The whole game on the software drawer: the title, a placement and a race run to its end.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    CaptureStdout quiet;
    RealGame game;
    SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_NE(window, nullptr);
    std::vector<unsigned char> before = screenBytes(window);
    std::size_t missed = 0;
    int partialFrames = 0;
    int frames = 0;
    auto check = [&] {
        const std::vector<unsigned char> after = screenBytes(window);
        if (!game.drawer().lastShowedWholeWindow()) {
            ++partialFrames;
            missed += changedOutside(before, after, window, game.drawer().lastShownAreas());
        }
        before = after;
        ++frames;
    };
    game.afterFrame = check;
    game.player().frames(30);
    game.startRace();
    game.runRace(3000);
    game.player().frames(60);
    // The window uncovered by another one, as SDL reports it: the next frame shows all of it.
    SDL_Event exposure{};
    exposure.type = SDL_VIDEOEXPOSE;
    ASSERT_EQ(SDL_PushEvent(&exposure), 0);
    game.step();
    EXPECT_TRUE(game.drawer().lastShowedWholeWindow());
    EXPECT_EQ(missed, 0u);
    EXPECT_GT(partialFrames, frames / 2) << "of " << frames;
}
