// The hurdlers and Harry: the random draw, the jump rhythm, knock-downs and protection, the
// knock-back, Harry's lanes, and what a runner draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/SoundLog.h"
#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "support/RecordingDrawer.h"

namespace {

void moveFrames(Hurdler& runner, int frames)
{
    for (int i = 0; i < frames; ++i)
        runner.move();
}

// A runner at lane 0's start that covers exactly 1 unit per frame, so distances are frame counts.
struct SteadyRunner : ::testing::Test {
    void SetUp() override
    {
        runner.setSpeed(1.0f);
        runner.initPosition(192, 422);
    }
    // One step of the runner's picture, and the frame that shows it.
    DrawCall drawOnce()
    {
        runner.animate();
        const std::vector<DrawCall>& calls = drawer.record([this](Drawer* to) { runner.draw(to); });
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? DrawCall{} : calls.front();
    }
    Hurdler runner;
    RecordingDrawer drawer;
};

} // namespace

TEST(RandomDraw, StaysInRangeAndWrapsAtTheTopOfTheCounter)
{
    int counter = 2147483600;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float u = Hurdler::randomDraw(counter);
        ASSERT_GT(u, 0.0f);
        ASSERT_LE(u, 1.0f);
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
    EXPECT_LT(counter, 0); // went past the largest int without trouble
}

TEST(RandomDraw, CounterZeroGivesTheKnownValueAndAHurdlerTakesTwoDrawsHarryOneOfHisOwn)
{
    int counter = 0;
    EXPECT_NEAR(Hurdler::randomDraw(counter), 0.3868135f, 1e-7);
    EXPECT_EQ(counter, 1);

    Hurdler::randy = 0;
    Harry::randy = 100;
    Hurdler first;
    EXPECT_NEAR(first.getSpeed(), 1.0967034f, 1e-7); // 0.3868135 * 0.25 + 1
    EXPECT_EQ(Hurdler::randy, 2);

    Harry harry;
    EXPECT_EQ(Hurdler::randy, 4);
    EXPECT_EQ(Harry::randy, 101);
    EXPECT_EQ(harry.getSpeed(), 8.0f);
    harry.increaseSpeed(); // his later draws too, so the hurdlers' sequence is untouched
    EXPECT_EQ(Hurdler::randy, 4);
    EXPECT_EQ(Harry::randy, 102);

    // Two runners from the same counter run at the same speed: a game can be replayed.
    Hurdler::randy = 0;
    Hurdler again;
    EXPECT_EQ(again.getSpeed(), first.getSpeed());
}

TEST(RandomDraw, SpeedsGrowWithinTheirFactorsAndResetComesBackInRange)
{
    Hurdler::randy = 12345;
    Hurdler runner;
    for (int race = 0; race < 20; ++race) {
        const float before = runner.getSpeed();
        const int counter = Hurdler::randy;
        runner.increaseSpeed();
        EXPECT_EQ(Hurdler::randy, counter + 1);
        EXPECT_GE(runner.getSpeed(), before);
        EXPECT_LE(runner.getSpeed(), before * 1.075f * 1.000001f);
    }
    runner.resetSpeed();
    EXPECT_GE(runner.getSpeed(), 1.0f);
    EXPECT_LE(runner.getSpeed(), 1.25f);
}

// At pace 1 the jumps start at exactly 88, 152, 216, 280 and 344 units; at a pace that does not
// divide them, at the first step past each point, counted from where the last jump started.
TEST_F(SteadyRunner, JumpsStartAfter88UnitsThenEvery64AndThereIsNoSixth)
{
    for (const float speed : {1.0f, 1.0967034f}) {
        SCOPED_TRACE(speed);
        runner.setSpeed(speed);
        runner.initPosition(192, 422);
        SoundLog sounds;
        std::vector<float> jumpPoints;
        for (int frame = 1; frame <= 600; ++frame) {
            const int jumps = runner.getJumpsMade();
            runner.move();
            if (runner.getJumpsMade() != jumps) {
                jumpPoints.push_back(runner.getX() - 192.0f);
                EXPECT_EQ(runner.getJumpLeft(), 24.0f);
            }
        }
        ASSERT_EQ(jumpPoints.size(), 5u);
        EXPECT_EQ(sounds.count(Sounds::Jump), 5);
        EXPECT_GE(jumpPoints[0], 88.0f - 1e-3f);
        EXPECT_LT(jumpPoints[0], 88.0f + speed);
        for (std::size_t i = 1; i < jumpPoints.size(); ++i) {
            EXPECT_GE(jumpPoints[i] - jumpPoints[i - 1], 64.0f - 1e-3f);
            EXPECT_LT(jumpPoints[i] - jumpPoints[i - 1], 64.0f + speed);
        }
        EXPECT_NEAR(runner.getX(), 192.0f + 600 * speed, 0.05f); // jumping on up the lane
        EXPECT_NEAR(runner.getY(), 422.0f - 600 * speed, 0.05f);
    }
}

TEST_F(SteadyRunner, TripKnocksDownFor160WithItsSoundScareAndBoingLongerAndSilentlyThenSixteenUnitsOfProtection)
{
    SoundLog sounds;
    runner.scare();
    runner.boing(); // already down: knocked down afresh with the new length
    EXPECT_EQ(runner.getTripLeft(), 384.0f);
    EXPECT_EQ(sounds.total(), 0);
    runner.trip();
    EXPECT_EQ(runner.getTripLeft(), 160.0f);
    EXPECT_EQ(sounds.count(Sounds::Trip), 1);
    const float x = runner.getX();
    moveFrames(runner, 159);
    EXPECT_TRUE(runner.isTripped());
    EXPECT_EQ(runner.getX(), x); // a runner that is down does not move
    runner.move();
    EXPECT_FALSE(runner.isTripped());
    EXPECT_EQ(runner.getImmuneLeft(), 16.0f);
    EXPECT_EQ(runner.getX(), x);

    for (int frame = 0; frame < 16; ++frame) {
        runner.trip();
        runner.scare();
        runner.boing();
        EXPECT_FALSE(runner.isTripped()) << "frame " << frame;
        runner.move();
    }
    EXPECT_EQ(runner.getX(), x + 16.0f);
    EXPECT_EQ(sounds.count(Sounds::Trip), 1);
    EXPECT_EQ(runner.getImmuneLeft(), 0.0f);
    runner.trip();
    EXPECT_TRUE(runner.isTripped());
    EXPECT_EQ(sounds.count(Sounds::Trip), 2);
}

TEST_F(SteadyRunner, MudSlowsToASixteenthForItsDistanceAndStretchesATrip)
{
    runner.decreaseSpeed();
    const float x = runner.getX();
    moveFrames(runner, 160);
    EXPECT_FLOAT_EQ(runner.getX() - x, 10.0f); // 160 frames at 1/16
    runner.move();                             // at full pace again
    EXPECT_FLOAT_EQ(runner.getX() - x, 11.0f);

    // Tripped while slowed: the trip counts down by the slowed step until the mud wears off.
    runner.decreaseSpeed();
    runner.trip();
    moveFrames(runner, 160);
    EXPECT_FLOAT_EQ(runner.getTripLeft(), 150.0f);
    moveFrames(runner, 149);
    EXPECT_TRUE(runner.isTripped());
    runner.move();
    EXPECT_FALSE(runner.isTripped());
}

// Knocked 75 back, a runner that lands behind the point of its last jump takes that jump again at
// once, finishing from there what was left of it: 5 before the first jump point it has 16 of it
// left; 30 before the second, the whole first jump (not drawn, so not counted down) is still in
// the air; after the fifth it gets the fifth back.
TEST_F(SteadyRunner, BiffoGivesTheLastJumpBackFinishingItFromWhereTheRunnerLands)
{
    struct Case {
        int frames;
        float nextJump;
        int jumps;
        float jumpLeft;
    };
    for (const Case c : {Case{83, 5.0f, 0, 16.0f}, Case{122, 30.0f, 1, 24.0f}, Case{400, 64.0f, 5, 24.0f}}) {
        SCOPED_TRACE(c.frames);
        runner.initPosition(192, 422);
        moveFrames(runner, c.frames);
        ASSERT_EQ(runner.getNextJump(), c.nextJump);
        ASSERT_EQ(runner.getJumpsMade(), c.jumps);
        SoundLog sounds;
        runner.biffo();
        EXPECT_EQ(runner.getX(), 192.0f + c.frames - 75.0f);
        EXPECT_EQ(runner.getY(), 422.0f - c.frames + 50.0f); // 50 down, not 75
        EXPECT_EQ(runner.getJumpLeft(), c.jumpLeft);
        EXPECT_EQ(runner.getJumpsMade(), c.jumps - 1);
        EXPECT_EQ(runner.getNextJump(), 0.0f);
        EXPECT_EQ(sounds.total(), 0);
        runner.move();
        EXPECT_EQ(runner.getJumpsMade(), c.jumps); // and a fresh jump in the air
        EXPECT_EQ(runner.getJumpLeft(), 24.0f);
        EXPECT_EQ(sounds.count(Sounds::Jump), 1);
    }
}

TEST_F(SteadyRunner, CrushIsFinalAndCriesOnceUntilInitPositionClearsTheRaceKeepingSpeedAndAnimation)
{
    runner.setSpeed(1.125f);
    for (int frame = 0; frame < 100; ++frame) {
        runner.move();
        runner.animate();
    }
    runner.decreaseSpeed();
    runner.trip();
    SoundLog sounds;
    runner.crush();
    runner.crush();
    EXPECT_TRUE(runner.isCrushed());
    EXPECT_EQ(sounds.count(Sounds::Die), 1);
    const float x = runner.getX();
    moveFrames(runner, 50);
    EXPECT_EQ(runner.getX(), x);
    runner.biffo(); // effects still change the body
    EXPECT_EQ(runner.getX(), x - 75.0f);

    const int frameBefore = runner.getFrame();
    runner.initPosition(223, 453);
    EXPECT_EQ(runner.getY(), 453.0f);
    EXPECT_EQ(runner.getFrame(), frameBefore);
    EXPECT_FALSE(runner.isJumping());
    EXPECT_EQ(runner.getNextJump(), 88.0f);
    EXPECT_EQ(runner.getJumpsMade(), 0);
    EXPECT_EQ(runner.getTripLeft(), 0.0f);
    EXPECT_EQ(runner.getImmuneLeft(), 0.0f);
    runner.move();
    EXPECT_EQ(runner.getX(), 224.125f); // from 223 at 1.125: neither crushed, down nor in the mud any more
}

TEST_F(SteadyRunner, DrawsRunningFramesFiveDrawsEachThenTheJumpLiftedBy32)
{
    std::vector<bool> firstFrame;
    for (int draw = 0; draw < 20; ++draw) {
        const DrawCall call = drawOnce();
        const bool one = drawer.drawsAt(call, PICTURE(hurdler1_png), 192, 422);
        EXPECT_TRUE(one || drawer.drawsAt(call, PICTURE(hurdler2_png), 192, 422)) << "draw " << draw;
        firstFrame.push_back(one);
    }
    EXPECT_EQ(firstFrame, (std::vector<bool>{true, true, true, true, true, false, false, false, false, false,
                                             true, true, true, true, true, false, false, false, false, false}));

    moveFrames(runner, 88);
    ASSERT_TRUE(runner.isJumping());
    for (int draw = 1; draw <= 24; ++draw) {
        const DrawCall call = drawOnce();
        EXPECT_EQ(call.y, runner.getYPos() - 32) << "draw " << draw;
        // The draw that uses up the jump already shows a running frame, still lifted.
        EXPECT_EQ(drawer.isPicture(call.id, PICTURE(jumping_png)), draw < 24) << "draw " << draw;
    }
    EXPECT_FALSE(runner.isJumping());
    EXPECT_EQ(drawOnce().y, runner.getYPos());
}

TEST_F(SteadyRunner, DrawsTheDownedAndTheDeadLowerAndADownedRunnerKeepsItsFrame)
{
    runner.trip();
    const int frame = runner.getFrame();
    // Six draws: a runner on its feet would have changed frame after five.
    for (int draw = 0; draw < 6; ++draw)
        EXPECT_TRUE(drawer.drawsAt(drawOnce(), PICTURE(tripped_png), 192, 422 + 15));
    EXPECT_EQ(runner.getFrame(), frame);
    runner.crush();
    EXPECT_TRUE(drawer.drawsAt(drawOnce(), PICTURE(dead_png), 192, 422 + 15));
}

TEST(Runner, ImagesAreSharedByAllHurdlersAndHarryAndLoadedOncePerDrawer)
{
    RecordingDrawer drawer;
    Hurdler one;
    Hurdler two;
    Harry harry;
    one.draw(&drawer);
    EXPECT_EQ(drawer.imagesLoaded(), 5u);
    two.draw(&drawer);
    one.draw(&drawer);
    EXPECT_EQ(drawer.imagesLoaded(), 5u);
    harry.draw(&drawer);
    EXPECT_EQ(drawer.imagesLoaded(), 5u);
    EXPECT_TRUE(drawer.isPicture(Hurdler::running1.id(), PICTURE(hurdler1_png)));

    RecordingDrawer another;
    two.draw(&another);
    EXPECT_EQ(another.imagesLoaded(), 5u);
}

// ---- Harry ----

namespace {

// A counter from which the next `count` draws all fall on the chosen side of one half.
int counterWithRun(bool above, int count, int from)
{
    for (int start = from;; ++start) {
        int counter = start;
        bool all = true;
        for (int i = 0; i < count && all; ++i)
            all = (Hurdler::randomDraw(counter) > 0.5f) == above;
        if (all)
            return start;
    }
}

} // namespace

// Every 64 units a high draw moves him a whole lane outwards and a low one inwards; at lane 0 a low
// draw keeps him there, and from lane 7 he always moves inwards. The mud halves his eight.
TEST(HarryLanes, DecidesEvery64UnitsOutwardsOnAHighDrawInwardsOnALowOneAndTurnsAtTheEdges)
{
    for (const int from : {0, 3, 7})
        for (const bool high : {true, false}) {
            SCOPED_TRACE(std::to_string(from) + (high ? " high" : " low"));
            Harry harry;
            harry.initPosition(192, 422);
            Harry::randy = counterWithRun(true, from, 0);
            moveFrames(harry, 8 * from); // at speed 8, a decision every 8 frames
            ASSERT_EQ(harry.getLane(), from);
            const float x = harry.getX();
            const float y = harry.getY();
            Harry::randy = counterWithRun(high, 1, 0);
            moveFrames(harry, 7);
            EXPECT_EQ(harry.getLane(), from);
            EXPECT_EQ(harry.getNextLaneChange(), 8.0f);
            harry.move();
            const int lane = from == 7 ? 6 : high ? from + 1 : std::max(from - 1, 0);
            EXPECT_EQ(harry.getLane(), lane);
            EXPECT_EQ(harry.getNextLaneChange(), 64.0f);
            EXPECT_EQ(harry.getX(), x + 64.0f + 31.0f * (lane - from));
            EXPECT_EQ(harry.getY(), y - 64.0f + 31.0f * (lane - from));
            harry.decreaseSpeed();
            harry.move();
            EXPECT_EQ(harry.getX(), x + 64.5f + 31.0f * (lane - from));
        }
}

TEST(HarryLanes, FromLaneZeroHeStaysOrMovesOutWithAboutEvenChance)
{
    int outwards = 0;
    for (int seed = 0; seed < 1000; ++seed) {
        Harry harry;
        harry.initPosition(192, 422);
        Harry::randy = seed * 7919;
        moveFrames(harry, 8);
        ASSERT_LE(harry.getLane(), 1);
        outwards += harry.getLane();
    }
    EXPECT_GT(outwards, 430);
    EXPECT_LT(outwards, 570);
}

TEST(HarryLanes, NoDecisionWhileDownAndInitPositionStartsLaneZeroAfresh)
{
    Harry harry;
    harry.initPosition(192, 422);
    Harry::randy = counterWithRun(true, 3, 0);
    harry.trip();
    const int counter = Harry::randy;
    moveFrames(harry, 19); // 160 / 8 = 20 frames down; still down for 19
    EXPECT_TRUE(harry.isTripped());
    EXPECT_EQ(Harry::randy, counter);
    EXPECT_EQ(harry.getNextLaneChange(), 64.0f);
    harry.move();
    EXPECT_FALSE(harry.isTripped());
    moveFrames(harry, 16);
    EXPECT_EQ(harry.getLane(), 2);
    harry.initPosition(192, 422);
    EXPECT_EQ(harry.getLane(), 0);
    EXPECT_EQ(harry.getNextLaneChange(), 64.0f);
}
