// Keeps the desktop loop at no more than 60 frames a second where the buffer swap does not wait for
// the display, so that a frame that comes in time takes one step of the game.
#pragma once

#include <chrono>

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit FramePacer(int framesPerSecond = 60);

    void setEnabled(bool on) { enabled = on; }
    bool isEnabled() const { return enabled; }
    // Called once a frame has been shown: waits until the frame's deadline, if it is ahead.
    void frameDone();

    // The deadline logic without the waiting, for tests: returns how long to wait at `now`.
    Clock::duration nextWait(Clock::time_point now);

private:
    Clock::duration period;
    Clock::time_point deadline{};
    bool started = false;
    bool enabled = true;
};
