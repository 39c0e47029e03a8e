// A race screen of its own, driven with mouse events and drawn into a recording drawer, with the
// few moves a player makes: shift a hurdle, drop a trap, go, watch the race, click on.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "game/race/Tray.h"
#include "game/screens/GamePlay.h"
#include "support/RecordingDrawer.h"

class RaceFixture : public ::testing::Test {
protected:
    // The counters of every test game: the runners' speeds, and so every race, replay exactly.
    static constexpr int hurdlerSeed = 1000;
    static constexpr int harrySeed = 2000;

    void SetUp() override
    {
        Hurdler::randy = hurdlerSeed;
        Harry::randy = harrySeed;
        game = std::make_unique<GamePlay>();
    }

    void frame()
    {
        drawer.beginDrawing();
        game->draw(&drawer);
        drawer.endDrawing();
    }

    // Picks up hurdle `number` by its middle and drops it 20 down the track (back) or up it.
    void shiftHurdle(int number, bool back = true)
    {
        const Hurdle& hurdle = game->getHurdle(number);
        const int x = hurdle.getX() + 20;
        const int y = hurdle.getY() + 17;
        const int d = back ? -20 : 20;
        game->mouseMove(x, y);
        game->mouseDown(1, x, y);
        game->mouseMove(x + d, y - d);
        game->mouseUp(1, x + d, y - d);
    }

    // Takes a trap of the kind from the tray and lets go of it at (x, y).
    void dropTrap(Tray::Kind kind, int x, int y)
    {
        const int iconX[] = {40, 115, 190, 264, 338, 412, 40};
        const int iconY[] = {80, 80, 80, 80, 80, 80, 180};
        game->mouseMove(iconX[kind], iconY[kind]);
        game->mouseDown(1, iconX[kind], iconY[kind]);
        game->mouseMove(x, y);
        game->mouseUp(1, x, y);
    }

    // Drops a trap so that its corner lies `ahead` units in front of the runner's start in `lane`.
    void dropTrapAhead(Tray::Kind kind, int lane, int ahead)
    {
        const int x = 192 + 31 * lane + ahead + 15;
        dropTrap(kind, x, 663 + 62 * lane - x);
    }

    void go()
    {
        game->mouseMove(920, 700);
        game->mouseDown(1, 920, 700);
        game->mouseUp(1, 920, 700);
    }

    // Draws frames until the race is over; returns how many it took.
    int runRace()
    {
        int frames = 0;
        while (!game->isRaceOver() && frames < 2000) {
            frame();
            ++frames;
        }
        EXPECT_TRUE(game->isRaceOver());
        return frames;
    }

    int crushedRunners()
    {
        int crushed = 0;
        for (int lane = 0; lane < GamePlay::laneCount; ++lane)
            crushed += game->getRunner(lane).isCrushed() ? 1 : 0;
        return crushed;
    }

    // The end-of-race click, for a race that neither loses nor wins the game.
    void clickOn()
    {
        game->mouseDown(1, 500, 400);
        game->mouseUp(1, 500, 400);
    }

    // Two races that build the budget from 3 to 6. With these counters two hurdles moved back
    // in a lane trip its runner twice in a row, and the wall catches it while it is down the
    // second time: lane 0 in the first race, lanes 0 and 1 in the second.
    void playToSixPoints()
    {
        shiftHurdle(0);
        shiftHurdle(1);
        go();
        runRace();
        ASSERT_EQ(crushedRunners(), 1);
        clickOn();
        ASSERT_EQ(game->getPoints(), 4);
        for (int number : {0, 1, 5, 6})
            shiftHurdle(number);
        go();
        runRace();
        ASSERT_EQ(crushedRunners(), 2);
        clickOn();
        ASSERT_EQ(game->getPoints(), 6);
    }

    RecordingDrawer drawer; // outlives the screen, which gives its pictures back to it
    std::unique_ptr<GamePlay> game;
};
