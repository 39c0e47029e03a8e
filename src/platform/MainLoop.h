// The display's frame loop, the one part of running the game that each target does its own way:
// a loop that waits for the next frame on the desktop, the browser's animation frames in a page.
#pragma once

#include <functional>

class MainLoop {
public:
    // Called once every display frame; false when the game is to end. It owns what it runs, which
    // goes with it once it has said so.
    using Frame = std::function<bool()>;

    // Calls `frame` every display frame until it returns false. On the desktop this returns then;
    // in the browser it returns at once and the page's frames go on calling it.
    static void run(Frame frame);
};
