// The browser's steps: 60 a second at any display rate, one a frame on a jittery 60 Hz display,
// and no burst after a paused tab.
#include <gtest/gtest.h>

#include "app/StepClock.h"

#include <cmath>

namespace {

// Steps over `seconds` of frames at `hertz`, each frame off its ideal time by up to `jitter` ms.
int stepsOver(double hertz, double seconds, double jitter, int* mostInOneFrame = nullptr, int* framesWithout = nullptr)
{
    StepClock clock;
    int steps = 0;
    const int frames = static_cast<int>(std::lround(hertz * seconds));
    for (int frame = 0; frame < frames; ++frame) {
        const double wobble = jitter * std::sin(frame * 1.7);
        const int now = clock.stepsAt(1000.0 * frame / hertz + wobble);
        steps += now;
        if (mostInOneFrame != nullptr && now > *mostInOneFrame)
            *mostInOneFrame = now;
        if (framesWithout != nullptr && now == 0)
            ++*framesWithout;
    }
    return steps;
}

} // namespace

TEST(StepClock, SixtyStepsASecondAtAnyDisplayRate)
{
    // Down to 10 Hz: a machine that draws slowly still plays at the game's speed.
    for (const double hertz : {10.0, 20.0, 30.0, 59.94, 60.0, 75.0, 120.0, 144.0, 240.0}) {
        const int steps = stepsOver(hertz, 10.0, 0.0);
        EXPECT_NEAR(steps, 600, 6) << hertz << " Hz";
    }
}

TEST(StepClock, JitteryDisplayAtSixtyHertzGetsOneStepEveryFrame)
{
    int most = 0;
    int without = 0;
    EXPECT_EQ(stepsOver(60.0, 10.0, 1.5, &most, &without), 600);
    EXPECT_EQ(most, 1);
    EXPECT_EQ(without, 0);
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
