// The screen sequence, and screen changes made between the screens' own calls.
#include "game/screens/StateManager.h"

#include "game/screens/EndingScreen.h"
#include "game/screens/GamePlay.h"
#include "game/screens/TitleScreen.h"

StateManager* StateManager::getInstance()
{
    static StateManager instance;
    return &instance;
}

StateManager::StateManager() : current(make(Title)) {}

StateManager::Screen StateManager::after(Screen screen)
{
    switch (screen) {
    case Title: return Race;
    case Race: return Title; // the game is lost
    case Ending: return Title;
    }
    return Title;
}

std::unique_ptr<State> StateManager::make(Screen screen)
{
    switch (screen) {
    case Race: return std::make_unique<GamePlay>();
    case Ending: return std::make_unique<EndingScreen>();
    case Title: break;
    }
    return std::make_unique<TitleScreen>();
}

template <typename Call> void StateManager::inScreen(Call call)
{
    screenRunning = true;
    call(*current);
    screenRunning = false;
    settle();
}

void StateManager::draw(Drawer* drawer)
{
    step();
    current->render(drawer);
    overlay.render(drawer);
    ++frames;
}

void StateManager::step()
{
    overlay.step();
    if (overlay.isPaused())
        return;
    inScreen([](State& screen) { screen.step(); });
    ++steps;
}

void StateManager::mouseMove(int x, int y)
{
    if (overlay.isPaused())
        return;
    inScreen([x, y](State& screen) { screen.mouseMove(x, y); });
}

void StateManager::mouseDown(int button, int x, int y)
{
    if (overlay.isPaused()) {
        // The screen only learns where the pointer has gone meanwhile.
        overlay.setPaused(false);
        swallowRelease = true;
        mouseMove(x, y);
        return;
    }
    inScreen([button, x, y](State& screen) { screen.mouseDown(button, x, y); });
}

void StateManager::mouseUp(int button, int x, int y)
{
    if (overlay.isPaused())
        return;
    if (swallowRelease) {
        swallowRelease = false;
        return;
    }
    inScreen([button, x, y](State& screen) { screen.mouseUp(button, x, y); });
}

void StateManager::nextState()
{
    ask(after(index));
}

void StateManager::cutScene()
{
    ask(Ending);
}

void StateManager::restart()
{
    ask(Title);
}

void StateManager::ask(Screen next)
{
    pending = next;
    if (!screenRunning)
        settle();
}

void StateManager::settle()
{
    if (!pending)
        return;
    const Screen next = *pending;
    pending.reset();
    // The new screen is built before the old one goes.
    std::unique_ptr<State> old = std::move(current);
    current = make(next);
    index = next;
    old.reset();
    overlay.setPaused(false);
    swallowRelease = false;
}
