// Frame times of the software drawer against the plain way of drawing the same frames, under
// SDL's dummy video driver: the title view, the story view (thirteen lines of size-18 text), a
// frame of exploding mines, and a scripted race whose every frame both draw and are compared on.
// Prints milliseconds of CPU per frame.
#include <SDL/SDL.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "BenchStats.h"
#include "ReplayDrawer.h"
#include "game/screens/StateManager.h"

#include "draw/EmbeddedGlyphs.h"
#include "draw/ImageLoader.h"
#include "draw/assets/Images.h"
#include "draw/software/SDLDrawer.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/ReferenceSoftwareDrawer.h"
#include "support/ScriptedPlayer.h"

namespace {

double millisecondsPerFrame(int frames, const std::function<void()>& frame)
{
    frame(); // loads the pictures
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i)
        frame();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}

std::uint32_t load(Drawer& drawer, const unsigned char* data, unsigned int length)
{
    ImageLoader loader;
    LoadedImage image = loader.loadImage(data, length);
    return drawer.loadImage(std::move(image.pixels), image.width, image.height);
}

struct FrameRecord {
    ScriptedPlayer::Phase phase;
    double game;  // the screens' update and drawing calls, recorded
    double plain; // the reference drawer's replay
    double quick; // the software drawer's replay
    std::size_t differing;
    ReplayDrawer::Coverage coverage;
    bool wholeWindow;       // the software drawer sent the whole window, not only what changed
    std::size_t stillCalls; // calls its still picture stood for after the frame
    std::size_t sentAreas;  // areas sent to the window when not the whole of it
    std::size_t sentPixels;
};

// Fills the screen with a pattern no frame draws, so a pixel left undrawn cannot pass as equal.
void scribble(SDL_Surface* screen)
{
    for (int row = 0; row < screen->h; ++row)
        std::memset(static_cast<unsigned char*>(screen->pixels) + row * screen->pitch, 0xA5, screen->w * 4u);
}

std::size_t differingPixels(const std::vector<Uint32>& expected, const SDL_Surface* screen)
{
    std::size_t count = 0;
    for (int row = 0; row < screen->h; ++row) {
        const auto* got =
            reinterpret_cast<const Uint32*>(static_cast<const unsigned char*>(screen->pixels) + row * screen->pitch);
        if (std::memcmp(got, &expected[static_cast<std::size_t>(row * screen->w)], screen->w * 4u) == 0)
            continue;
        for (int column = 0; column < screen->w; ++column)
            count += got[column] != expected[static_cast<std::size_t>(row * screen->w + column)] ? 1 : 0;
    }
    return count;
}

void restoreScreen(SDL_Surface* screen, const std::vector<Uint32>& from)
{
    for (int row = 0; row < screen->h; ++row)
        std::memcpy(static_cast<unsigned char*>(screen->pixels) + row * screen->pitch,
                    &from[static_cast<std::size_t>(row * screen->w)], screen->w * 4u);
}

void copyScreen(const SDL_Surface* screen, std::vector<Uint32>& into)
{
    into.resize(static_cast<std::size_t>(screen->w * screen->h));
    for (int row = 0; row < screen->h; ++row)
        std::memcpy(&into[static_cast<std::size_t>(row * screen->w)],
                    static_cast<const unsigned char*>(screen->pixels) + row * screen->pitch, screen->w * 4u);
}

// Nanoseconds per pixel of one SDL blit of a 512 by 512 picture whose every pixel has `alpha`,
// converted like the game's pictures, onto the screen.
double blitCost(SDL_Surface* screen, Uint8 alpha, bool asOpaque)
{
    const int side = 512;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(side * side * 4));
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = static_cast<unsigned char>(i * 7);
        rgba[i + 1] = static_cast<unsigned char>(i * 13);
        rgba[i + 2] = static_cast<unsigned char>(i * 3);
        rgba[i + 3] = alpha;
    }
    SDL_Surface* wrapper =
        SDL_CreateRGBSurfaceFrom(rgba.data(), side, side, 32, side * 4, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    SDL_Surface* picture = asOpaque ? SDL_DisplayFormat(wrapper) : SDL_DisplayFormatAlpha(wrapper);
    if (asOpaque)
        SDL_SetAlpha(picture, 0, 255);
    const int rounds = 200;
    const double start = bench::threadCpuSeconds();
    for (int i = 0; i < rounds; ++i) {
        SDL_Rect to{static_cast<Sint16>(i % 400), static_cast<Sint16>(i % 200), 0, 0};
        SDL_BlitSurface(picture, nullptr, screen, &to);
    }
    const double spent = bench::threadCpuSeconds() - start;
    SDL_FreeSurface(picture);
    SDL_FreeSurface(wrapper);
    return spent / rounds / (side * side) * 1e9;
}

void printSeries(const char* label, const std::vector<FrameRecord>& frames, ScriptedPlayer::Phase phase, bool all)
{
    std::vector<double> game;
    std::vector<double> plain;
    std::vector<double> quick;
    for (const FrameRecord& frame : frames)
        if (all || frame.phase == phase) {
            game.push_back(frame.game * 1e3);
            plain.push_back(frame.plain * 1e3);
            quick.push_back(frame.quick * 1e3);
        }
    if (quick.empty())
        return;
    const double plainMedian = bench::percentile(plain, 0.5);
    const double quickMedian = bench::percentile(quick, 0.5);
    std::printf("%-10s %5zu frames | plain median %6.3f p99 %6.3f | SDLDrawer median %6.3f p99 %6.3f | %4.2fx "
                "cheaper (p99 %4.2fx) | game code median %6.3f ms\n",
                label, quick.size(), plainMedian, bench::percentile(plain, 0.99), quickMedian,
                bench::percentile(quick, 0.99), plainMedian / quickMedian,
                bench::percentile(plain, 0.99) / bench::percentile(quick, 0.99), bench::percentile(game, 0.5));
}

// The scripted race drawn unpaced: each frame recorded once, replayed into both drawers, timed on
// this thread's CPU clock and compared pixel for pixel.
void raceFrames(SDLDrawer& quick, ReferenceSoftwareDrawer& plain, ReplayDrawer& replay)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    StateManager* screens = StateManager::getInstance();
    screens->restart();
    ScriptedPlayer::fixCounters();
    std::vector<FrameRecord> frames;
    std::vector<Uint32> expected;
    // What the software drawer left on the screen last frame, as SDL keeps it between frames: both
    // drawers draw each frame on it. It starts as a pattern no frame draws.
    std::vector<Uint32> before;
    scribble(screen);
    copyScreen(screen, before);
    ScriptedPlayer::ScreenHand hand;
    ScriptedPlayer player(hand, [&] {
        FrameRecord frame{};
        double start = bench::threadCpuSeconds();
        replay.beginDrawing();
        screens->draw(&replay);
        replay.endDrawing();
        frame.game = bench::threadCpuSeconds() - start;
        frame.phase = ScriptedPlayer::phase();

        restoreScreen(screen, before);
        start = bench::threadCpuSeconds();
        replay.replay(1);
        SDL_Flip(screen); // the plain drawer shows its frame as the software drawer does
        frame.plain = bench::threadCpuSeconds() - start;
        copyScreen(screen, expected);

        restoreScreen(screen, before);
        start = bench::threadCpuSeconds();
        replay.replay(0);
        frame.quick = bench::threadCpuSeconds() - start;
        frame.differing = differingPixels(expected, screen);
        copyScreen(screen, before);
        frame.coverage = replay.coverage();
        frame.wholeWindow = quick.lastShowedWholeWindow();
        frame.stillCalls = quick.stillCallCount();
        frame.sentAreas = quick.lastShownAreas().size();
        frame.sentPixels = 0;
        for (const SDL_Rect& area : quick.lastShownAreas())
            frame.sentPixels += static_cast<std::size_t>(area.w) * area.h;
        frames.push_back(frame);
        return frames.size() < 5000;
    });
    player.playOneRace();
    (void)plain;
    screens->restart();

    std::printf("\nscripted race, CPU milliseconds per frame (placement, race, race over, next placement):\n");
    for (ScriptedPlayer::Phase phase : {ScriptedPlayer::Phase::Title, ScriptedPlayer::Phase::Placement,
                                        ScriptedPlayer::Phase::Race, ScriptedPlayer::Phase::RaceOver})
        printSeries(ScriptedPlayer::name(phase), frames, phase, false);
    printSeries("all", frames, ScriptedPlayer::Phase::Ending, true);

    // What the frames at and above the 99th percentile had to do.
    std::vector<std::size_t> order(frames.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return frames[a].quick > frames[b].quick; });
    std::printf("slowest SDLDrawer frames:");
    const std::size_t slowest = std::min<std::size_t>(order.size(), order.size() / 100 + 10);
    for (std::size_t k = 0; k < slowest; ++k) {
        const std::size_t i = order[k];
        const bool stillChanged = i > 0 && frames[i].stillCalls != frames[i - 1].stillCalls;
        std::printf(" #%zu %s %.3f ms%s%s, %zu areas sent, %zu pixels;", i, ScriptedPlayer::name(frames[i].phase),
                    frames[i].quick * 1e3, frames[i].wholeWindow ? " whole window" : "",
                    stillChanged ? " new still" : "", frames[i].sentAreas, frames[i].sentPixels);
    }
    std::printf("\n");

    std::size_t identical = 0;
    std::size_t worst = 0;
    long firstDiffering = -1;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        identical += frames[i].differing == 0 ? 1 : 0;
        worst = std::max(worst, frames[i].differing);
        if (frames[i].differing != 0 && firstDiffering < 0)
            firstDiffering = static_cast<long>(i);
    }
    std::printf("pixel for pixel: %zu of %zu frames identical", identical, frames.size());
    if (firstDiffering >= 0)
        std::printf(", first difference in frame %ld, at most %zu pixels differ", firstDiffering, worst);
    std::printf("\n");

    // Where the pictures' alpha forces a blend, per race frame (medians over the race phase).
    std::vector<double> copied;
    std::vector<double> leftOut;
    std::vector<double> partial;
    std::vector<double> opaque;
    std::vector<double> transparent;
    std::vector<double> scaled;
    std::map<std::string, std::vector<double>> byPicture;
    for (const FrameRecord& frame : frames) {
        if (frame.phase != ScriptedPlayer::Phase::Race)
            continue;
        copied.push_back(static_cast<double>(frame.coverage.copied));
        leftOut.push_back(static_cast<double>(frame.coverage.leftOut));
        partial.push_back(static_cast<double>(frame.coverage.blended.partial));
        opaque.push_back(static_cast<double>(frame.coverage.blended.opaque));
        transparent.push_back(static_cast<double>(frame.coverage.blended.transparent));
        scaled.push_back(static_cast<double>(frame.coverage.scaled));
        for (const auto& [name, count] : frame.coverage.partialByPicture)
            byPicture[name].push_back(static_cast<double>(count));
    }
    const double flipStart = bench::threadCpuSeconds();
    for (int i = 0; i < 100; ++i)
        SDL_Flip(screen);
    std::printf("showing a frame (SDL_Flip, in both figures above): %.3f ms\n",
                (bench::threadCpuSeconds() - flipStart) * 10.0);
    const double copyCost = blitCost(screen, 255, true);
    const double blendPartial = blitCost(screen, 128, false);
    const double blendOpaque = blitCost(screen, 255, false);
    const double blendClear = blitCost(screen, 0, false);
    std::printf("SDL blit cost per pixel: copy %.2f ns; through the alpha blitter: see-through-in-part %.2f ns, "
                "opaque %.2f ns, fully transparent %.2f ns\n",
                copyCost, blendPartial, blendOpaque, blendClear);
    const double p = bench::percentile(partial, 0.5);
    const double o = bench::percentile(opaque, 0.5);
    const double t = bench::percentile(transparent, 0.5);
    const double c = bench::percentile(copied, 0.5);
    std::printf("race frame drawn in full, median pixels: copied %.0f (%.3f ms); clear parts left out %.0f; blended: "
                "partly see-through %.0f (%.3f ms), opaque ones amid see-through pixels %.0f (%.3f ms), clear ones "
                "amid them %.0f (%.3f ms); drawn scaled %.0f\n",
                c, c * copyCost * 1e-6, bench::percentile(leftOut, 0.5), p, p * blendPartial * 1e-6, o,
                o * blendOpaque * 1e-6, t, t * blendClear * 1e-6, bench::percentile(scaled, 0.5));
    std::printf("partly see-through pixels per race frame by picture (median):");
    for (auto& [name, counts] : byPicture) {
        counts.resize(partial.size(), 0.0); // frames without the picture count as 0
        std::printf(" %s %.0f", name.c_str(), bench::percentile(counts, 0.5));
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    bench::printMachine();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::cout << "Could not initialise SDL: " << SDL_GetError() << std::endl;
        return 1;
    }
    {
        auto quick = std::make_unique<SDLDrawer>();
        quick->initialise(1024, 768, false, 0);
        auto plain = std::make_unique<ReferenceSoftwareDrawer>();
        plain->initialise(1024, 768, false, 0);
        {
            // The scenes below draw into each drawer directly; the race replays into both.
            loadEmbeddedGlyphs(*quick);
            loadEmbeddedGlyphs(*plain);
        }

        for (Drawer* drawer : {static_cast<Drawer*>(plain.get()), static_cast<Drawer*>(quick.get())}) {
            const char* name = drawer == quick.get() ? "SDLDrawer" : "plain";
            CaptureStdout quiet;
            TitleScreen title;
            title.mouseMove(300, 300);
            const double titleView = millisecondsPerFrame(frames, [&] { title.draw(drawer); });
            title.mouseDown(1, 500, 480);
            const double storyView = millisecondsPerFrame(frames, [&] { title.draw(drawer); });

            const std::uint32_t background = load(*drawer, Images::background_jpg, Images::background_jpg_length);
            const std::uint32_t mine = load(*drawer, Images::mineexplode_png, Images::mineexplode_png_length);
            const double mines = millisecondsPerFrame(frames, [&] {
                drawer->drawImage(background, 0, 0);
                float blast = 2.0f;
                for (int step = 0; step < 41; ++step, blast -= 0.05f)
                    drawer->drawImage(mine, static_cast<std::int16_t>(20 * step), 300, blast, blast, 1.0f, 1.0f, 1.0f,
                                      1.0f);
            });
            std::printf("%s: title view %.3f ms, story view %.3f ms, background and 41 scaled mines %.3f ms per "
                        "frame (wall clock)\n",
                        name, titleView, storyView, mines);
        }

        ReplayDrawer replay(*quick, *plain);
        loadEmbeddedGlyphs(replay);
        raceFrames(*quick, *plain, replay);
    }
    SDL_Quit();
    return 0;
}
