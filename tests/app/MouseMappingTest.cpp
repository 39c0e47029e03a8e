// Mouse positions land where the player sees them, in 4:3 and letterboxed windows.
#include <gtest/gtest.h>

#include "app/MouseMapping.h"
#include "draw/PictureArea.h"

TEST(MouseMapping, FourThreeWindowsUseTheClassicFormulaExactly)
{
    const MouseMapping mapping(800, 600);
    EXPECT_EQ(mapping.mapX(799), 1022);
    EXPECT_EQ(mapping.mapY(599), 766);
    EXPECT_EQ(mapping.mapX(0), 0);
    EXPECT_EQ(mapping.mapY(0), 0);
    for (int x = 0; x < 800; ++x)
        ASSERT_EQ(mapping.mapX(x), static_cast<int>(static_cast<float>(x) / 800.0f * 1024.0f)) << x;
    for (int y = 0; y < 600; ++y)
        ASSERT_EQ(mapping.mapY(y), static_cast<int>(static_cast<float>(y) / 600.0f * 768.0f)) << y;

    const MouseMapping native(1024, 768);
    EXPECT_EQ(native.mapX(517), 517);
    EXPECT_EQ(native.mapY(300), 300);
}

TEST(MouseMapping, WideWindowMapsThroughThePictureAndClampsTheBars)
{
    // 1024 by 600: the picture is 800 wide, starting 112 pixels in.
    const MouseMapping mapping(1024, 600);
    EXPECT_EQ(mapping.mapX(112), 0);
    EXPECT_EQ(mapping.mapX(512), 512);
    EXPECT_EQ(mapping.mapX(911), 1022);
    EXPECT_EQ(mapping.mapX(50), 0) << "left bar clamps to the left edge";
    EXPECT_EQ(mapping.mapX(1000), 1023) << "right bar clamps to the right edge";
    EXPECT_EQ(mapping.mapY(599), 766);
}

TEST(MouseMapping, TallWindowMapsThroughThePicture)
{
    // 1280 by 1024: the picture is 960 high with 32-pixel bars above and below.
    const MouseMapping mapping(1280, 1024);
    EXPECT_EQ(mapping.mapY(32), 0);
    EXPECT_EQ(mapping.mapY(10), 0);
    EXPECT_EQ(mapping.mapY(32 + 480), 384);
    EXPECT_EQ(mapping.mapY(1020), 767);
    EXPECT_EQ(mapping.mapX(640), 512);
}

TEST(MouseMapping, OddBarsPutTheExtraPixelAtTheTop)
{
    // 1280 by 1001: 41 spare rows, 20 below the picture (viewport y) and 21 above it.
    const PictureArea area = PictureArea::fit(1280, 1001);
    EXPECT_EQ(area.y, 20);
    EXPECT_EQ(area.height, 960);
    const MouseMapping mapping(1280, 1001);
    EXPECT_EQ(mapping.mapY(21), 0);
    EXPECT_EQ(mapping.mapY(20), 0);
    EXPECT_EQ(mapping.mapY(21 + 959), 767);
}

TEST(MouseMapping, DegenerateWindowsNeverDivideByZero)
{
    const MouseMapping tiny(1, 1);
    EXPECT_EQ(tiny.mapX(0), 0);
    const MouseMapping nothing(0, 0);
    EXPECT_EQ(nothing.mapX(5), 1023);
    EXPECT_EQ(nothing.mapY(-5), 0);
}

TEST(PictureArea, ViewportsOfTheUsualWindows)
{
    auto expect = [](int w, int h, int x, int y, int vw, int vh) {
        const PictureArea area = PictureArea::fit(w, h);
        EXPECT_EQ(area.x, x) << w << "x" << h;
        EXPECT_EQ(area.y, y) << w << "x" << h;
        EXPECT_EQ(area.width, vw) << w << "x" << h;
        EXPECT_EQ(area.height, vh) << w << "x" << h;
    };
    expect(800, 600, 0, 0, 800, 600);
    expect(1024, 768, 0, 0, 1024, 768);
    expect(1024, 600, 112, 0, 800, 600);
    expect(1280, 1024, 0, 32, 1280, 960);
    expect(1280, 800, 106, 0, 1066, 800);
}
