// Hurdles: the one shift per placement phase and the toppled picture. The wall: its pace, its
// grinding sound and the end of its run.
#include <gtest/gtest.h>

#include <tuple>

#include "draw/assets/Images.h"
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

TEST(HurdleShift, ForwardDropMovesHomeOneStepUpTheTrackOnce)
{
    Hurdle hurdle = hurdleAt(300, 400);
    EXPECT_TRUE(hurdle.setPosition(310, 390, true));
    EXPECT_EQ(hurdle.getX(), 332);
    EXPECT_EQ(hurdle.getY(), 368);
    EXPECT_TRUE(hurdle.isMoved());
    // A second drop anywhere snaps it home, free of charge.
    EXPECT_FALSE(hurdle.setPosition(100, 700, true));
    EXPECT_EQ(hurdle.getX(), 332);
    EXPECT_EQ(hurdle.getY(), 368);
    EXPECT_EQ(hurdle.getHomeX(), 332);
}

TEST(HurdleShift, TheBackwardTestComesFirst)
{
    // Further right but lower is backwards, straight up forwards, left however high backwards.
    for (const auto& [dropX, dropY, x, y] :
         {std::tuple{310, 410, 268, 432}, std::tuple{300, 399, 332, 368}, std::tuple{299, 300, 268, 432}}) {
        Hurdle hurdle = hurdleAt(300, 400);
        EXPECT_TRUE(hurdle.setPosition(dropX, dropY, true)) << dropX << ", " << dropY;
        EXPECT_EQ(hurdle.getX(), x) << dropX << ", " << dropY;
        EXPECT_EQ(hurdle.getY(), y) << dropX << ", " << dropY;
    }
}

TEST(HurdleShift, DroppedOnItsHomeItStaysAndCanStillBeShifted)
{
    Hurdle hurdle = hurdleAt(300, 400);
    EXPECT_FALSE(hurdle.setPosition(300, 400, true));
    EXPECT_FALSE(hurdle.isMoved());
    EXPECT_TRUE(hurdle.setPosition(280, 400, true));
    EXPECT_EQ(hurdle.getHomeX(), 268);
}

TEST(HurdleShift, DraggingFollowsThePointerWithoutTouchingTheHome)
{
    Hurdle hurdle = hurdleAt(300, 400);
    EXPECT_FALSE(hurdle.setPosition(500, 100, false));
    EXPECT_EQ(hurdle.getX(), 500);
    EXPECT_EQ(hurdle.getY(), 100);
    EXPECT_EQ(hurdle.getHomeX(), 300);
    EXPECT_EQ(hurdle.getHomeY(), 400);
    EXPECT_FALSE(hurdle.isMoved());
}

TEST(HurdleShift, UnToppleReenablesShiftingButInitPositionAloneDoesNot)
{
    Hurdle hurdle = hurdleAt(300, 400);
    ASSERT_TRUE(hurdle.setPosition(310, 390, true));
    hurdle.topple();
    hurdle.initPosition(300, 400);
    EXPECT_TRUE(hurdle.isMoved());
    EXPECT_TRUE(hurdle.isToppled());
    EXPECT_FALSE(hurdle.setPosition(310, 390, true));
    EXPECT_EQ(hurdle.getX(), 300);

    hurdle.unTopple();
    EXPECT_FALSE(hurdle.isToppled());
    EXPECT_TRUE(hurdle.setPosition(310, 390, true));
}

TEST(HurdleDrawing, StandingAtItsPlaceToppledEightFurtherOn)
{
    RecordingDrawer drawer;
    Hurdle hurdle = hurdleAt(288, 326);
    drawer.beginDrawing();
    hurdle.draw(&drawer);
    hurdle.topple();
    hurdle.draw(&drawer);
    drawer.endDrawing();
    ASSERT_EQ(drawer.calls().size(), 2u);
    const DrawCall& standing = drawer.calls()[0];
    const DrawCall& toppled = drawer.calls()[1];
    EXPECT_TRUE(drawer.isPicture(standing.id, Images::hurdle_png, Images::hurdle_png_length));
    EXPECT_EQ(standing.x, 288);
    EXPECT_EQ(standing.y, 326);
    EXPECT_TRUE(drawer.isPicture(toppled.id, Images::hurdleover_png, Images::hurdleover_png_length));
    EXPECT_EQ(toppled.x, 296);
    EXPECT_EQ(toppled.y, 334);
    EXPECT_EQ(toppled.scaleX, 1.0f);
    EXPECT_EQ(toppled.alpha, 1.0f);
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
            EXPECT_EQ(wall.getX(), 105.0f);
            EXPECT_EQ(wall.getY(), 425.0f);
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

TEST(WallDrawing, DrawsItsOwnPictureAtItsTruncatedPlaceAndGivesItBack)
{
    RecordingDrawer drawer;
    {
        Wall wall;
        wall.move(); // 105.5, 424.5
        drawer.beginDrawing();
        wall.draw(&drawer);
        wall.draw(&drawer);
        drawer.endDrawing();
        ASSERT_EQ(drawer.calls().size(), 2u);
        EXPECT_TRUE(drawer.isPicture(drawer.calls()[0].id, Images::wall_png, Images::wall_png_length));
        EXPECT_EQ(drawer.calls()[0].x, 105);
        EXPECT_EQ(drawer.calls()[0].y, 424);
        EXPECT_EQ(drawer.imagesLoaded(), 1u);
        EXPECT_EQ(drawer.liveImages(), 1u);
    }
    EXPECT_EQ(drawer.liveImages(), 0u);
}
