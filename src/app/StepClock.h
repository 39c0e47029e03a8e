// How many game steps are due at each of the browser's animation frames, which come at the
// display's rate: a 120 or 144 Hz screen must not run the game faster than 60 steps a second.
#pragma once

class StepClock {
public:
    explicit StepClock(double stepsPerSecond = 60.0);

    // The steps due at `milliseconds` (a monotonic clock), at most maxSteps. A frame may come a
    // little early: one that is within slack of the next step takes it, and the next frame makes
    // up the difference, so a 60 Hz display gets one step a frame despite its jitter. A slow
    // machine whose frames take up to a quarter of a second gets the steps they cover; a longer
    // gap (a background tab, a stall) starts afresh with one step instead of a burst.
    int stepsAt(double milliseconds);

    static constexpr double catchUpLimit = 250.0;
    static constexpr int maxSteps = 16;

private:
    double period;
    double slack;
    double last = 0.0;
    // Time not yet turned into steps; may dip below zero after an early frame.
    double owed = 0.0;
    bool started = false;
};
