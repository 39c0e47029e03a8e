// Mouse positions land where the player sees them, in 4:3 and letterboxed windows.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "app/MouseMapping.h"
#include "draw/PictureArea.h"

TEST(MouseMapping, FourThreeWindowsUseTheClassicFormulaExactly)
{
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        const MouseMapping mapping(width, height);
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(mapping.mapX(x), static_cast<int>(static_cast<float>(x) / width * 1024.0f)) << width << ": " << x;
        for (int y = 0; y < height; ++y)
            ASSERT_EQ(mapping.mapY(y), static_cast<int>(static_cast<float>(y) / height * 768.0f))
                << height << ": " << y;
    }
}

TEST(MouseMapping, PositionsMapThroughThePictureAndTheBarsClamp)
{
    struct Case {
        int width, height;
        char axis;
        int position, mapped;
    };
    for (const Case& c :
         {Case{800, 600, 'x', 799, 1022}, Case{800, 600, 'y', 599, 766}, Case{800, 600, 'x', 0, 0},
          Case{800, 600, 'y', 0, 0},
          // 1024 by 600: the picture is 800 wide, starting 112 pixels in; the bars clamp to its edges.
          Case{1024, 600, 'x', 112, 0}, Case{1024, 600, 'x', 512, 512}, Case{1024, 600, 'x', 911, 1022},
          Case{1024, 600, 'x', 50, 0}, Case{1024, 600, 'x', 1000, 1023}, Case{1024, 600, 'y', 599, 766},
          // 1280 by 1024: the picture is 960 high with 32-pixel bars above and below.
          Case{1280, 1024, 'y', 32, 0}, Case{1280, 1024, 'y', 10, 0}, Case{1280, 1024, 'y', 32 + 480, 384},
          Case{1280, 1024, 'y', 1020, 767}, Case{1280, 1024, 'x', 640, 512},
          // 1280 by 1001: 41 spare rows, 20 below the picture (viewport y) and 21 above it.
          Case{1280, 1001, 'y', 21, 0}, Case{1280, 1001, 'y', 20, 0}, Case{1280, 1001, 'y', 21 + 959, 767},
          // Degenerate windows never divide by zero.
          Case{1, 1, 'x', 0, 0}, Case{0, 0, 'x', 5, 1023}, Case{0, 0, 'y', -5, 0}}) {
        const MouseMapping mapping(c.width, c.height);
        EXPECT_EQ(c.axis == 'x' ? mapping.mapX(c.position) : mapping.mapY(c.position), c.mapped)
            << c.width << "x" << c.height << " " << c.axis << " " << c.position;
    }
}

// The areas of the other usual windows are checked whole as the OpenGL drawer's viewports (its test
// runs with the display tests), and the mouse positions above go through them.
TEST(PictureArea, SideBarsAndTheOddRow)
{
    for (const auto& [w, h, expected] :
         {std::tuple(1280, 800, std::array{106, 0, 1066, 800}), std::tuple(1280, 1001, std::array{0, 20, 1280, 960})}) {
        const PictureArea area = PictureArea::fit(w, h);
        EXPECT_EQ((std::array{area.x, area.y, area.width, area.height}), expected) << w << "x" << h;
    }
}
