// The browser's steps: 60 a second at any display rate, one a frame on a jittery 60 Hz display,
// and no burst after a paused tab.
#include <gtest/gtest.h>

#include "app/StepClock.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps over `seconds` of frames at `hertz`, each frame off its ideal time by up to `jitter` ms.
struct Steps {
    int total = 0, mostInOneFrame = 0, framesWithout = 0;
};

Steps stepsOver(double hertz, double seconds, double jitter)
{
    StepClock clock;
    Steps steps;
    const int frames = static_cast<int>(std::lround(hertz * seconds));
    for (int frame = 0; frame < frames; ++frame) {
        const double wobble = jitter * std::sin(frame * 1.7);
        const int now = clock.stepsAt(1000.0 * frame / hertz + wobble);
        steps.total += now;
        steps.mostInOneFrame = std::max(steps.mostInOneFrame, now);
        steps.framesWithout += now == 0 ? 1 : 0;
    }
    return steps;
}

} // namespace

TEST(StepClock, SixtyStepsASecondAtAnyDisplayRate)
{
    // Down to 10 Hz: a machine that draws slowly still plays at the game's speed.
    for (const double hertz : {10.0, 20.0, 30.0, 59.94, 60.0, 75.0, 120.0, 144.0, 240.0})
        EXPECT_NEAR(stepsOver(hertz, 10.0, 0.0).total, 600, 6) << hertz << " Hz";
}

TEST(StepClock, JitteryDisplayAtSixtyHertzGetsOneStepEveryFrame)
{
    const Steps steps = stepsOver(60.0, 10.0, 1.5);
    EXPECT_EQ(steps.total, 600);
    EXPECT_EQ(steps.mostInOneFrame, 1);
    EXPECT_EQ(steps.framesWithout, 0);
}

TEST(StepClock, PausedTabResumesWithOneStepAndStallsAreMadeUp)
{
    StepClock clock;
    EXPECT_EQ(clock.stepsAt(1000.0), 1);
    EXPECT_EQ(clock.stepsAt(1000.0 + 16.7), 1);
    // A background tab: no frames for five seconds.
    EXPECT_EQ(clock.stepsAt(6000.0), 1);
    EXPECT_EQ(clock.stepsAt(6016.7), 1);
    // A 50 ms stall is made up, and so is a 200 ms one.
    EXPECT_EQ(clock.stepsAt(6066.7), 3);
    EXPECT_EQ(clock.stepsAt(6066.7), 0);
    EXPECT_EQ(clock.stepsAt(6266.7), 12);
    // A gap longer than a quarter of a second is a pause, not a stall.
    EXPECT_EQ(clock.stepsAt(6266.7 + StepClock::catchUpLimit + 1.0), 1);
}
