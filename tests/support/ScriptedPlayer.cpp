// The scripted player: inputs one frame apart, and the places on the screens a player clicks.
#include "support/ScriptedPlayer.h"

#include <stdexcept>

#include "game/race/Harry.h"
#include "game/race/Hurdle.h"
#include "game/race/Hurdler.h"
#include "game/race/Track.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"

namespace {

bool push(SDL_Event event)
{
    return SDL_PushEvent(&event) == 0;
}

} // namespace

void ScriptedPlayer::EventHand::mustPush(bool pushed)
{
    if (!pushed)
        throw std::runtime_error("SDL's event queue is full");
}

bool ScriptedPlayer::EventHand::pushMove(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    return push(event);
}

bool ScriptedPlayer::EventHand::pushButton(Uint8 type, int x, int y, Uint8 button)
{
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    return push(event);
}

bool ScriptedPlayer::EventHand::pushKey(SDLKey key)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    return push(event);
}

bool ScriptedPlayer::EventHand::queueEmpty()
{
    SDL_Event event;
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0;
}

ScriptedPlayer::ScriptedPlayer(Hand& hand, std::function<bool()> frame) : hand(hand), frame(std::move(frame)) {}

void ScriptedPlayer::fixCounters()
{
    Hurdler::randy = 1000;
    Harry::randy = 2000;
}

ScriptedPlayer::Phase ScriptedPlayer::phase()
{
    StateManager* screens = StateManager::getInstance();
    if (screens->screenIndex() == StateManager::Ending)
        return Phase::Ending;
    const auto* race = dynamic_cast<const GamePlay*>(screens->currentScreen());
    if (race == nullptr)
        return Phase::Title;
    if (race->isPlacing())
        return Phase::Placement;
    return race->isRaceOver() ? Phase::RaceOver : Phase::Race;
}

const char* ScriptedPlayer::name(Phase phase)
{
    switch (phase) {
    case Phase::Title: return "title";
    case Phase::Placement: return "placement";
    case Phase::Race: return "race";
    case Phase::RaceOver: return "race over";
    case Phase::Ending: break;
    }
    return "ending";
}

void ScriptedPlayer::input(const std::function<void()>& what)
{
    if (ended)
        return;
    what();
    if (frame && !frame())
        ended = true;
}

int ScriptedPlayer::framesUntil(const std::function<bool()>& done, int limit)
{
    int drawn = 0;
    for (; drawn < limit && frame && !ended && !done(); ++drawn)
        ended = !frame();
    return drawn;
}

void ScriptedPlayer::move(int x, int y)
{
    input([&] { hand.move(x, y); });
}

void ScriptedPlayer::click(int x, int y)
{
    input([&] {
        hand.move(x, y);
        hand.press(x, y);
        hand.release(x, y);
    });
}

void ScriptedPlayer::drag(int fromX, int fromY, int toX, int toY)
{
    input([&] { hand.move(fromX, fromY); });
    input([&] { hand.press(fromX, fromY); });
    input([&] { hand.move(toX, toY); });
    input([&] { hand.release(toX, toY); });
}

void ScriptedPlayer::startGame()
{
    click(TitleScreen::startArea.middleX(), TitleScreen::startArea.middleY());
}

void ScriptedPlayer::go()
{
    click(GamePlay::goButtonArea.middleX(), GamePlay::goButtonArea.middleY());
}

void ScriptedPlayer::clickOn()
{
    click(500, 400);
}

void ScriptedPlayer::shiftHurdle(int x, int y, bool back)
{
    const int d = back ? -20 : 20;
    const int middleX = x + Hurdle::width / 2;
    const int middleY = y + Hurdle::height / 2;
    drag(middleX, middleY, middleX + d, middleY - d);
}

void ScriptedPlayer::shiftHurdle(const Hurdle& hurdle, bool back)
{
    shiftHurdle(hurdle.getX(), hurdle.getY(), back);
}

void ScriptedPlayer::dropTrap(Tray::Kind kind, int x, int y)
{
    const ScreenArea icon = Tray::iconArea(kind);
    drag(icon.middleX(), icon.middleY(), x, y);
}

void ScriptedPlayer::dropTrapAhead(Tray::Kind kind, int lane, int ahead)
{
    const int x = Track::runnerStartX + Track::laneSpacing * lane + ahead + GamePlay::grabOffset;
    dropTrap(kind, x, Track::dropLineOffset + Track::laneLineStep * lane - x);
}

void ScriptedPlayer::playOneRace(int titleFrames, int overFrames, int nextPlacementFrames)
{
    frames(titleFrames);
    startGame();
    auto* race = dynamic_cast<GamePlay*>(StateManager::getInstance()->currentScreen());
    if (race == nullptr)
        return;
    for (int number = 0; number < 3; ++number)
        shiftHurdle(race->getHurdle(number));
    for (int i = 0; i < 20; ++i)
        move(600 + 10 * i, 500 + 5 * i);
    go();
    framesUntil([] { return phase() != Phase::Race; }, 5000);
    frames(overFrames);
    clickOn();
    frames(nextPlacementFrames);
}
