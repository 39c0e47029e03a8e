// A player who plays the whole game through the real screens, frame by frame, with the mouse:
// title, races, Harry, the ending and back to the title. It reads the screen from what is drawn
// (the points, the hurdles, the texts, the dead) and clicks where a player would.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "game/GameCounter.h"
#include "game/Records.h"
#include "game/screens/StateManager.h"
#include "support/RecordingDrawer.h"
#include "support/ScriptedPlayer.h"
#ifdef BRICKWRATH_SCRIPTED_SOFTWARE
#include "support/MirroringDrawer.h"
#endif

namespace {

class ScriptedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        Records::getInstance()->restore({});
        screens->restart();
        ASSERT_EQ(screens->screenIndex(), StateManager::Title);
        player.frames(1);
    }
    // The screens give their pictures back to this drawer before it goes.
    void TearDown() override
    {
        screens->restart();
        Records::getInstance()->restore({});
    }
    static int counted(const char* name) { return GameCounter::getInstance()->getCount(name); }

    // The number after "points remaining ".
    int pointsShown() const
    {
        for (const DrawCall& call : drawer.texts())
            if (call.x == 544 && call.y == 0)
                return std::stoi(call.text);
        ADD_FAILURE() << "no points on the screen";
        return -1;
    }

    // Drags the n-th hurdle shown (5 per lane, in lane order) 20 back down the track.
    void hurdleBack(int number)
    {
        const std::vector<DrawCall> hurdles = drawer.callsOf(PICTURE(hurdle_png));
        ASSERT_EQ(hurdles.size(), 40u);
        player.shiftHurdle(hurdles[number].x, hurdles[number].y);
    }

    // The placement rule of this player, lane by lane from lane 0:
    // - a rake on the starting line while there are 6 points or more: a runner that steps on it
    //   lies down for 384 units of its own pace, while the wall, 68 behind, closes in by half a
    //   unit a frame; it arrives before any runner slower than 2.8 can get up;
    // - then a ghost while there are 5 (256 units down: enough for runners slower than 1.88);
    // - what is left goes on hurdles, moved back so that each stands between two jump points
    //   where the runner is on its feet: 4 points buy two hurdles in each of two lanes, 3 buy
    //   three in one lane, 2 buy two. Each trip costs the runner 160 units of its pace, and two or
    //   three in a row let the wall catch it while it is down.
    void placeTraps()
    {
        int points = pointsShown();
        int lane = 0;
        for (; points >= 6 && lane < 8; ++lane, points -= 3)
            player.dropTrapAhead(Tray::Rake, lane, 1);
        for (; points >= 5 && lane < 8; ++lane, points -= 3)
            player.dropTrapAhead(Tray::Ghost, lane, 1);
        const int hurdlesPerLane = points == 4 ? 2 : points;
        for (; points >= 2 && lane < 8; ++lane)
            for (int i = 0; i < hurdlesPerLane && points > 0; ++i, --points)
                hurdleBack(5 * lane + i);
        EXPECT_EQ(pointsShown(), points);
    }

    void goAndWatch()
    {
        player.go();
        const int frame = player.framesUntil(
            [this] {
                EXPECT_FALSE(drawer.shows("points remaining "));
                return drawer.shows("race over");
            },
            1000);
        ASSERT_TRUE(drawer.shows("race over"));
        EXPECT_TRUE(drawer.shows("click to continue"));
        EXPECT_LT(frame, 934); // no race outlasts the wall's run
    }

    int deadShown() const { return static_cast<int>(drawer.callsOf(PICTURE(dead_png)).size()); }

#ifdef BRICKWRATH_SCRIPTED_SOFTWARE
    // The same game, every frame also drawn by the software drawer (the memory checkers' run).
    MirroringDrawer drawer;
#else
    RecordingDrawer drawer;
#endif
    StateManager* screens = StateManager::getInstance();
    ScriptedPlayer::ScreenHand hand;
    ScriptedPlayer player{hand, [this] {
                              drawFrames(drawer, 1);
                              return true;
                          }};
};

} // namespace

TEST_F(ScriptedGame, WinsTheGameAndComesBackToTheTitle)
{
    // Counters fixed: every runner's speed, and with it every race below, is the same each run.
    ScriptedPlayer::fixCounters();
    player.startGame();
    EXPECT_TRUE(drawer.shows("drag hurdles"));

    // The eight runners' races, until all eight are crushed in one. The budget follows the score:
    // each crushed runner adds a point, a race without one costs a point.
    std::vector<int> crushedPerRace;
    int budget = pointsShown();
    EXPECT_EQ(budget, 3);
    while (!drawer.shows("thats harry") && crushedPerRace.size() < 15) {
        ASSERT_EQ(pointsShown(), budget);
        placeTraps();
        goAndWatch();
        const int crushed = deadShown();
        crushedPerRace.push_back(crushed);
        player.clickOn();
        ASSERT_EQ(screens->screenIndex(), StateManager::Race);
        budget += crushed > 0 ? crushed : -1;
    }
    // With these counters the runners grow faster than the hurdles can hold them; the rakes that
    // larger budgets buy catch up, and the ninth race crushes all eight.
    EXPECT_EQ(crushedPerRace, (std::vector<int>{1, 2, 2, 2, 2, 4, 4, 6, 8}));
    EXPECT_EQ(pointsShown(), budget); // 34

    // Harry's first race: a rake just in front of his start, where his first 8-unit stride lands.
    // He lies down for 384 / 8 = 48 frames, but the wall comes only 24 nearer: he gets away.
    EXPECT_TRUE(drawer.shows("get him!"));
    player.dropTrapAhead(Tray::Rake, 0, 5);
    player.go();
    EXPECT_TRUE(drawer.shows("thats harry"));
    EXPECT_EQ(drawer.callsOf(PICTURE(tripped_png)).size(), 1u); // he fell on the first frame
    goAndWatch();
    EXPECT_EQ(deadShown(), 0);
    EXPECT_TRUE(drawer.shows("thats harry"));
    player.clickOn();
    ASSERT_EQ(screens->screenIndex(), StateManager::Race);
    EXPECT_EQ(pointsShown(), budget); // a Harry race leaves the budget as it was
    EXPECT_TRUE(drawer.shows("get him!"));

    // Harry always starts in lane 0 and decides on a lane only after 64 units, so his first stride
    // ends 8 units on, still in lane 0 and on his feet: spikes with their corner 5 ahead of the
    // start take him there.
    player.dropTrapAhead(Tray::Spikes, 0, 5);
    EXPECT_EQ(pointsShown(), budget - 10);
    player.go();
    EXPECT_TRUE(drawer.shows("race over"));
    EXPECT_EQ(deadShown(), 1);
    player.clickOn();
    ASSERT_EQ(screens->screenIndex(), StateManager::Ending);
    // Every race is counted, Harry's two among them, and every runner crushed, Harry too: the
    // first game's end beats both records, and the ending says so on the track.
    const int crushedInAll = std::accumulate(crushedPerRace.begin(), crushedPerRace.end(), 1);
    EXPECT_EQ(counted("Races"), static_cast<int>(crushedPerRace.size()) + 2);
    EXPECT_EQ(counted("Crushed"), crushedInAll);
    EXPECT_EQ(Records::getInstance()->best(), (Records::Best{crushedInAll, 11}));
    ASSERT_EQ(drawer.calls().size(), 5u);
    EXPECT_TRUE(drawer.drawsAt(drawer.calls()[0], PICTURE(background_jpg), 0, 0));
    EXPECT_TRUE(drawer.drawsAt(drawer.calls()[1], PICTURE(ending_png), 40, 0));
    EXPECT_TRUE(RecordingDrawer::writes(drawer.calls()[2], "new record!", 540, 626, 32.0f, 1.0f));
    EXPECT_TRUE(RecordingDrawer::writes(drawer.calls()[3], "32 runners crushed", 540, 672, 24.0f, 1.0f));
    EXPECT_TRUE(RecordingDrawer::writes(drawer.calls()[4], "won in 11 races", 540, 706, 24.0f, 1.0f));
    // Only a press leaves the ending, with any button.
    player.move(10, 10);
    screens->mouseUp(3, 10, 10);
    ASSERT_EQ(screens->screenIndex(), StateManager::Ending);
    screens->mouseDown(2, 1000, 760);
    ASSERT_EQ(screens->screenIndex(), StateManager::Title);
    player.frames(1);
    EXPECT_FALSE(drawer.shows("new record! 32 runners crushed, won in 11 races")); // the ending told it
    EXPECT_TRUE(drawer.shows("best 32 crushed, won in 11 races"));

    // A new game starts from scratch, its counters too.
    player.startGame();
    EXPECT_EQ(counted("Races"), 0);
    EXPECT_EQ(counted("Crushed"), 0);
    EXPECT_EQ(pointsShown(), 3);
    EXPECT_TRUE(drawer.shows("drag hurdles"));
    EXPECT_FALSE(drawer.shows("thats harry"));
}

TEST_F(ScriptedGame, ThreeRacesWithoutACrushLoseTheGame)
{
    player.startGame();
    for (int budget : {3, 2, 1}) {
        ASSERT_EQ(screens->screenIndex(), StateManager::Race);
        EXPECT_EQ(pointsShown(), budget);
        goAndWatch();
        EXPECT_EQ(deadShown(), 0);
        player.clickOn();
    }
    EXPECT_EQ(screens->screenIndex(), StateManager::Title);
    // Three races counted and none crushed: no record, and the title has no news.
    EXPECT_EQ(counted("Races"), 3);
    EXPECT_EQ(counted("Crushed"), 0);
    EXPECT_EQ(Records::getInstance()->best(), Records::Best{});
    player.frames(1);
    EXPECT_TRUE(drawer.texts().empty());
}
