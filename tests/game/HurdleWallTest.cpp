// Hurdles: the one shift per placement phase and the toppled picture. The wall: its pace, its
// grinding sound and the end of its run (its picture is the race screen's tests').
#include <gtest/gtest.h>

#include <tuple>

#include "game/SoundLog.h"
#include "game/race/Hurdle.h"
#include "game/race/Wall.h"
#include "support/RecordingDrawer.h"

namespace {

Hurdle hurdleAt(int x, int y)
{
    Hurdle hurdle;
    hurdle.initPosition(x, y);
    return hurdle;
}

} // namespace

TEST(HurdleShift, ADropMovesHomeOneStepOnceAndTheBackwardTestComesFirst)
{
    // Up and right is forwards, further right but lower backwards, straight up forwards, left
    // however high backwards.
    for (const auto& [dropX, dropY, x, y] : {std::tuple{310, 390, 332, 368}, std::tuple{310, 410, 268, 432},
                                             std::tuple{300, 399, 332, 368}, std::tuple{299, 300, 268, 432}}) {
        Hurdle hurdle = hurdleAt(300, 400);
        EXPECT_TRUE(hurdle.setPosition(dropX, dropY, true)) << dropX << ", " << dropY;
        EXPECT_EQ(hurdle.getX(), x) << dropX << ", " << dropY;
        EXPECT_EQ(hurdle.getY(), y) << dropX << ", " << dropY;
        EXPECT_TRUE(hurdle.isMoved());
        // A second drop anywhere snaps it home, free of charge.
        EXPECT_FALSE(hurdle.setPosition(100, 700, true));
        EXPECT_EQ(hurdle.getX(), x);
        EXPECT_EQ(hurdle.getY(), y);
        EXPECT_EQ(hurdle.getHomeX(), x);
    }
}

TEST(HurdleDrawing, StandingAtItsPlaceToppledEightFurtherOn)
{
    RecordingDrawer drawer;
    Hurdle hurdle = hurdleAt(288, 326);
    drawer.record([&](Drawer* to) {
        hurdle.draw(to);
        hurdle.topple();
        hurdle.draw(to);
    });
    ASSERT_EQ(drawer.calls().size(), 2u);
    EXPECT_TRUE(drawer.drawsAt(drawer.calls()[0], PICTURE(hurdle_png), 288, 326));
    EXPECT_TRUE(drawer.drawsAt(drawer.calls()[1], PICTURE(hurdleover_png), 296, 334));
}

TEST(WallRun, GrindsOnMovesOneThen252Then503AndEndsOnMove934AndAgainAfterAReset)
{
    Wall wall;
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "after a reset midway" : "fresh");
        if (reset) {
            for (int move = 0; move < 100; ++move)
                wall.move();
            wall.resetPosition();
        }
        SoundLog sounds;
        std::vector<int> grinds;
        int ending = 0;
        for (int move = 1; move <= 1000 && ending == 0; ++move) {
            const int before = sounds.count(Sounds::WallGrinding);
            if (wall.move())
                ending = move;
            if (sounds.count(Sounds::WallGrinding) != before)
                grinds.push_back(move);
        }
        EXPECT_EQ(ending, 934);
        EXPECT_EQ(wall.getX(), 572.0f);
        EXPECT_EQ(wall.getY(), 425.0f - 467.0f);
        EXPECT_EQ(grinds, (std::vector<int>{1, 252, 503, 754}));
        EXPECT_EQ(sounds.total(), 4);
    }
}
