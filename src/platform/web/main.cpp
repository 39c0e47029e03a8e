// The browser's start-up and frame loop. The browser must get control back after every frame, so
// the loop is the browser's own (requestAnimationFrame, through emscripten_set_main_loop) calling
// Application::step(); a StepClock keeps the game at 60 steps a second on any display, and the
// desktop's sleeping pacer is off. A frame that owes several steps draws only the last: drawing
// is the frame's dear part, and drawing every step of a late frame would make the next one later.
// The page is told when the first frame is shown and when the game has ended (Escape on the title
// screen), through Module.onFirstFrame and Module.onGameEnd.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/FatalError.h"
#include "app/StepClock.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"
#include "platform/Thread.h"

namespace {

struct Game {
    std::unique_ptr<Application> application;
    StepClock clock;
};

Game game;

void ended()
{
    EM_ASM({
        if (Module.onGameEnd)
            Module.onGameEnd();
    });
}

void frame()
{
    const int steps = game.clock.stepsAt(emscripten_get_now());
    if (steps == 0)
        return;
    // The music's refills, which a thread does on Linux, once a frame before the frame's steps.
    Thread::takeTurns();
    const bool first = game.application->framesDrawn() == 0;
    bool goesOn = true;
    for (int i = 1; i < steps && goesOn; ++i)
        goesOn = game.application->stepUndrawn();
    if (!goesOn || !game.application->step()) {
        emscripten_cancel_main_loop();
        game.application.reset();
        ended();
        return;
    }
    if (first)
        EM_ASM({
            if (Module.onFirstFrame)
                Module.onFirstFrame();
        });
}

} // namespace

// For the page's tests, which play the game through its canvas: the frames drawn and the steps
// taken so far, and where the game is: 0 the title, 1 the story, 2 placing, 3 racing, 4 a race
// over, 5 the ending.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned long brickwrath_frames()
{
    return game.application ? game.application->framesDrawn() : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE unsigned long brickwrath_steps()
{
    return game.application ? game.application->stepsTaken() : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE int brickwrath_screen()
{
    const State* screen = StateManager::getInstance()->currentScreen();
    if (const auto* title = dynamic_cast<const TitleScreen*>(screen))
        return title->storyShown() ? 1 : 0;
    if (const auto* race = dynamic_cast<const GamePlay*>(screen))
        return race->isPlacing() ? 2 : race->isRaceOver() ? 4 : 3;
    return 5;
}

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    try {
        game.application = std::make_unique<Application>(args);
    } catch (const FatalError& error) {
        FatalError copy(error);
        copy.display();
        ended();
        return 0;
    }
    game.application->framePacer().setEnabled(false);
    emscripten_set_main_loop(frame, 0, false);
    return 0;
}
