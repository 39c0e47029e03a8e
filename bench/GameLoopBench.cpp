// The real Application and its event loop, timed from inside: frame rate and the spread of the
// intervals between frames (pacing), CPU per frame and per second, resident memory on a still
// screen and in a race, and, under callgrind, a window of frames to count instructions in.
//
//   game_loop_bench [title SECONDS | placement SECONDS | race [--race-frames N]] [--unpaced]
//                   [game flags such as -s, -w 1024 -h 768]
//
// title and placement hold the mouse still on the screen and count its frames once nothing on it
// moves by itself (on the title, once its hint has faded in): placement is the screen a click on
// start leads to, where traps are bought and hurdles moved.
// --race-frames ends the run after N frames of the race, for counting instructions where every
// frame is slow (OpenGL drawn by Mesa's software rasteriser under callgrind).
#include <SDL/SDL.h>
#include <valgrind/callgrind.h>
#include <valgrind/valgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "MemoryReport.h"
#include "app/Application.h"
#include "app/FatalError.h"
#include "draw/opengl/OpenGLDrawer.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"
#include "platform/MainLoop.h"
#include "support/ScriptedPlayer.h"

namespace {

struct Run {
    Application* application = nullptr;
    bool race = false;
    bool placement = false;
    unsigned long raceFrames = 0; // 0: the whole race
    double stillSeconds = 10.0;
    // Title or placement: frames count once the screen is reached and at rest.
    bool onStillScreen = false;
    bool atRest = false;
    unsigned long stillFrom = 0;
    int warmUpFrames = 30;     // pictures load on the first frames; the figures start after them
    std::vector<double> shown; // monotonic time after each frame in the measured window
    std::vector<double> cpu;   // process CPU after each of those frames
    unsigned long frame = 0;
    bool collecting = false;
    unsigned long collectedFrames = 0;
    bool stillMemoryShown = false;
    bool raceMemoryShown = false;
    bool quitSent = false;
    double windowStart = 0.0;

    void startCollecting()
    {
        if (!collecting) {
            CALLGRIND_TOGGLE_COLLECT;
            collecting = true;
        }
    }
    void stopCollecting()
    {
        if (collecting) {
            CALLGRIND_TOGGLE_COLLECT;
            collecting = false;
        }
    }
    void quit()
    {
        stopCollecting();
        if (quitSent)
            return;
        quitSent = true;
        SDL_Event event{};
        event.type = SDL_QUIT;
        SDL_PushEvent(&event);
    }

    void afterFrame()
    {
        ++frame;
        const double now = bench::monotonicSeconds();
        if (collecting)
            ++collectedFrames;
        if (!race) {
            if (!onStillScreen)
                return;
            if (!atRest) {
                atRest = restingNow();
                stillFrom = frame;
                return;
            }
            const unsigned long firstMeasured = stillFrom + static_cast<unsigned long>(warmUpFrames);
            if (frame == firstMeasured) {
                windowStart = now;
                startCollecting();
            }
            if (frame >= firstMeasured) {
                shown.push_back(now);
                cpu.push_back(bench::processCpuSeconds());
                // Reading smaps would count as the frames' work under callgrind.
                if (!stillMemoryShown && now - windowStart > 1.0 && RUNNING_ON_VALGRIND == 0) {
                    stillMemoryShown = true;
                    MemoryReport::print(placement ? "placement screen" : "title screen", application->getDrawer());
                }
                if (now - windowStart >= stillSeconds)
                    quit();
            }
            return;
        }
        const ScriptedPlayer::Phase phase = ScriptedPlayer::phase();
        if (phase == ScriptedPlayer::Phase::Race) {
            startCollecting();
            shown.push_back(now);
            cpu.push_back(bench::processCpuSeconds());
            if (!raceMemoryShown && shown.size() == 300 && RUNNING_ON_VALGRIND == 0) {
                raceMemoryShown = true;
                MemoryReport::print("during the race", application->getDrawer());
            }
            if (raceFrames != 0 && shown.size() >= raceFrames) {
                quit();
                return;
            }
        } else if (phase == ScriptedPlayer::Phase::RaceOver) {
            stopCollecting();
        }
        if (frame > 5000)
            quit();
    }

    // The title's hint ("escape to quit") fades in once, some seconds in; placement has nothing
    // that moves by itself.
    static bool restingNow()
    {
        const auto* title = dynamic_cast<const TitleScreen*>(StateManager::getInstance()->currentScreen());
        return title == nullptr || title->hintCountdown() == 0;
    }

    static void hook(void* context) { static_cast<Run*>(context)->afterFrame(); }
};

void printPacing(const Run& run)
{
    if (run.shown.size() < 3) {
        std::printf("too few frames measured\n");
        return;
    }
    std::vector<double> intervals;
    std::vector<double> deviation;
    for (std::size_t i = 1; i < run.shown.size(); ++i)
        intervals.push_back((run.shown[i] - run.shown[i - 1]) * 1e3);
    const double median = bench::percentile(intervals, 0.5);
    for (double interval : intervals)
        deviation.push_back(interval > median ? interval - median : median - interval);
    const double seconds = run.shown.back() - run.shown.front();
    const double cpuPerFrame = (run.cpu.back() - run.cpu.front()) / static_cast<double>(intervals.size()) * 1e3;
    std::printf("frames measured: %zu over %.2f s: %.2f frames a second\n", run.shown.size(), seconds,
                static_cast<double>(intervals.size()) / seconds);
    std::printf("interval between frames: median %.3f ms, 1st percentile %.3f, 99th %.3f, worst %.3f; "
                "|interval - median| at the 99th percentile %.3f ms\n",
                median, bench::percentile(intervals, 0.01), bench::percentile(intervals, 0.99),
                bench::percentile(intervals, 1.0), bench::percentile(deviation, 0.99));
    std::printf("process CPU per frame (all threads): %.3f ms\n", cpuPerFrame);
    std::printf("process CPU over wall time (all threads): %.1f %% of a core\n",
                (run.cpu.back() - run.cpu.front()) / seconds * 100.0);
}

} // namespace

int main(int argc, char** argv)
{
    bench::printMachine();
    Run run;
    std::vector<std::string> args;
    bool unpaced = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "race") {
            run.race = true;
        } else if ((arg == "title" || arg == "placement") && i + 1 < argc) {
            run.placement = arg == "placement";
            run.stillSeconds = std::atof(argv[++i]);
        } else if (arg == "--race-frames" && i + 1 < argc) {
            run.raceFrames = std::strtoul(argv[++i], nullptr, 10);
        } else if (arg == "--unpaced") {
            unpaced = true;
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty())
        args = {"-w", "1024", "-h", "768"};
    if (run.race)
        ScriptedPlayer::fixCounters();
    // Unpaced, the loop does not wait and every frame takes one step, however fast frames come.
    if (unpaced)
        setenv("BRICKWRATH_UNPACED", "1", 1);
    try {
        Application application(args);
        run.application = &application;
        application.setFrameHook(&Run::hook, &run);
        std::printf("drawer: %s, pacing %s, %s\n",
                    dynamic_cast<OpenGLDrawer*>(application.getDrawer()) != nullptr ? "OpenGL" : "software",
                    unpaced ? "off" : "on",
                    run.race        ? "scripted race (race phase measured)"
                    : run.placement ? "placement screen, mouse still"
                                    : "title screen, mouse still");
        ScriptedPlayer::EventHand hand;
        ScriptedPlayer player(hand, [&application] { return application.step(); });
        if (run.placement) {
            player.frames(10);
            player.startGame();
            if (ScriptedPlayer::phase() != ScriptedPlayer::Phase::Placement) {
                std::printf("the click on start did not reach the placement screen\n");
                return 1;
            }
        }
        run.onStillScreen = !run.race;
        if (run.race) {
            // The player's inputs go through SDL's queue, one loop turn (and frame hook) apart.
            player.playOneRace();
            run.quit();
        }
        MainLoop::run([&application] { return application.frame(); });
        std::printf("frames in the callgrind window: %lu\n", run.collectedFrames);
        printPacing(run);
    } catch (const FatalError& error) {
        std::printf("could not start: %s\n", error.message().c_str());
        return 1;
    }
    return 0;
}
