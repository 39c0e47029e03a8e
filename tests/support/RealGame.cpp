// The real game for the tests that play it whole through its event loop.
#include "support/RealGame.h"

#include <cstdlib>
#include <stdexcept>

#include "draw/software/SDLDrawer.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"

RealGame::RealGame(const std::vector<std::string>& args)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    app = std::make_unique<Application>(args);
    if (dynamic_cast<SDLDrawer*>(app->getDrawer()) == nullptr)
        throw std::runtime_error("the game did not open the software drawer");
}

RealGame::~RealGame() = default;

SDLDrawer& RealGame::drawer() const
{
    return *static_cast<SDLDrawer*>(app->getDrawer());
}

int RealGame::screen() const
{
    return StateManager::getInstance()->screenIndex();
}

GamePlay* RealGame::race() const
{
    return dynamic_cast<GamePlay*>(StateManager::getInstance()->currentScreen());
}

bool RealGame::step()
{
    const bool goesOn = app->step();
    if (afterFrame)
        afterFrame();
    return goesOn;
}

void RealGame::escape()
{
    ScriptedPlayer::EventHand::mustPush(ScriptedPlayer::EventHand::pushKey(SDLK_ESCAPE));
    step();
}

void RealGame::startRace()
{
    player().startGame();
    if (screen() != StateManager::Race)
        throw std::runtime_error("the title's start area did not start a race");
}

int RealGame::runRace(int frameLimit)
{
    player().go();
    return player().framesUntil([this] { return race() == nullptr || race()->isRaceOver(); }, frameLimit);
}
