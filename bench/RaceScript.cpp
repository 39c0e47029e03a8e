// The benchmarks' scripted game, driven from the screens' own state so it never waits blindly.
#include "RaceScript.h"

#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"

RaceScript::RaceScript(int titleFrames, int overFrames, int nextPlacementFrames)
    : titleFrames(titleFrames), overFrames(overFrames), nextPlacementFrames(nextPlacementFrames)
{
}

void RaceScript::fixCounters()
{
    Hurdler::randy = 1000;
    Harry::randy = 2000;
}

RaceScript::Phase RaceScript::phaseShown()
{
    StateManager* screens = StateManager::getInstance();
    const auto* race = dynamic_cast<const GamePlay*>(screens->currentScreen());
    if (screens->screenIndex() != StateManager::Race || race == nullptr)
        return Phase::Title;
    if (race->isPlacing())
        return Phase::Placement;
    return race->isRaceOver() ? Phase::RaceOver : Phase::Race;
}

const char* RaceScript::name(Phase phase)
{
    switch (phase) {
    case Phase::Title: return "title";
    case Phase::Placement: return "placement";
    case Phase::Race: return "race";
    case Phase::RaceOver: return "race over";
    case Phase::Done: break;
    }
    return "done";
}

void RaceScript::click(int x, int y)
{
    steps.push_back([x, y](Pointer& p) {
        p.move(x, y);
        p.press(x, y);
        p.release(x, y);
    });
}

void RaceScript::drag(int fromX, int fromY, int toX, int toY)
{
    steps.push_back([=](Pointer& p) { p.move(fromX, fromY); });
    steps.push_back([=](Pointer& p) { p.press(fromX, fromY); });
    steps.push_back([=](Pointer& p) { p.move(toX, toY); });
    steps.push_back([=](Pointer& p) { p.release(toX, toY); });
}

void RaceScript::afterFrame(Pointer& pointer)
{
    if (!steps.empty()) {
        const Step step = steps.front();
        steps.pop_front();
        step(pointer);
        return;
    }
    auto* race = dynamic_cast<GamePlay*>(StateManager::getInstance()->currentScreen());
    switch (stage) {
    case 0: // the title screen, then the start area
        if (++counted >= titleFrames) {
            click(560, 630);
            stage = 1;
        }
        break;
    case 1: // the first placement: three hurdles of lane 0 moved back, the pointer about, then go
        if (race == nullptr)
            break;
        for (int number = 0; number < 3; ++number) {
            const int x = race->getHurdle(number).getX() + 20;
            const int y = race->getHurdle(number).getY() + 17;
            drag(x, y, x - 20, y + 20);
        }
        for (int i = 0; i < 20; ++i)
            steps.push_back([i](Pointer& p) { p.move(600 + 10 * i, 500 + 5 * i); });
        click(920, 700);
        stage = 2;
        counted = 0;
        break;
    case 2: // the race, to its end
        if (race != nullptr && race->isRaceOver())
            stage = 3;
        break;
    case 3: // "race over" for a while, then the click that scores it
        if (++counted >= overFrames) {
            click(500, 400);
            stage = 4;
            counted = 0;
        }
        break;
    default: // the next placement
        if (++counted >= nextPlacementFrames)
            finished = true;
        break;
    }
}
