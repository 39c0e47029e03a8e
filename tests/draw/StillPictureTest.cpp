// The software drawer keeps the first calls that frames repeat as a still picture and sends only
// what is drawn over it to the window. Frame after frame it must still leave exactly the bytes the
// plain way of drawing leaves, and every pixel that changed must lie in an area it sent.
#include <SDL/SDL.h>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "draw/SoftwareScreen.h"
#include "support/CaptureStdout.h"
#include "support/RealGame.h"

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

// Frame `n` of a made-up race with everything the still must cope with: a steady start, a runner
// and a wall that move every frame, a hurdle in the middle of the steady calls that is knocked and
// stood up again, a count that changes every seventh frame, a cursor that stops and starts, a stretch of
// shorter frames, a stretch on another background, and a scaled picture.
void drawFrame(Drawer& d, const Pictures& p, int n)
{
    const bool otherScreen = n >= 70 && n < 85;
    d.drawImage(otherScreen ? p.title : p.background, 0, 0);
    if (otherScreen) {
        d.drawText("press start", 300, 400, 32.0f, 0, 0, 0, 1);
        return;
    }
    d.drawImage(p.track, 0, 64);
    if (n >= 50 && n < 60)
        return; // a frame shorter than the still
    for (int lane = 0; lane < 8; ++lane) {
        const bool knocked = lane == 3 && n >= 30 && n < 40;
        d.drawImage(p.hurdle, 500 + lane * 20 + (knocked ? 15 : 0), 250 + lane * 45);
    }
    d.drawText("points " + std::to_string(n / 7), 10, 10, 24.0f, 0, 0, 0, 1);
    d.drawImage(p.half, static_cast<std::int16_t>(700 - n), 300, 1.5f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    d.drawImage(p.hurdler, 100 + 3 * n, 400);
    d.drawImage(p.wall, -200 + 2 * n, 150);
    d.drawImage(p.cursor, n < 20 ? 600 : 600 + (n % 30), 500);
}

using StillPictureTest = SoftwareScreenTest;

} // namespace

TEST_F(StillPictureTest, EveryFrameHasThePlainDrawingsBytesAndEveryChangedPixelIsSent)
{
    loadIntoBoth();
    const auto frame = [this](Drawer& d, int n) {
        d.beginDrawing();
        drawFrame(d, picturesOf(d), n);
        d.endDrawing();
    };
    // Both drawers share the one screen surface, which starts as noise. Each frame is drawn by the
    // plain drawer and kept; the screen then gets back what it held before, what the software
    // drawer left there last frame, as SDL keeps it between frames, and the software drawer draws
    // the same frame on that. Every pixel it changed must lie in an area it sent to the window.
    int partialFrames = 0;
    std::size_t longestStill = 0;
    fillNoise(screen, 1000);
    std::vector<unsigned char> before = screenBytes(screen);
    for (int n = 0; n < 120; ++n) {
        if (n == 95) {
            // Pictures come and go: the id of a released picture may come back as another one.
            for (Drawer* d : std::initializer_list<Drawer*>{drawer.get(), reference.get()}) {
                Pictures& p = pick(*d, mine, plain);
                d->releaseImage(p.hurdle);
                p.hurdle = loadEmbedded(*d, Images::hurdleover_png, Images::hurdleover_png_length);
            }
        }
        // Something outside the game spoiled the window: all of it goes with the next frame.
        const bool exposed = n == 70;
        if (exposed)
            drawer->windowExposed();
        std::copy(before.begin(), before.end(), static_cast<unsigned char*>(screen->pixels));
        frame(*reference, n);
        const std::vector<unsigned char> expected = screenBytes(screen);
        std::copy(before.begin(), before.end(), static_cast<unsigned char*>(screen->pixels));
        frame(*drawer, n);
        const std::vector<unsigned char> after = screenBytes(screen);
        ASSERT_EQ(after, expected) << "frame " << n;
        if (!drawer->lastShowedWholeWindow()) {
            ++partialFrames;
            EXPECT_EQ(changedOutside(before, after, screen, drawer->lastShownAreas()), 0u) << "frame " << n;
        }
        EXPECT_TRUE(!exposed || drawer->lastShowedWholeWindow()) << "frame " << n;
        longestStill = std::max(longestStill, drawer->stillCallCount());
        before = after;
    }
    // Only the first frame, the other screen (its picture has see-through pixels, so it cannot stand
    // for the whole window), the way back, the new picture and the exposure needed the whole
    // window: 18 frames. The frames that rebuilt the still, or were drawn in full before there was
    // one, sent only what changed.
    EXPECT_EQ(partialFrames, 120 - 18);
    // The still grew to hold the background, the track and every hurdle.
    EXPECT_GE(longestStill, 10u);
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
    game.afterFrame = [&] {
        const std::vector<unsigned char> after = screenBytes(window);
        if (!game.drawer().lastShowedWholeWindow()) {
            ++partialFrames;
            missed += changedOutside(before, after, window, game.drawer().lastShownAreas());
        }
        before = after;
        ++frames;
    };
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
