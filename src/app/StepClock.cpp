// An accumulator of frame time, paid out in whole steps.
#include "app/StepClock.h"

StepClock::StepClock(double stepsPerSecond) : period(1000.0 / stepsPerSecond), slack(period / 8.0) {}

int StepClock::stepsAt(double milliseconds)
{
    if (!started) {
        started = true;
        last = milliseconds;
        return 1;
    }
    const double elapsed = milliseconds - last;
    last = milliseconds;
    if (elapsed <= 0.0)
        return 0;
    if (elapsed > catchUpLimit) {
        owed = 0.0;
        return 1;
    }
    owed += elapsed;
    int steps = 0;
    while (owed >= period - slack && steps < maxSteps) {
        owed -= period;
        ++steps;
    }
    return steps;
}
