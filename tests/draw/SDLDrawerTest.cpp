// The software drawer under SDL's dummy video driver, read back from the screen surface: where
// pictures and text land, how they are scaled, and that the quick paths (opaque copies, glyphs
// scaled once per size) leave exactly the bytes the plain way of drawing leaves.
#include <SDL/SDL.h>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numeric>
#include <vector>

#include "draw/SoftwareScreen.h"
#include "game/screens/EndingScreen.h"
#include "game/screens/GamePlay.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"

namespace {

class SDLDrawerTest : public SoftwareScreenTest {
protected:
    void SetUp() override
    {
        SoftwareScreenTest::SetUp();
        fill(0, 0, 0);
    }
    void fill(int r, int g, int b) { SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, r, g, b)); }
    Rgba pixel(int x, int y) const { return pixelAt(screen, x, y); }
    bool isColour(int x, int y, Rgba expected) const { return sameColour(pixel(x, y), expected); }
    void expectColourAt(Rgba colour, std::initializer_list<std::array<int, 2>> points) const
    {
        for (const auto& [x, y] : points)
            EXPECT_TRUE(isColour(x, y, colour)) << x << ", " << y;
    }
    // The columns of row y, from `from` to `to` inclusive, whose pixel has the given colour.
    std::vector<int> columnsOf(int y, int from, int to, Rgba colour) const
    {
        std::vector<int> found;
        for (int x = from; x <= to; ++x)
            if (isColour(x, y, colour))
                found.push_back(x);
        return found;
    }
};

const Rgba red{255, 0, 0, 255};
const Rgba black{0, 0, 0, 255};
const Rgba white{255, 255, 255, 255};

} // namespace

TEST_F(SDLDrawerTest, PicturesLandAtTheirPositionScaleFromTheTopLeftAndBlendByTheirOwnAlpha)
{
    const std::uint32_t square = drawer->loadImage(solidImage(40, 40, red), 40, 40);
    drawer->drawImage(square, 100, 200);
    expectColourAt(red, {{100, 200}, {139, 239}});
    expectColourAt(black, {{140, 220}, {120, 240}, {99, 200}, {100, 199}});

    // Scale 2 covers 100-180 by 200-280: anchored at the top-left corner, not about the centre, so
    // nothing grows to the left or above.
    fill(0, 0, 0);
    drawer->drawImage(square, 100, 200, 2.0f, 2.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(250, 50, 250, red).size(), 80u);
    EXPECT_EQ(columnsOf(250, 50, 250, red).front(), 100);
    expectColourAt(red, {{179, 279}});
    expectColourAt(black, {{180, 250}, {150, 280}, {99, 199}});

    // 41 by 41 at 0.5 is 20.5 pixels, drawn 20 by 20.
    fill(0, 0, 0);
    const std::uint32_t odd = drawer->loadImage(solidImage(41, 41, red), 41, 41);
    drawer->drawImage(odd, 300, 300, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f);
    expectColourAt(red, {{319, 319}});
    expectColourAt(black, {{320, 310}, {310, 320}});

    // The two directions scale on their own.
    fill(0, 0, 0);
    drawer->drawImage(square, 10, 10, 3.0f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(15, 0, 200, red).size(), 120u);
    expectColourAt(red, {{50, 29}});
    expectColourAt(black, {{50, 30}});

    // Pictures blend by their own alpha and ignore the colour.
    fill(0, 0, 200);
    const std::uint32_t half = drawer->loadImage(solidImage(10, 10, {255, 0, 0, 128}), 10, 10);
    drawer->drawImage(half, 0, 0);
    drawer->drawImage(half, 20, 0, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.1f);
    const Rgba blended = pixel(5, 5);
    EXPECT_NEAR(blended.r, 128, 2);
    EXPECT_NEAR(blended.b, 100, 2);
    EXPECT_TRUE(isColour(25, 5, blended)) << "a black, nearly invisible tint changes nothing";

    const std::uint32_t clear = drawer->loadImage(solidImage(10, 10, {255, 255, 255, 0}), 10, 10);
    drawer->drawImage(clear, 40, 0);
    EXPECT_TRUE(isColour(45, 5, {0, 0, 200, 255}));
}

TEST_F(SDLDrawerTest, TextCellsSampleTheirGlyphAndStartWhereThePenIsTruncated)
{
    drawer->loadGlyph(Drawer::GlyphA, coordinateImage(64), 64);
    drawer->drawText("a", 200, 100, 24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    // At 24, cells 0, 1, 2 and 23 sample source columns and rows 0, 2, 5 and 61: red holds the
    // source column times 3, green the row times 3.
    for (const auto& [cell, source] : std::initializer_list<std::array<int, 2>>{{0, 0}, {1, 2}, {2, 5}, {23, 61}}) {
        EXPECT_EQ(pixel(200 + cell, 100 + cell).r, source * 3) << cell;
        EXPECT_EQ(pixel(200 + cell, 100 + cell).g, source * 3) << cell;
    }
    expectColourAt(black, {{224, 100}, {200, 124}}); // the cell is 24 pixels wide

    // At 18.5, cells start where the pen is truncated: this glyph's left column marks each start.
    Drawer::Pixels marker = solidImage(64, 64, red);
    for (int i = 0; i < 64 * 64; ++i)
        marker[i * 4 + 3] = i % 64 == 0 ? 255 : 0;
    drawer->loadGlyph(Drawer::GlyphA, std::move(marker), 64);
    drawer->drawText("aaaaa", 100, 50, 18.5f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(60, 90, 200, red), (std::vector<int>{100, 118, 137, 155, 174}));

    // Filled cells are 18 pixels wide, so the half pixels the pen gains leave a gap every second cell.
    fill(0, 0, 0);
    drawer->loadGlyph(Drawer::GlyphA, solidImage(64, 64, white), 64);
    drawer->drawText("aaa", 100, 50, 18.5f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(60, 90, 200, white).size(), 54u);
    expectColourAt(white, {{135, 60}, {137, 60}, {154, 60}});
    expectColourAt(black, {{136, 60}, {155, 60}});
}

TEST_F(SDLDrawerTest, TextIsWhiteWhateverColourIsAskedAndLeavesBlankCells)
{
    loadEmbeddedGlyphs(*drawer);
    fill(40, 80, 120);
    drawer->drawText("a!", 0, 0, 64.0f, 0.0f, 0.0f, 0.0f, 0.75f);
    const std::vector<unsigned char> black75 = screenBytes(screen);
    fill(40, 80, 120);
    drawer->drawText("a!", 0, 0, 64.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(screenBytes(screen) == black75) << "colour and alpha have no effect";
    EXPECT_FALSE(columnsOf(40, 0, 127, white).empty()) << "the glyph's solid parts are plain white";
    // Black text would darken the background; white only lightens it (SDL's blend may round one down).
    for (int x = 0; x < 128; ++x)
        for (int y = 0; y < 64; ++y) {
            const Rgba p = pixel(x, y);
            ASSERT_TRUE(p.r >= 39 && p.g >= 79 && p.b >= 119)
                << x << ", " << y << ": " << p.r << " " << p.g << " " << p.b;
        }

    // A space, capitals, 0x92 and a newline are blank cells of the same width.
    fill(40, 80, 120);
    drawer->drawText(" A\x92\na", 0, 100, 32.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    for (int x = 0; x < 128; ++x)
        for (int y = 100; y < 132; ++y)
            ASSERT_TRUE(isColour(x, y, {40, 80, 120, 255})) << x << ", " << y;
    EXPECT_FALSE(columnsOf(116, 128, 159, white).empty()) << "the fifth cell holds the a";
}

TEST_F(SDLDrawerTest, IdsAreNeverReusedAndEmptySizesUnknownPicturesAndGlyphsWithoutTheirImageDrawNothing)
{
    EXPECT_EQ(drawer->loadImage(nullptr, 10, 10), 0u);
    for (std::uint32_t id = 1; id <= 3; ++id)
        EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), id);
    drawer->releaseImage(2);
    drawer->releaseImage(99);
    EXPECT_EQ(drawer->findImage(2), nullptr);
    EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), 4u);
    EXPECT_EQ(drawer->imageCount(), 3u);
    const SDLDrawer::Image* image = drawer->findImage(4);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 4);
    EXPECT_NE(image->pixels, nullptr) << "the buffer stays with the image";

    const std::uint32_t square = drawer->loadImage(solidImage(40, 40, red), 40, 40);
    fillNoise(screen, 7);
    const std::vector<unsigned char> before = screenBytes(screen);
    const float nan = std::nanf("");
    for (const auto& [scaleX, scaleY] : std::initializer_list<std::array<float, 2>>{
             {0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.02f}, {-1.0f, -1.0f}, {nan, 1.0f}})
        drawer->drawImage(square, 100, 100, scaleX, scaleY, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square + 1, 100, 100); // not an image
    drawer->drawImage(0, 100, 100);
    // No glyph has its image yet; and once one has, text of no size still draws nothing.
    for (const float size : {18.5f, 24.0f, 32.0f, 64.0f})
        drawer->drawText("abc xyz 0123456789.,+-!?", 0, 300, size, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->loadGlyph(Drawer::GlyphC, solidImage(64, 64, red), 64);
    drawer->drawText("c", 100, 100, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawText("c", 100, 100, -24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(screenBytes(screen) == before);

    // A glyph that fails to decode keeps its placeholder; the others draw.
    drawer->loadGlyph(Drawer::GlyphB, solidImage(64, 64, red), 64);
    drawer->loadGlyph(Drawer::GlyphA, nullptr, 64);
    drawer->drawText("ab", 0, 600, 64.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    std::vector<int> secondCell(64);
    std::iota(secondCell.begin(), secondCell.end(), 64);
    EXPECT_EQ(columnsOf(620, 0, 200, red), secondCell);
}

TEST_F(SDLDrawerTest, TheQuickPathsAreTakenAndFollowChanges)
{
    // Opaque pictures get their copying view; a single see-through pixel rules it out.
    const std::uint32_t background = loadEmbedded(*drawer, Images::background_jpg, Images::background_jpg_length);
    ASSERT_NE(drawer->findImage(background), nullptr);
    EXPECT_NE(drawer->findImage(background)->opaque, nullptr);
    Drawer::Pixels almost = solidImage(8, 8, red);
    almost[8 * 4 * 5 + 3] = 254;
    EXPECT_EQ(drawer->findImage(drawer->loadImage(std::move(almost), 8, 8))->opaque, nullptr);

    // Glyphs are scaled once per size, and not at all at their own size.
    loadEmbeddedGlyphs(*drawer);
    drawer->drawText("race over", 0, 0, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    drawer->drawText("race over", 0, 40, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(drawer->scaledGlyphCount(), 6u) << "r, a, c, e, o, v";
    drawer->drawText("aaa", 0, 80, 24.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    drawer->drawText("aaa", 0, 80, 64.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(drawer->scaledGlyphCount(), 7u);

    // A glyph given a new image is scaled afresh: no stale picture from before.
    drawer->loadGlyph(Drawer::GlyphA, solidImage(64, 64, red), 64);
    fill(0, 0, 0);
    drawer->drawText("a", 500, 500, 24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(510, 490, 540, red).size(), 24u);
    EXPECT_EQ(drawer->scaledGlyphCount(), 6u);
}

TEST_F(SDLDrawerTest, ScenesAndTheGamesScreensDrawTheSameBytesAsThePlainWay)
{
    loadIntoBoth();
    // A race in full swing: track, wall, runners, exploding mines, hints and points.
    expectSameAsPlainDrawing(
        [&](Drawer& d) {
            const Pictures& p = picturesOf(d);
            d.drawImage(p.background, 0, 0);
            d.drawImage(p.track, 0, 64);
            d.drawImage(p.wall, -120, 500);
            for (int lane = 0; lane < 8; ++lane)
                d.drawImage(p.hurdler, 300 + lane * 31, 200 + lane * 31);
            float blast = 2.0f;
            for (int step = 0; step < 41; ++step, blast -= 0.05f)
                d.drawImage(p.mine, static_cast<std::int16_t>(20 * step), 100, blast, blast, 1.0f, 1.0f, 1.0f, 1.0f);
            blast = 0.0f;
            for (int step = 0; step < 41; ++step, blast += 0.05f)
                d.drawImage(p.bigMine, static_cast<std::int16_t>(20 * step),
                            static_cast<std::int16_t>(400 + static_cast<int>(-30.0f * blast)), blast, blast, 1.0f, 1.0f,
                            1.0f, 1.0f);
            d.drawImage(p.ghost, 700, 300, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.5f);
            d.drawText("race over", 368, 352, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("points 12", 10, 10, 24.0f, 0.0f, 0.0f, 0.0f, 0.8f);
            d.drawText("get him!", 400, 300, 64.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("you\x92re all grown up\x85", 40, 160, 18.0f, 0.0f, 0.0f, 0.0f, 0.75f);
            d.drawText("odd sizes 0123456789.,+-!?", 5, 600, 18.5f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("tiny", 5, 650, 7.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("big", 700, 600, 100.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("r", 1000, 740, 64.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("off the left", -100, -10, 24.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawImage(p.cursor, 990, 730);
        },
        11);

    // Opaque pictures at and off every edge, scaled, and see-through ones over them.
    expectSameAsPlainDrawing(
        [&](Drawer& d) {
            const Pictures& p = picturesOf(d);
            const std::int16_t spots[][2] = {{-25, -25}, {1000, -10}, {-30, 740}, {999, 743}, {500, 384}};
            for (const auto& spot : spots) {
                d.drawImage(p.opaque, spot[0], spot[1]);
                d.drawImage(p.half, spot[0], spot[1]);
            }
            d.drawImage(p.opaque, 100, 100, 2.5f, 1.3f, 1.0f, 1.0f, 1.0f, 1.0f);
            d.drawImage(p.opaque, 300, 100, 0.37f, 0.9f, 1.0f, 1.0f, 1.0f, 1.0f);
            d.drawImage(p.half, 100, 100, 3.0f, 3.0f, 1.0f, 1.0f, 1.0f, 1.0f);
            d.drawImage(p.background, 200, 200, 1.5f, 1.5f, 1.0f, 1.0f, 1.0f, 1.0f);
            d.drawImage(p.background, -300, 100, 0.25f, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f);
            d.drawImage(p.track, 0, 0);
        },
        12);

    // The track is drawn in copied and blended patches: at and off every edge, and far off.
    ASSERT_FALSE(drawer->findImage(mine.track)->patches.empty());
    expectSameAsPlainDrawing(
        [&](Drawer& d) {
            const std::int16_t spots[][2] = {{-517, -301}, {600, -200}, {-3, 500},
                                             {1017, 761},  {-32000, 0}, {32000, 32000}};
            for (const auto& spot : spots)
                d.drawImage(picturesOf(d).track, spot[0], spot[1]);
        },
        13);

    // Two of each screen, one per drawer, driven alike: the title view, the hint fading in, the
    // story; the ending; the placement screen.
    auto title = [&](int frames, bool story) {
        TitleScreen titles[2];
        CaptureStdout quiet;
        for (TitleScreen& screenObject : titles) {
            screenObject.mouseMove(1015, 760);
            if (story)
                screenObject.mouseDown(1, 500, 480);
        }
        for (int frame = 1; frame < frames; ++frame) {
            titles[0].draw(drawer.get());
            titles[1].draw(reference.get());
        }
        expectSameAsPlainDrawing([&](Drawer& d) { pick(d, titles[0], titles[1]).draw(&d); }, 20u + frames);
    };
    title(1, false);
    title(TitleScreen::hintFrames - 30, false);
    title(TitleScreen::hintFrames, false);
    title(1, true);

    CaptureStdout quiet;
    EndingScreen endings[2];
    expectSameAsPlainDrawing([&](Drawer& d) { pick(d, endings[0], endings[1]).draw(&d); }, 30);
    GamePlay races[2];
    expectSameAsPlainDrawing([&](Drawer& d) { pick(d, races[0], races[1]).draw(&d); }, 31);
}
