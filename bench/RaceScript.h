// One scripted game for the benchmarks: a few title frames, a click on start, three hurdles moved
// in the first placement, the race, a second of "race over", the click on and the next placement.
#pragma once

#include <deque>
#include <functional>

class RaceScript {
public:
    enum class Phase { Title, Placement, Race, RaceOver, Done };

    // Where the script's mouse goes: straight to the screens, or into SDL's event queue.
    class Pointer {
    public:
        virtual ~Pointer() = default;
        virtual void move(int x, int y) = 0;
        virtual void press(int x, int y) = 0;
        virtual void release(int x, int y) = 0;
    };

    explicit RaceScript(int titleFrames = 10, int overFrames = 60, int nextPlacementFrames = 20);

    // Fixes the runners' random counters, so that every run plays the same race; call before start.
    static void fixCounters();

    // What the frame just drawn showed, read from the screens.
    static Phase phaseShown();
    static const char* name(Phase phase);

    // Called after every frame: hands the input for the next frame to `pointer`.
    void afterFrame(Pointer& pointer);
    bool done() const { return finished; }

private:
    using Step = std::function<void(Pointer&)>;
    void click(int x, int y);
    void drag(int fromX, int fromY, int toX, int toY);

    int titleFrames;
    int overFrames;
    int nextPlacementFrames;
    int stage = 0;
    int counted = 0;
    bool finished = false;
    std::deque<Step> steps; // one entry per frame
};
