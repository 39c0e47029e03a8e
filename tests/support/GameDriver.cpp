// Drives the real Application through SDL's event queue, as the player's mouse and keyboard do.
#include "support/GameDriver.h"

#include <cstdlib>
#include <stdexcept>

#include "draw/software/SDLDrawer.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"

namespace {

bool push(SDL_Event event)
{
    return SDL_PushEvent(&event) == 0;
}

} // namespace

GameDriver::GameDriver(const std::vector<std::string>& args)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    app = std::make_unique<Application>(args);
    app->framePacer().setEnabled(false);
    if (dynamic_cast<SDLDrawer*>(app->getDrawer()) == nullptr)
        throw std::runtime_error("the game did not open the software drawer");
}

GameDriver::~GameDriver() = default;

SDLDrawer& GameDriver::drawer() const
{
    return *static_cast<SDLDrawer*>(app->getDrawer());
}

int GameDriver::screen() const
{
    return StateManager::getInstance()->screenIndex();
}

GamePlay* GameDriver::race() const
{
    return dynamic_cast<GamePlay*>(StateManager::getInstance()->currentScreen());
}

bool GameDriver::pushMove(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    return push(event);
}

bool GameDriver::pushClick(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    if (!push(event))
        return false;
    event.type = SDL_MOUSEBUTTONUP;
    return push(event);
}

bool GameDriver::pushKey(SDLKey key)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    return push(event);
}

bool GameDriver::queueEmpty()
{
    SDL_Event event;
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0;
}

bool GameDriver::click(int x, int y)
{
    if (!pushMove(x, y) || !pushClick(x, y))
        throw std::runtime_error("SDL's event queue is full");
    return step();
}

bool GameDriver::escape()
{
    if (!pushKey(SDLK_ESCAPE))
        throw std::runtime_error("SDL's event queue is full");
    return step();
}

void GameDriver::startRace()
{
    click(560, 630); // the title's start area, in the 1024 by 768 window
    if (screen() != StateManager::Race)
        throw std::runtime_error("the title's start area did not start a race");
}

int GameDriver::runRace(int frameLimit)
{
    click(920, 700); // the race screen's go button
    int frames = 0;
    while (race() != nullptr && !race()->isRaceOver() && frames < frameLimit) {
        step();
        ++frames;
    }
    return frames;
}
