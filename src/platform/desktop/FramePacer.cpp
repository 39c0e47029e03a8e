// Deadline-based pacing: deadlines advance by exact periods so the rate does not drift, and a
// loop that falls more than a frame behind starts afresh instead of racing to catch up.
#include "platform/desktop/FramePacer.h"

#include <thread>

FramePacer::FramePacer(int framesPerSecond)
    : period(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / framesPerSecond)))
{
}

FramePacer::Clock::duration FramePacer::nextWait(Clock::time_point now)
{
    if (!started || now - deadline > period) {
        // First frame, or a frame (or a vsync-paced swap) took longer than a whole period.
        started = true;
        deadline = now + period;
        return Clock::duration::zero();
    }
    const Clock::duration wait = now < deadline ? deadline - now : Clock::duration::zero();
    deadline += period;
    return wait;
}

void FramePacer::frameDone()
{
    if (!enabled)
        return;
    const Clock::duration wait = nextWait(Clock::now());
    if (wait > Clock::duration::zero())
        std::this_thread::sleep_for(wait);
}
