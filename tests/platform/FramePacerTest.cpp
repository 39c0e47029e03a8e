// Frame pacing by deadlines: no drift, no catch-up burst, nothing added to a slow loop.
#include <gtest/gtest.h>

#include "platform/desktop/FramePacer.h"

using namespace std::chrono;
using Clock = FramePacer::Clock;

const auto period = duration_cast<Clock::duration>(duration<double>(1.0 / 60));

TEST(FramePacer, FastLoopWaitsForEachDeadlineWithoutDrift)
{
    FramePacer pacer(60);
    const Clock::time_point start{};
    EXPECT_EQ(pacer.nextWait(start), Clock::duration::zero());
    // Frames that take 1 ms each: every wait brings the end of frame n to start + n periods.
    Clock::time_point now = start;
    for (int frame = 1; frame <= 600; ++frame) {
        now += milliseconds(1);
        now += pacer.nextWait(now);
        ASSERT_EQ(now - start, period * frame) << frame;
    }
}

TEST(FramePacer, LoopAlreadyAtTheRateWaitsForNothing)
{
    // A swap that blocks for a whole period (vsync at 60) leaves the pacer nothing to add.
    FramePacer pacer(60);
    Clock::time_point now{};
    pacer.nextWait(now);
    Clock::duration waited{};
    for (int frame = 0; frame < 600; ++frame) {
        now += period + microseconds(frame % 3); // a little jitter, never early
        waited += pacer.nextWait(now);
    }
    EXPECT_EQ(waited, Clock::duration::zero());
}

TEST(FramePacer, SlowFrameDoesNotCauseABurst)
{
    FramePacer pacer(60);
    Clock::time_point now{};
    pacer.nextWait(now);
    now += milliseconds(100); // a hitch of six frames
    EXPECT_EQ(pacer.nextWait(now), Clock::duration::zero());
    now += milliseconds(1);
    // The next frame is paced a whole period after the hitch, not run at once to catch up.
    EXPECT_GT(pacer.nextWait(now), milliseconds(15));
}
