// Screen sequence. The new screen is built before the old one is deleted.
#include "game/screens/StateManager.h"

#include "game/screens/EndingScreen.h"
#include "game/screens/GamePlay.h"
#include "game/screens/TitleScreen.h"

StateManager* StateManager::getInstance()
{
    static StateManager instance;
    return &instance;
}

StateManager::StateManager() : current(std::make_unique<TitleScreen>()) {}

void StateManager::draw(Drawer* drawer)
{
    current->draw(drawer);
}
void StateManager::advance()
{
    current->advance();
}
void StateManager::mouseMove(int x, int y)
{
    current->mouseMove(x, y);
}
void StateManager::mouseDown(int button, int x, int y)
{
    current->mouseDown(button, x, y);
}
void StateManager::mouseUp(int button, int x, int y)
{
    current->mouseUp(button, x, y);
}

void StateManager::nextState()
{
    const int next = index + 1;
    if (next == Race)
        replace(std::make_unique<GamePlay>(), Race);
    else
        replace(std::make_unique<TitleScreen>(), Title);
}

void StateManager::cutScene()
{
    replace(std::make_unique<EndingScreen>(), Ending);
}

void StateManager::restart()
{
    replace(std::make_unique<TitleScreen>(), Title);
}

void StateManager::replace(std::unique_ptr<State> next, int nextIndex)
{
    // The caller may be the old screen itself: keep it alive until the new one is current.
    std::unique_ptr<State> old = std::move(current);
    current = std::move(next);
    index = nextIndex;
    old.reset();
}
