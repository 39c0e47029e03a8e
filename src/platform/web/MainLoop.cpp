// The browser's loop. The browser must get control back after every frame, so the loop is its
// own (requestAnimationFrame, through emscripten_set_main_loop), calling the game's frame. The
// page is told when the first frame is shown and when the game has ended (Escape on the title
// screen, or a start that failed), through Module.onFirstFrame and Module.onGameEnd.
#include "platform/MainLoop.h"

#include <emscripten/emscripten.h>

#include <utility>

namespace {

MainLoop::Frame running;
bool firstShown = false;

void ended()
{
    EM_ASM({
        if (Module.onGameEnd)
            Module.onGameEnd();
    });
}

void frame()
{
    if (!running()) {
        emscripten_cancel_main_loop();
        running = nullptr;
        ended();
        return;
    }
    if (!firstShown) {
        firstShown = true;
        EM_ASM({
            if (Module.onFirstFrame)
                Module.onFirstFrame();
        });
    }
}

} // namespace

void MainLoop::run(Frame gameFrame)
{
    running = std::move(gameFrame);
    emscripten_set_main_loop(frame, 0, false);
}
