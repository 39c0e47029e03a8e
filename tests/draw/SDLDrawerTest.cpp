// The software drawer under SDL's dummy video driver, read back from the screen surface: where
// pictures and text land, how they are scaled, and that the quick paths (opaque copies, glyphs
// scaled once per size) leave exactly the bytes the plain way of drawing leaves.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "draw/EmbeddedGlyphs.h"
#include "draw/assets/Images.h"
#include "draw/software/SDLDrawer.h"
#include "game/screens/EndingScreen.h"
#include "game/screens/GamePlay.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/ReferenceSoftwareDrawer.h"
#include "support/SolidImage.h"

namespace {

// Opaque, with the source column in red and the source row in green, so every screen pixel
// tells which source pixel it was sampled from.
Drawer::Pixels coordinateImage(std::uint32_t size)
{
    auto pixels = std::make_unique<unsigned char[]>(size * size * 4);
    for (std::uint32_t row = 0; row < size; ++row)
        for (std::uint32_t column = 0; column < size; ++column) {
            unsigned char* pixel = pixels.get() + (row * size + column) * 4;
            pixel[0] = static_cast<unsigned char>(column * 3);
            pixel[1] = static_cast<unsigned char>(row * 3);
            pixel[2] = 7;
            pixel[3] = 255;
        }
    return pixels;
}

class SDLDrawerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        drawer = std::make_unique<SDLDrawer>();
        ASSERT_TRUE(drawer->initialise(800, 600, false, 0));
        screen = SDL_GetVideoSurface();
        ASSERT_NE(screen, nullptr);
        fill(0, 0, 0);
    }
    void TearDown() override
    {
        reference.reset();
        drawer.reset();
        SDL_Quit();
    }

    void fill(int r, int g, int b) { SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, r, g, b)); }
    void fillNoise(std::uint32_t seed) { ::fillNoise(screen, seed); }
    std::vector<unsigned char> screenBytes() const { return ::screenBytes(screen); }
    Rgba pixel(int x, int y) const
    {
        const auto* row = static_cast<const unsigned char*>(screen->pixels) + y * screen->pitch;
        Uint32 value = 0;
        std::memcpy(&value, row + x * screen->format->BytesPerPixel, screen->format->BytesPerPixel);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(value, screen->format, &r, &g, &b);
        return Rgba{r, g, b, 255};
    }
    bool isColour(int x, int y, Rgba expected) const
    {
        const Rgba got = pixel(x, y);
        return got.r == expected.r && got.g == expected.g && got.b == expected.b;
    }
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

    // Draws the scene on the same noisy screen through the plain drawer and through SDLDrawer and
    // expects the very same bytes.
    void expectSameAsPlainDrawing(const std::function<void(Drawer&)>& scene, std::uint32_t seed)
    {
        fillNoise(seed);
        scene(*reference);
        const std::vector<unsigned char> expected = screenBytes();
        fillNoise(seed);
        scene(*drawer);
        const std::vector<unsigned char> actual = screenBytes();
        ASSERT_EQ(expected.size(), actual.size());
        std::size_t differing = 0;
        std::size_t first = 0;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (expected[i] != actual[i] && differing++ == 0)
                first = i;
        EXPECT_EQ(differing, 0u) << "first difference at x " << (first % screen->pitch) / 4 << ", y "
                                 << first / screen->pitch << ", byte " << first % 4;
    }
    void makeReference()
    {
        reference = std::make_unique<ReferenceSoftwareDrawer>();
        ASSERT_TRUE(reference->initialise(1024, 768, false, 0));
    }

    std::unique_ptr<SDLDrawer> drawer;
    std::unique_ptr<ReferenceSoftwareDrawer> reference;
    SDL_Surface* screen = nullptr;
};

const Rgba red{255, 0, 0, 255};
const Rgba black{0, 0, 0, 255};
const Rgba white{255, 255, 255, 255};

} // namespace

TEST_F(SDLDrawerTest, AlwaysOpensTheWholeWindowWhateverSizeWasAsked)
{
    EXPECT_EQ(screen->w, 1024);
    EXPECT_EQ(screen->h, 768);
    EXPECT_EQ(screen, SDL_GetVideoSurface());
}

TEST_F(SDLDrawerTest, PicturesLandAtTheirPositionAndScaleFromTheTopLeft)
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
}

TEST_F(SDLDrawerTest, ScaleZeroAndOtherEmptySizesDrawNothing)
{
    const std::uint32_t square = drawer->loadImage(solidImage(40, 40, red), 40, 40);
    fillNoise(7);
    const std::vector<unsigned char> before = screenBytes();
    drawer->drawImage(square, 100, 100, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square, 100, 100, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square, 100, 100, 1.0f, 0.02f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square, 100, 100, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square, 100, 100, std::nanf(""), 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawImage(square + 1, 100, 100); // not an image
    drawer->drawImage(0, 100, 100);
    drawer->drawText("abc", 100, 100, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawText("abc", 100, 100, -24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(screenBytes() == before);
}

TEST_F(SDLDrawerTest, PicturesBlendByTheirOwnAlphaAndIgnoreTheColour)
{
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

TEST_F(SDLDrawerTest, TextOfSize24SamplesSourceColumnsZeroTwoAndFive)
{
    drawer->loadGlyph(Drawer::GlyphA, coordinateImage(64), 64);
    drawer->drawText("a", 200, 100, 24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    // Red holds the source column times 3, green the source row times 3.
    EXPECT_EQ(pixel(200, 100).r, 0);
    EXPECT_EQ(pixel(201, 100).r, 2 * 3);
    EXPECT_EQ(pixel(202, 100).r, 5 * 3);
    EXPECT_EQ(pixel(223, 100).r, 61 * 3);
    EXPECT_EQ(pixel(200, 101).g, 2 * 3);
    EXPECT_EQ(pixel(200, 102).g, 5 * 3);
    expectColourAt(black, {{224, 100}, {200, 124}}); // the cell is 24 pixels wide
}

TEST_F(SDLDrawerTest, TextOfSize18AndAHalfStartsItsCellsWhereThePenIsTruncated)
{
    // Only the glyph's left column shows: each cell marks its first pixel.
    Drawer::Pixels marker = solidImage(64, 64, {0, 0, 0, 0});
    for (int row = 0; row < 64; ++row) {
        marker[row * 64 * 4 + 0] = 255;
        marker[row * 64 * 4 + 3] = 255;
    }
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
    const std::vector<unsigned char> black75 = screenBytes();
    fill(40, 80, 120);
    drawer->drawText("a!", 0, 0, 64.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(screenBytes() == black75) << "colour and alpha have no effect";
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

TEST_F(SDLDrawerTest, GlyphsWithoutTheirImageDrawNothing)
{
    fillNoise(3);
    const std::vector<unsigned char> before = screenBytes();
    drawer->drawText("abc xyz 0123456789.,+-!?", 0, 0, 64.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawText("abc", 10, 300, 24.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    drawer->drawText("abc", 10, 400, 18.5f, 0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(screenBytes() == before);

    // A glyph that fails to decode keeps its placeholder; the others draw.
    drawer->loadGlyph(Drawer::GlyphB, solidImage(64, 64, red), 64);
    drawer->loadGlyph(Drawer::GlyphA, nullptr, 64);
    drawer->drawText("ab", 0, 600, 64.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(columnsOf(620, 0, 200, red), [] {
        std::vector<int> cell;
        for (int x = 64; x < 128; ++x)
            cell.push_back(x);
        return cell;
    }());
}

TEST_F(SDLDrawerTest, ImageIdsCountUpAndAreNeverHandedOutTwice)
{
    EXPECT_EQ(drawer->loadImage(nullptr, 10, 10), 0u);
    EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), 1u);
    EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), 2u);
    EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), 3u);
    drawer->releaseImage(2);
    drawer->releaseImage(99);
    EXPECT_EQ(drawer->findImage(2), nullptr);
    EXPECT_EQ(drawer->loadImage(solidImage(4, 4, red), 4, 4), 4u);
    EXPECT_EQ(drawer->imageCount(), 3u);
    const SDLDrawer::Image* image = drawer->findImage(4);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 4);
    EXPECT_NE(image->pixels, nullptr) << "the buffer stays with the image";
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

TEST_F(SDLDrawerTest, DrawsTheSameBytesAsThePlainWay)
{
    makeReference();
    loadEmbeddedGlyphs(*drawer);
    loadEmbeddedGlyphs(*reference);

    struct Pictures {
        std::uint32_t background, track, wall, mine, bigMine, ghost, hurdler, cursor, opaque, half;
    };
    auto load = [](Drawer& into) {
        Pictures p{};
        p.background = loadEmbedded(into, Images::background_jpg, Images::background_jpg_length);
        p.track = loadEmbedded(into, Images::track_png, Images::track_png_length);
        p.wall = loadEmbedded(into, Images::wall_png, Images::wall_png_length);
        p.mine = loadEmbedded(into, Images::mineexplode_png, Images::mineexplode_png_length);
        p.bigMine = loadEmbedded(into, Images::bigmine_png, Images::bigmine_png_length);
        p.ghost = loadEmbedded(into, Images::ghost_png, Images::ghost_png_length);
        p.hurdler = loadEmbedded(into, Images::hurdler1_png, Images::hurdler1_png_length);
        p.cursor = loadEmbedded(into, Images::mousearrow_png, Images::mousearrow_png_length);
        p.opaque = into.loadImage(coordinateImage(50), 50, 50);
        p.half = into.loadImage(solidImage(30, 20, {10, 200, 90, 100}), 30, 20);
        return p;
    };
    const Pictures mine = load(*drawer);
    const Pictures plain = load(*reference);
    auto picturesOf = [&](Drawer& d) -> const Pictures& { return &d == drawer.get() ? mine : plain; };

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
            const Pictures& p = picturesOf(d);
            const std::int16_t spots[][2] = {{-517, -301}, {600, -200}, {-3, 500},
                                             {1017, 761},  {-32000, 0}, {32000, 32000}};
            for (const auto& spot : spots)
                d.drawImage(p.track, spot[0], spot[1]);
        },
        13);
}

TEST_F(SDLDrawerTest, TheGamesScreensDrawTheSameBytesAsThePlainWay)
{
    makeReference();
    loadEmbeddedGlyphs(*drawer);
    loadEmbeddedGlyphs(*reference);

    // Two title screens, one per drawer, driven alike: the title view, the hint fading in, the story.
    auto title = [&](int frames, bool story) {
        TitleScreen forDrawer;
        TitleScreen forReference;
        CaptureStdout quiet;
        for (TitleScreen* screenObject : {&forDrawer, &forReference}) {
            screenObject->mouseMove(1015, 760);
            if (story)
                screenObject->mouseDown(1, 500, 480);
        }
        for (int frame = 1; frame < frames; ++frame) {
            forReference.draw(reference.get());
            forDrawer.draw(drawer.get());
        }
        expectSameAsPlainDrawing([&](Drawer& d) { (&d == drawer.get() ? forDrawer : forReference).draw(&d); },
                                 20u + frames);
    };
    title(1, false);
    title(TitleScreen::hintFrames - 30, false);
    title(TitleScreen::hintFrames, false);
    title(1, true);

    {
        EndingScreen forDrawer;
        EndingScreen forReference;
        CaptureStdout quiet;
        expectSameAsPlainDrawing([&](Drawer& d) { (&d == drawer.get() ? forDrawer : forReference).draw(&d); }, 30);
    }
    {
        GamePlay forDrawer;
        GamePlay forReference;
        CaptureStdout quiet;
        expectSameAsPlainDrawing([&](Drawer& d) { (&d == drawer.get() ? forDrawer : forReference).draw(&d); }, 31);
    }
}

TEST_F(SDLDrawerTest, PlaceholderGlyphsDrawTheSameBytesAsThePlainWay)
{
    makeReference();
    const std::uint32_t mineBackground = loadEmbedded(*drawer, Images::title_png, Images::title_png_length);
    const std::uint32_t plainBackground = loadEmbedded(*reference, Images::title_png, Images::title_png_length);
    expectSameAsPlainDrawing(
        [&](Drawer& d) {
            d.drawImage(&d == drawer.get() ? mineBackground : plainBackground, 0, 0, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                        1.0f);
            d.drawText("no glyphs yet", 10, 10, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("no glyphs yet", 10, 100, 24.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            d.drawText("no glyphs yet", 10, 200, 64.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        },
        40);
}
