// The race screen on its own, played with the mouse into a recording drawer: placement and its
// costs, the collision tests, the drawing of each phase, and the pictures it gives back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "game/SoundLog.h"
#include "game/race/Hurdler.h"
#include "game/screens/GamePlay.h"
#include "support/RecordingDrawer.h"
#include "support/ScriptedPlayer.h"

namespace {

// Puts a runner at x on its lane's diagonal.
void placeRunner(Hurdler& runner, int lane, int x)
{
    runner.initPosition(x, 614 + 62 * lane - x);
}

// Puts a runner at x in the middle of a jump: it starts one 88 units back and covers them at once.
void placeJumper(Hurdler& runner, int lane, int x)
{
    placeRunner(runner, lane, x - 88);
    const float speed = runner.getSpeed();
    runner.setSpeed(88.0f);
    runner.move();
    runner.setSpeed(speed);
}

// The player's inputs go straight into the screen; the tests draw the frames themselves.
class RaceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedPlayer::fixCounters();
        game = std::make_unique<GamePlay>();
    }

    ScriptedPlayer& play()
    {
        hand.screen = game.get();
        return player;
    }

    void frame()
    {
        drawer.record([this](Drawer* to) { game->draw(to); });
    }

    // Draws frames until the race is over; returns how many it took.
    int runRace()
    {
        int frames = 0;
        for (; !game->isRaceOver() && frames < 2000; ++frames)
            frame();
        EXPECT_TRUE(game->isRaceOver());
        return frames;
    }

    // Puts lane's runner at x and runs one frame's collision tests; the runner.
    Hurdler& collideAt(int lane, int x)
    {
        placeRunner(game->getRunner(lane), lane, x);
        game->collisionDetection();
        return game->getRunner(lane);
    }

    int crushedRunners()
    {
        int crushed = 0;
        for (int lane = 0; lane < Track::laneCount; ++lane)
            crushed += game->getRunner(lane).isCrushed() ? 1 : 0;
        return crushed;
    }

    // Two races that build the budget from 3 to 6. With these counters two hurdles moved back
    // in a lane trip its runner twice in a row, and the wall catches it while it is down the
    // second time: lane 0 in the first race, lanes 0 and 1 in the second.
    void playToSixPoints()
    {
        for (const std::vector<int>& moved : {std::vector<int>{0, 1}, std::vector<int>{0, 1, 5, 6}}) {
            for (int number : moved)
                play().shiftHurdle(game->getHurdle(number));
            play().go();
            runRace();
            ASSERT_EQ(crushedRunners(), static_cast<int>(moved.size()) / 2);
            play().clickOn();
        }
        ASSERT_EQ(game->getPoints(), 6);
    }

    RecordingDrawer drawer; // outlives the screen, which gives its pictures back to it
    std::unique_ptr<GamePlay> game;
    ScriptedPlayer::ScreenHand hand;
    ScriptedPlayer player{hand};
};

} // namespace

using Placement = RaceFixture;
using Collisions = RaceFixture;
using RaceDrawing = RaceFixture;

// ---- placement ----

TEST_F(Placement, FirstRaceHasOnlyHurdlesAtAPointEachAndASecondDragIsFree)
{
    play().dropTrap(Tray::Mud, 400, 400);
    EXPECT_TRUE(game->getTraps().empty());
    EXPECT_EQ(game->getPoints(), 3);

    play().shiftHurdle(game->getHurdle(12));
    EXPECT_EQ(game->getPoints(), 2);
    EXPECT_EQ(game->getHurdle(12).getX(), 288 + 62 + 128 - 32);
    EXPECT_TRUE(game->getHurdle(12).isMoved());

    // A moved hurdle dragged again goes back to its new home.
    play().shiftHurdle(game->getHurdle(3), false);
    EXPECT_EQ(game->getHurdle(3).getX(), 288 + 64 * 3 + 32);
    play().shiftHurdle(game->getHurdle(3), true);
    EXPECT_EQ(game->getHurdle(3).getX(), 288 + 64 * 3 + 32);
    EXPECT_EQ(game->getPoints(), 1);
}

TEST_F(Placement, PickAreaIsTheHurdlesInside)
{
    const Hurdle& hurdle = game->getHurdle(0); // 288, 326, 40 by 35
    for (auto [x, y] : {std::pair{288, 340}, {328, 340}, {300, 326}, {300, 361}}) {
        game->mouseMove(x, y);
        EXPECT_FALSE(game->isHovering()) << x << "," << y;
        game->mouseDown(1, x, y);
        EXPECT_FALSE(game->isDragging()) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{289, 340}, {327, 340}, {300, 327}, {300, 360}}) {
        game->mouseMove(x, y);
        EXPECT_TRUE(game->isHovering()) << x << "," << y;
        game->mouseDown(1, x, y);
        EXPECT_TRUE(game->isDragging()) << x << "," << y;
        game->mouseUp(1, hurdle.getHomeX() + 15, hurdle.getHomeY() + 15); // on its home: free
        EXPECT_EQ(game->getPoints(), 3);
    }
    // Those drops on its home left it its one shift.
    play().shiftHurdle(hurdle);
    EXPECT_EQ(game->getPoints(), 2);
}

TEST_F(Placement, CursorShowsWhatTheHandCanDoAndWithNoPointsLeftHurdlesCannotBeTaken)
{
    const auto cursorAt = [this](const unsigned char* data, unsigned int length, int x, int y) {
        frame();
        return drawer.drawsAt(drawer.calls().back(), data, length, x - 10, y - 6);
    };
    game->mouseMove(600, 700);
    EXPECT_TRUE(cursorAt(PICTURE(mousearrow_png), 600, 700));
    game->mouseMove(300, 340);
    EXPECT_TRUE(cursorAt(PICTURE(mousehandopen_png), 300, 340));
    game->mouseDown(1, 300, 340);
    EXPECT_TRUE(cursorAt(PICTURE(mousehandclosed_png), 300, 340));
    game->mouseUp(1, 300, 340); // a little down the track
    // Letting go clears the hover until the pointer moves again.
    EXPECT_TRUE(cursorAt(PICTURE(mousearrow_png), 300, 340));
    EXPECT_EQ(game->getPoints(), 2);

    for (int number : {5, 10})
        play().shiftHurdle(game->getHurdle(number));
    ASSERT_EQ(game->getPoints(), 0);
    game->mouseMove(288 + 62 * 2 + 20, 326 + 62 * 2 + 17); // over hurdle 15
    EXPECT_FALSE(game->isHovering());
    EXPECT_TRUE(cursorAt(PICTURE(mousearrow_png), 288 + 62 * 2 + 20, 326 + 62 * 2 + 17));
    game->mouseDown(1, 288 + 62 * 2 + 20, 326 + 62 * 2 + 17);
    EXPECT_FALSE(game->isDragging());
}

TEST_F(Placement, AHeldHurdleFollowsThePointerAndPressesMeanwhileAreIgnored)
{
    game->mouseMove(300, 340);
    game->mouseDown(1, 300, 340); // hurdle 0
    EXPECT_TRUE(game->isDragging());
    game->mouseDown(1, 920, 700); // the go button: not while holding a hurdle
    EXPECT_TRUE(game->isPlacing());
    game->mouseDown(3, 352 + 20, 264 + 17); // hurdle 1: no second pick-up
    game->mouseMove(700, 200);
    EXPECT_EQ(game->getHurdle(0).getX(), 685);
    EXPECT_EQ(game->getHurdle(0).getY(), 185);
    EXPECT_EQ(game->getHurdle(0).getHomeX(), 288);
    game->mouseMove(280, 360);
    EXPECT_EQ(game->getHurdle(0).getX(), 265);
    EXPECT_EQ(game->getHurdle(1).getX(), 352);
    game->mouseUp(1, 280, 360);
    EXPECT_FALSE(game->isDragging());
    EXPECT_EQ(game->getHurdle(0).getX(), 256); // dropped further down the track
    EXPECT_EQ(game->getHurdle(0).getY(), 358);
    EXPECT_EQ(game->getHurdle(1).getX(), 352);
    EXPECT_EQ(game->getPoints(), 2);
    game->mouseUp(3, 280, 360); // the other button's release finds nothing held
    EXPECT_EQ(game->getPoints(), 2);
}

TEST_F(Placement, GoButtonAreaExcludesItsEdges)
{
    for (auto [x, y] : {std::pair{864, 700}, {992, 700}, {920, 650}, {920, 742}}) {
        game->mouseDown(1, x, y);
        EXPECT_TRUE(game->isPlacing()) << x << "," << y;
    }
    game->mouseDown(1, 865, 651);
    EXPECT_FALSE(game->isPlacing());
    game->mouseDown(1, 865, 651); // a click during the race does nothing
    EXPECT_FALSE(game->isPlacing());
    EXPECT_FALSE(game->isRaceOver());
}

TEST_F(Placement, DropChoosesTheNearestLaneLineAndTiesGoToTheLowerLane)
{
    // x + y = 663 is lane 0's line, 694 halfway to lane 1, 756 halfway to lane 2.
    for (auto [x, y, lane] : {std::tuple{400, 263, 0},
                              {400, 294, 0},
                              {400, 295, 1},
                              {400, 356, 1},
                              {400, 357, 2},
                              {0, 0, 0},
                              {1024, 768, 7}})
        EXPECT_EQ(GamePlay::laneForDrop(x, y), lane) << x << "," << y;
}

TEST_F(Placement, ATrapFollowsThePointerAndDroppedKeepsItsXSitsOnItsLanesLineAndIsChargedOnce)
{
    playToSixPoints();
    game->mouseMove(40, 80);
    game->mouseDown(1, 40, 80); // the mud
    ASSERT_EQ(game->getTraps().size(), 1u);
    const Trap& mud = *game->getTraps()[0];
    EXPECT_EQ(mud.getXPos(), 25);
    EXPECT_EQ(mud.getYPos(), 65);
    game->mouseMove(500, 500);
    EXPECT_EQ(mud.getXPos(), 485);
    EXPECT_EQ(mud.getYPos(), 485);
    game->mouseDown(1, 920, 700); // no race with a trap in hand
    EXPECT_TRUE(game->isPlacing());
    EXPECT_EQ(game->getPoints(), 6); // nothing spent until dropped
    game->mouseUp(1, 420, 274);      // 694: halfway between lanes 0 and 1
    EXPECT_FALSE(game->isDragging());
    EXPECT_EQ(mud.getLane(), 0);
    EXPECT_EQ(mud.getXPos(), 405);
    EXPECT_EQ(mud.getYPos(), 648 - 420);
    EXPECT_EQ(game->getPoints(), 4);

    play().dropTrap(Tray::Mud, 700, 500); // 1200: nearest lane 9 would be 1221, lane 7 line is 1097
    EXPECT_EQ(game->getTraps()[1]->getLane(), 7);
    EXPECT_EQ(game->getTraps()[1]->getYPos(), 648 + 62 * 7 - 700);
    EXPECT_EQ(game->getPoints(), 2);

    // 2 points: the mud's icon takes no more clicks.
    play().dropTrap(Tray::Mud, 420, 274);
    EXPECT_EQ(game->getTraps().size(), 2u);
}

// ---- collisions ----

TEST_F(Collisions, StepsTakenWithoutDrawingRunTheSameRace)
{
    play().go();
    const int drawnSteps = runRace();
    const int crushed = crushedRunners();
    SetUp(); // the same runners again
    play().go();
    int steps = 0;
    for (; !game->isRaceOver() && steps < 2000; ++steps)
        steps % 4 == 3 ? frame() : game->step();
    EXPECT_EQ(steps, drawnSteps);
    EXPECT_EQ(crushedRunners(), crushed);
}

TEST_F(Collisions, AtTheStartTheWallIs68BehindEveryRunner)
{
    for (int lane = 0; lane < 8; ++lane) {
        EXPECT_FALSE(collideAt(lane, 124 + 31 * lane).isCrushed()) << lane; // on the wall's edge: spared
        EXPECT_TRUE(collideAt(lane, 123 + 31 * lane).isCrushed()) << lane;
    }
}

TEST_F(Collisions, HurdleWindowBoundsAreStrict)
{
    const int lane = 2;
    Hurdle& hurdle = game->getHurdle(5 * lane + 3);
    const int hx = hurdle.getX();
    for (int x : {hx, hx + 5}) {
        EXPECT_FALSE(collideAt(lane, x).isTripped()) << x - hx;
        EXPECT_FALSE(hurdle.isToppled());
    }
    for (int x : {hx + 1, hx + 4}) {
        SoundLog sounds;
        EXPECT_TRUE(collideAt(lane, x).isTripped()) << x - hx;
        EXPECT_TRUE(hurdle.isToppled());
        EXPECT_EQ(sounds.count(Sounds::Trip), 1);
    }
    // Toppled, it still trips the next runner that reaches it.
    EXPECT_TRUE(collideAt(lane, hx + 2).isTripped());
    // Only hurdles of the runner's own lane count.
    EXPECT_FALSE(collideAt(lane + 1, hx + 2).isTripped());
}

TEST_F(Collisions, AJumpingOrDownedRunnerPassesHurdlesButNotTheWall)
{
    Hurdler& runner = game->getRunner(0);
    placeJumper(runner, 0, game->getHurdle(1).getX() + 2);
    ASSERT_TRUE(runner.isJumping());
    game->collisionDetection();
    EXPECT_FALSE(runner.isTripped());
    EXPECT_FALSE(game->getHurdle(1).isToppled());

    ASSERT_TRUE(collideAt(0, 290).isTripped());
    for (int i = 0; i < 10; ++i)
        runner.move();
    const float left = runner.getTripLeft();
    SoundLog sounds;
    game->collisionDetection();
    EXPECT_EQ(runner.getTripLeft(), left); // a second trip would have restarted it at 160
    EXPECT_EQ(sounds.count(Sounds::Trip), 0);

    placeJumper(runner, 0, 100);
    ASSERT_TRUE(runner.isJumping());
    game->collisionDetection();
    EXPECT_TRUE(runner.isCrushed());
}

TEST_F(Collisions, TheWallTopplesEveryHurdleBehindItsEdgeInEveryLane)
{
    for (int frame = 0; frame < 400; ++frame)
        game->getWall().move(); // 305: edge 324 + 31 * lane
    for (int lane = 0; lane < 8; ++lane)
        placeRunner(game->getRunner(lane), lane, 700 + 31 * lane); // far ahead
    game->collisionDetection();
    for (int lane = 0; lane < 8; ++lane)
        for (int i = 0; i < 5; ++i) {
            const Hurdle& hurdle = game->getHurdle(5 * lane + i);
            EXPECT_EQ(hurdle.isToppled(), hurdle.getX() < 324 + 31 * lane) << lane << "," << i;
        }
}

TEST_F(Collisions, TheRaceEndsInTheFrameTheLastRunnerIsCrushedOrOverTheLine)
{
    for (int lane = 0; lane < 7; ++lane)
        placeRunner(game->getRunner(lane), lane, 580 + 31 * lane);
    placeRunner(game->getRunner(7), 7, 579 + 31 * 7);
    game->collisionDetection();
    EXPECT_FALSE(game->isRaceOver());
    placeRunner(game->getRunner(7), 7, 100);
    SoundLog sounds;
    game->collisionDetection();
    EXPECT_TRUE(game->getRunner(7).isCrushed());
    EXPECT_EQ(sounds.count(Sounds::Die), 1);
    EXPECT_TRUE(game->isRaceOver());
}

TEST_F(Collisions, TrapWindowBoundsAreStrictAndTheEarlierOfTwoTrapsAtOneSpotFiresFirst)
{
    playToSixPoints();
    play().dropTrapAhead(Tray::Mud, 3, 100);
    play().dropTrapAhead(Tray::Mud, 3, 100);
    ASSERT_EQ(game->getTraps().size(), 2u);
    const Trap& first = *game->getTraps()[0];
    const Trap& second = *game->getTraps()[1];
    ASSERT_EQ(first.getLane(), 3);
    ASSERT_EQ(first.getXPos(), second.getXPos());
    const int tx = first.getXPos();
    Hurdler& runner = game->getRunner(3);
    for (int x : {tx, tx + 5}) {
        collideAt(3, x);
        EXPECT_FALSE(first.isTriggered()) << x - tx;
        EXPECT_EQ(runner.getSlowLeft(), 0.0f);
    }
    // A runner of another lane at the same x passes.
    collideAt(2, tx + 2);
    EXPECT_FALSE(first.isTriggered());

    collideAt(3, tx + 1);
    EXPECT_TRUE(first.isTriggered());
    EXPECT_FALSE(second.isTriggered());
    EXPECT_EQ(runner.getSlowLeft(), 160.0f);
    // Once the first has fired it no longer hides the second, whose points were spent all the same.
    game->collisionDetection();
    EXPECT_TRUE(second.isTriggered());
}

TEST_F(Collisions, ATrapFiresInTheFrameAHurdleTripsTheRunnerToo)
{
    playToSixPoints();
    const int hx = game->getHurdle(5 * 4 + 2).getX();
    const int x = hx + 15; // trap x = hurdle x
    play().dropTrap(Tray::Mud, x, 663 + 62 * 4 - x);
    ASSERT_EQ(game->getTraps()[0]->getXPos(), hx);
    const Hurdler& runner = collideAt(4, hx + 3);
    EXPECT_TRUE(runner.isTripped());
    EXPECT_TRUE(game->getTraps()[0]->isTriggered());
    EXPECT_EQ(runner.getSlowLeft(), 160.0f);
}

// ---- drawing ----

namespace {

// Text, x, y, size and opacity.
using Words = std::tuple<std::string, int, int, float, float>;

// The calls from `at` on draw these pictures, or write these words, in this order.
void expectNext(const RecordingDrawer& drawer, std::size_t& at, const std::vector<Seen>& pictures)
{
    for (const Seen& picture : pictures) {
        ASSERT_LT(at, drawer.calls().size());
        EXPECT_TRUE(drawer.drawsAt(drawer.calls()[at], picture)) << "call " << at;
        ++at;
    }
}

void expectNext(const RecordingDrawer& drawer, std::size_t& at, const std::vector<Words>& texts)
{
    for (const auto& [text, x, y, size, alpha] : texts) {
        ASSERT_LT(at, drawer.calls().size());
        EXPECT_TRUE(RecordingDrawer::writes(drawer.calls()[at++], text, x, y, size, alpha));
    }
}

void expectHurdles(const RecordingDrawer& drawer, std::size_t& at, GamePlay& game)
{
    std::vector<Seen> hurdles;
    for (int number = 0; number < Track::hurdleCount; ++number) {
        const Hurdle& hurdle = game.getHurdle(number);
        if (hurdle.isToppled())
            hurdles.push_back({PICTURE(hurdleover_png), hurdle.getX() + 8, hurdle.getY() + 8});
        else
            hurdles.push_back({PICTURE(hurdle_png), hurdle.getX(), hurdle.getY()});
    }
    expectNext(drawer, at, hurdles);
}

const std::vector<Seen> backdrop{{PICTURE(background_jpg), 0, 0}, {PICTURE(track_png), 50, 40}};

} // namespace

TEST_F(RaceDrawing, FirstPlacementPhase)
{
    game->mouseMove(600, 700);
    frame();
    std::size_t at = 0;
    expectNext(drawer, at, backdrop);
    // 3 points: no tray icon, straight to the go button. Then five hurdles a lane, 64 apart up
    // the track, with the runners (not drawn yet) on their starting lines.
    expectNext(drawer, at, {{PICTURE(gobutton_png), 864, 650}});
    for (int lane = 0; lane < 8; ++lane) {
        for (int i = 0; i < 5; ++i)
            expectNext(drawer, at, {{PICTURE(hurdle_png), 288 + 31 * lane + 64 * i, 326 + 31 * lane - 62 * i}});
        EXPECT_EQ(game->getRunner(lane).getXPos(), 192 + 31 * lane);
        EXPECT_EQ(game->getRunner(lane).getYPos(), 422 + 31 * lane);
    }
    EXPECT_EQ(game->getHarry().getXPos(), 192);
    EXPECT_EQ(game->getHarry().getYPos(), 422);
    expectNext(drawer, at, {{PICTURE(wall_png), 105, 425}});
    expectNext(drawer, at,
               {{"points remaining ", 0, 0, 32.0f, 1.0f},
                {"3", 544, 0, 32.0f, 1.0f},
                {"drag hurdles", 715, 560, 24.0f, 0.8f},
                {"to trip hurdlers", 620, 600, 24.0f, 0.8f}});
    expectNext(drawer, at, {{PICTURE(mousearrow_png), 590, 694}});
    EXPECT_EQ(at, drawer.calls().size());
}

TEST_F(RaceDrawing, ARaceShowsRunnersAndNoTextsOrCursorUntilItIsOver)
{
    play().shiftHurdle(game->getHurdle(0));
    play().go();
    frame();
    std::size_t at = 0;
    expectNext(drawer, at, backdrop);
    expectHurdles(drawer, at, *game);
    for (int lane = 0; lane < 8; ++lane) {
        const Hurdler& runner = game->getRunner(lane);
        expectNext(drawer, at, {{PICTURE(hurdler1_png), runner.getXPos(), runner.getYPos()}});
    }
    // One frame of the race: the wall has moved half a unit, to 105.5, 424.5, drawn truncated.
    expectNext(drawer, at, {{PICTURE(wall_png), 105, 424}});
    EXPECT_EQ(at, drawer.calls().size());
    EXPECT_EQ(game->getRunner(0).getX(), 192.0f + game->getRunner(0).getSpeed());

    // Once the race is over the player is told to click, and nothing moves any more.
    runRace();
    const float wallX = game->getWall().getX();
    const float runnerX = game->getRunner(3).getX();
    frame();
    frame();
    EXPECT_EQ(game->getWall().getX(), wallX);
    EXPECT_EQ(game->getRunner(3).getX(), runnerX);
    at = drawer.calls().size() - 2;
    expectNext(drawer, at, {{"race over", 217, 352, 64.0f, 1.0f}, {"click to continue", 235, 500, 32.0f, 1.0f}});
    EXPECT_EQ(drawer.texts().size(), 2u);
    // The runners are still drawn, and the wall last before the texts.
    EXPECT_EQ(drawer.callsOf(PICTURE(wall_png)).size(), 1u);
    EXPECT_EQ(drawer.calls().size(), 2u + 40u + 8u + 1u + 2u);
}

TEST_F(RaceDrawing, TheThreeLineHintOnlyInTheSecondPlacementWithMoreThanThreePoints)
{
    play().shiftHurdle(game->getHurdle(0));
    play().shiftHurdle(game->getHurdle(1));
    play().go();
    runRace();
    play().clickOn(); // one crushed: 4 points
    frame();
    std::size_t at = drawer.calls().size() - 6;
    expectNext(drawer, at,
               {{"points remaining ", 0, 0, 32.0f, 1.0f},
                {"4", 544, 0, 32.0f, 1.0f},
                {"drag traps onto", 650, 520, 24.0f, 0.8f},
                {"track to trip", 700, 560, 24.0f, 0.8f},
                {"hurdlers", 820, 600, 24.0f, 0.8f}});
    EXPECT_FALSE(drawer.shows("drag hurdles"));
    // The mud is offered at 4: icon drawn after the track, before the go button.
    at = 2;
    expectNext(drawer, at, {{PICTURE(mudicon_png), 10, 40}, {PICTURE(gobutton_png), 864, 650}});

    play().shiftHurdle(game->getHurdle(10)); // 3 points: the hint goes
    frame();
    EXPECT_FALSE(drawer.shows("drag traps onto"));
    EXPECT_EQ(drawer.texts().size(), 2u);
}

TEST_F(RaceDrawing, TwoCrushedAddTwoEveryRaceStartsFreshAndTheTrayOffersWhatTheBudgetBuys)
{
    playToSixPoints(); // 3, one crushed: 4, two crushed: 6
    EXPECT_EQ(game->getRaceBudget(), 6);
    // The next placement: runners, hurdles and wall back in place, nothing toppled or moved.
    EXPECT_TRUE(game->isPlacing());
    EXPECT_FALSE(game->isRaceOver());
    EXPECT_EQ(game->getWall().getX(), 105.0f);
    for (int lane = 0; lane < 8; ++lane) {
        EXPECT_FALSE(game->getRunner(lane).isCrushed());
        EXPECT_EQ(game->getRunner(lane).getXPos(), 192 + 31 * lane);
    }
    for (int number = 0; number < Track::hurdleCount; ++number) {
        EXPECT_FALSE(game->getHurdle(number).isToppled());
        EXPECT_FALSE(game->getHurdle(number).isMoved());
    }
    EXPECT_EQ(game->getHurdle(0).getX(), 288);

    // Six points: rake, ghost and mud, drawn rake first. The third placement has no hint at all.
    frame();
    EXPECT_EQ(drawer.texts().size(), 2u);
    std::size_t at = 0;
    expectNext(drawer, at, backdrop);
    expectNext(drawer, at,
               {{PICTURE(rakeicon_png), 158, 40},
                {PICTURE(ghosticon_png), 84, 40},
                {PICTURE(mudicon_png), 10, 40},
                {PICTURE(gobutton_png), 864, 650}});

    play().dropTrapAhead(Tray::Ghost, 2, 40);
    ASSERT_EQ(game->getTraps().size(), 1u);
    frame();
    at = 0;
    // 3 points left: no icon is offered any more. The traps come after the tray, before the hurdles.
    expectNext(drawer, at, backdrop);
    expectNext(drawer, at, {{PICTURE(gobutton_png), 864, 650}});
    const Trap& ghost = *game->getTraps()[0];
    expectNext(drawer, at, {{PICTURE(ghost_png), ghost.getXPos() + 15, ghost.getYPos() - 30}});
    expectHurdles(drawer, at, *game);

    // The traps of a race are gone after it.
    play().go();
    runRace();
    EXPECT_EQ(game->getTraps().size(), 1u);
    play().clickOn();
    EXPECT_TRUE(game->getTraps().empty());
    EXPECT_FALSE(game->isDragging());
}

TEST_F(RaceDrawing, TheScreenGivesItsPicturesBackWhenItGoes)
{
    frame();
    frame();                          // loads nothing more
    const std::size_t shared = 2 + 1; // hurdle pictures, and the wall's own
    const std::size_t live = drawer.liveImages();
    EXPECT_EQ(drawer.imagesLoaded(), 13u + shared);
    game.reset();
    EXPECT_EQ(drawer.liveImages(), live - 14u); // 13 of the screen's and the wall's
    for (int screen = 0; screen < 5; ++screen) {
        game = std::make_unique<GamePlay>();
        play().go();
        frame();
        frame();
        game.reset();
    }
    // Runner pictures are shared: loaded once, kept.
    EXPECT_EQ(drawer.liveImages(), 2u + 5u);
}
