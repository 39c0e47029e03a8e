// The OpenGL drawer in a real window (run under Xvfb): what the window shows after each frame,
// read back pixel by pixel, which frames are drawn at all, the texture records and the image-id rule.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glx.h>
#include <SDL/SDL.h>
#include <X11/Xutil.h>
#include <array>
#include <bit>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "draw/opengl/OpenGLDrawer.h"
#include "support/CaptureStdout.h"
#include "support/SolidImage.h"

namespace {

class OpenGLDrawerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window double-buffered and drawn straight onto, as a windowed game has it: SDL's
        // scaled copy for full screen keeps a picture of its own between the drawer and the window.
        setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
        // SDL draws off screen, unseen, when the X server turns its connection away, as a busy
        // Xvfb does now and then: it is started again until it has the X server.
        bool onTheServer = false;
        for (int tries = 0; tries < 5 && !onTheServer; ++tries) {
            std::array<char, 16> driver{};
            onTheServer = SDL_Init(SDL_INIT_VIDEO) == 0 &&
                          SDL_VideoDriverName(driver.data(), static_cast<int>(driver.size())) != nullptr &&
                          std::string(driver.data()) == "x11";
            if (!onTheServer)
                SDL_Quit();
        }
        ASSERT_TRUE(onTheServer) << "needs an X display: run under xvfb-run (" << SDL_GetError() << ")";
    }
    void TearDown() override
    {
        drawer.reset();
        SDL_Quit();
        unsetenv("SDL12COMPAT_OPENGL_SCALING");
    }
    void open(int width = 1024, int height = 768)
    {
        drawer = std::make_unique<OpenGLDrawer>();
        CaptureStdout quiet;
        ASSERT_TRUE(
            drawer->initialise(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), false, 0));
    }
    // The colour of window pixel (x, y), y counted from the top, as the window shows it: read
    // from the X server, as OpenGL's front buffer need not be what the window holds.
    static Rgba shown(int x, int y)
    {
        XImage* image = XGetImage(glXGetCurrentDisplay(), glXGetCurrentDrawable(), x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            ADD_FAILURE() << "could not read the window at " << x << ", " << y;
            return Rgba{-1, -1, -1, -1};
        }
        const unsigned long value = XGetPixel(image, 0, 0);
        const auto channel = [value](unsigned long mask) {
            return static_cast<int>((value & mask) >> std::countr_zero(mask));
        };
        const Rgba colour{channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask), 255};
        XDestroyImage(image);
        return colour;
    }
    static bool near(Rgba got, Rgba expected, int tolerance)
    {
        return std::abs(got.r - expected.r) <= tolerance && std::abs(got.g - expected.g) <= tolerance &&
               std::abs(got.b - expected.b) <= tolerance;
    }
    static bool isColour(int x, int y, Rgba expected, int tolerance = 1)
    {
        return near(shown(x, y), expected, tolerance);
    }
    static void expectColourAt(Rgba colour, std::initializer_list<std::array<int, 2>> points)
    {
        for (const auto& [x, y] : points) {
            const Rgba got = shown(x, y);
            EXPECT_TRUE(near(got, colour, 1)) << x << ", " << y << " shows " << got.r << " " << got.g << " " << got.b;
        }
    }

    std::unique_ptr<OpenGLDrawer> drawer;
};

const Rgba black{0, 0, 0, 255};
const Rgba red{255, 0, 0, 255};
const Rgba white{255, 255, 255, 255};

} // namespace

TEST_F(OpenGLDrawerTest, ViewportFitsTheLargestCentredFourThreeAreaBetweenBlackBars)
{
    struct Case {
        int width, height;
        std::array<GLint, 4> viewport;
    };
    for (const Case& c :
         {Case{800, 600, {0, 0, 800, 600}}, Case{1024, 768, {0, 0, 1024, 768}}, Case{1024, 600, {112, 0, 800, 600}},
          Case{1280, 1024, {0, 32, 1280, 960}}, Case{1280, 800, {106, 0, 1066, 800}}}) {
        open(c.width, c.height);
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, c.viewport) << c.width << "x" << c.height;
    }

    // The letterbox bars stay black.
    open(1024, 600);
    const std::uint32_t id = drawer->loadImage(solidImage(64, 64, white), 64, 64);
    drawer->beginDrawing();
    drawer->drawImage(id, 0, 0, 16.0f, 12.0f, 1, 1, 1, 1); // 1024 by 768 units, but grown about its centre
    drawer->drawImage(id, 0, 0, 1.0f, 1.0f, 1, 1, 1, 1);
    drawer->endDrawing();
    // Virtual (0, 0) is window pixel (112, 0); everything left of it is bar.
    expectColourAt(white, {{112, 0}});
    expectColourAt(black, {{111, 0}, {912, 300}});

    // The attributes asked for, antialiasing too, are set without a message.
    drawer = std::make_unique<OpenGLDrawer>();
    CaptureStdout output;
    ASSERT_TRUE(drawer->initialise(800, 600, false, 4));
    EXPECT_EQ(output.text().find("OpenGLDrawer: Could not set red"), std::string::npos) << output.text();
}

TEST_F(OpenGLDrawerTest, ImagesLandAtTheirPositionGrowAboutTheirCentreAndAreTinted)
{
    open();
    const std::uint32_t id = drawer->loadImage(solidImage(40, 35, red), 40, 35);
    drawer->beginDrawing();
    drawer->drawImage(id, 100, 200);
    drawer->endDrawing();
    expectColourAt(red, {{100, 200}, {120, 217}});
    expectColourAt(black, {{99, 210}, {141, 210}, {120, 199}, {120, 236}});

    drawer->beginDrawing();
    drawer->drawImage(id, 100, 200, 2, 2, 1, 1, 1, 1); // covers 80..160 by 182.5..252.5
    drawer->endDrawing();
    expectColourAt(red, {{81, 184}, {158, 251}});
    expectColourAt(black, {{78, 210}, {162, 210}, {120, 181}, {120, 254}});

    drawer->beginDrawing();
    drawer->drawImage(id, 100, 200, 0, 0, 1, 1, 1, 1);
    drawer->endDrawing();
    for (int y = 195; y < 240; y += 3)
        for (int x = 95; x < 145; x += 3)
            ASSERT_TRUE(isColour(x, y, black)) << x << "," << y;

    // Colour tints and alpha blends.
    const std::uint32_t square = drawer->loadImage(solidImage(64, 64, white), 64, 64);
    drawer->beginDrawing();
    drawer->drawImage(square, 0, 0);
    drawer->drawImage(square, 0, 0, 1, 1, 0, 0, 0, 0.75f);
    drawer->drawImage(square, 100, 0, 1, 1, 0.5f, 1.0f, 0.0f, 1.0f);
    drawer->drawImage(square, 200, 0);
    drawer->endDrawing();
    EXPECT_TRUE(isColour(32, 32, Rgba{64, 64, 64, 255}, 2)) << "black at three-quarter opacity";
    EXPECT_TRUE(isColour(132, 32, Rgba{128, 255, 0, 255}, 2));
    EXPECT_TRUE(isColour(232, 32, white)) << "colour is restored after each draw";
}

TEST_F(OpenGLDrawerTest, OnlyAFrameThatDiffersFromWhatTheWindowShowsIsDrawnAndSwapped)
{
    open();
    const std::uint32_t id = drawer->loadImage(solidImage(64, 64, white), 64, 64);
    const std::uint32_t later = id + 1; // the id of the next picture loaded
    struct Call {
        std::uint32_t image;
        int x;
        Rgba tint;
        float alpha = 1.0f;
    };
    const Rgba yellow{255, 255, 0, 255};
    // One frame of white pictures tinted; true when it was drawn and swapped.
    const auto frame = [this](std::initializer_list<Call> calls) {
        drawer->beginDrawing();
        for (const Call& call : calls)
            drawer->drawImage(call.image, static_cast<std::int16_t>(call.x), 0, 1, 1, call.tint.r / 255.0f,
                              call.tint.g / 255.0f, call.tint.b / 255.0f, call.alpha);
        drawer->endDrawing();
        return drawer->lastFrameDrawn();
    };

    EXPECT_TRUE(frame({{id, 0, red}}));
    // Marks the buffer a drawn frame would clear and draw into.
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_FALSE(frame({{id, 0, red}})) << "the same calls again";
    std::array<unsigned char, 4> marked{}; // window pixel (32, 32) in the buffer, counted from the bottom
    glReadBuffer(GL_BACK);
    glReadPixels(32, 768 - 33, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, marked.data());
    EXPECT_EQ(marked, (std::array<unsigned char, 4>{0, 0, 255, 255})) << "nothing was drawn";
    expectColourAt(red, {{32, 32}});

    EXPECT_TRUE(frame({{id, 0, red, 0.5f}})) << "a fade";
    EXPECT_TRUE(isColour(32, 32, Rgba{128, 0, 0, 255}, 2));
    EXPECT_TRUE(frame({{id, 0, yellow, 0.5f}})) << "another tint";
    EXPECT_TRUE(isColour(32, 32, Rgba{128, 128, 0, 255}, 2));
    EXPECT_TRUE(frame({{id, 0, yellow}, {id, 100, yellow}})) << "one call more";
    expectColourAt(yellow, {{32, 32}, {132, 32}});
    EXPECT_TRUE(frame({{id, 0, yellow}})) << "one call fewer";
    expectColourAt(black, {{132, 32}});
    EXPECT_FALSE(frame({{id, 0, yellow}}));
    drawer->windowExposed();
    EXPECT_TRUE(frame({{id, 0, yellow}})) << "after an expose";

    // A call naming a picture not yet loaded draws nothing until it is, and nothing once it is gone.
    EXPECT_TRUE(frame({{id, 0, yellow}, {later, 100, white}}));
    expectColourAt(black, {{132, 32}});
    ASSERT_EQ(drawer->loadImage(solidImage(64, 64, red), 64, 64), later);
    EXPECT_TRUE(frame({{id, 0, yellow}, {later, 100, white}})) << "a picture loaded";
    expectColourAt(red, {{132, 32}});
    drawer->releaseImage(later);
    EXPECT_TRUE(frame({{id, 0, yellow}, {later, 100, white}})) << "a picture released";
    expectColourAt(black, {{132, 32}});
}

TEST_F(OpenGLDrawerTest, TextDrawsTintedSquaresAndBlankCellsUntilItsGlyphsAreLoaded)
{
    open();
    drawer->beginDrawing();
    drawer->drawText("a b", 10, 20, 32, 1, 0, 0, 1);
    drawer->drawText("", 10, 100, 32, 1, 1, 1, 1);
    drawer->drawText("AZ\x92", 10, 100, 32, 1, 1, 1, 1);
    drawer->endDrawing();
    // The space is a blank cell, b sits in the third.
    expectColourAt(red, {{11, 21}, {40, 50}, {75, 30}});
    expectColourAt(black, {{50, 30}, {110, 30}});
    for (int x = 10; x < 106; x += 4)
        ASSERT_TRUE(isColour(x, 110, black)) << x;

    // A loaded glyph replaces the placeholder: this one's left half opaque white, its right clear.
    Drawer::Pixels pixels = solidImage(64, 64, white);
    for (int i = 0; i < 64 * 64; ++i)
        pixels[i * 4 + 3] = i % 64 < 32 ? 255 : 0;
    drawer->loadGlyph(Drawer::GlyphM, std::move(pixels), 64);
    drawer->loadGlyph(Drawer::GlyphN, nullptr, 64); // keeps its placeholder
    drawer->beginDrawing();
    drawer->drawText("mn", 0, 0, 64, 1, 1, 1, 1);
    drawer->endDrawing();
    expectColourAt(white, {{10, 32}, {100, 32}}); // n is still a white square
    expectColourAt(black, {{54, 32}});
}

TEST_F(OpenGLDrawerTest, IdsAreNeverReusedAndTexturesAreEnlargedToPowersOfTwoWithTheEdgeFill)
{
    open();
    EXPECT_EQ(drawer->loadImage(nullptr, 10, 10), 0u);
    for (std::uint32_t id = 1; id <= 3; ++id)
        EXPECT_EQ(drawer->loadImage(solidImage(8, 8, red), 8, 8), id);
    const std::uint32_t second = 2;
    drawer->releaseImage(second);
    drawer->releaseImage(second);
    drawer->releaseImage(99);
    EXPECT_EQ(drawer->loadImage(solidImage(8, 8, red), 8, 8), 4u);
    EXPECT_EQ(drawer->imageCount(), 3u);
    drawer->beginDrawing();
    drawer->drawImage(second, 0, 0);
    drawer->drawImage(0, 0, 0);
    drawer->endDrawing();
    EXPECT_TRUE(isColour(4, 4, black));

    // 3 by 5: red opaque pixels, the last pixel of each row with alpha 200.
    Drawer::Pixels pixels = solidImage(3, 5, red);
    for (int i = 0; i < 15; ++i) {
        pixels[i * 4 + 1] = static_cast<unsigned char>(i);
        pixels[i * 4 + 3] = i % 3 == 2 ? 200 : 255;
    }
    const std::uint32_t id = drawer->loadImage(std::move(pixels), 3, 5);
    const OpenGLDrawer::Image* image = drawer->findImage(id);
    ASSERT_NE(image, nullptr);
    EXPECT_FLOAT_EQ(image->u, 0.75f);
    EXPECT_FLOAT_EQ(image->v, 0.625f);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 5);

    std::vector<unsigned char> texture(4 * 8 * 4);
    glBindTexture(GL_TEXTURE_2D, image->texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    for (int row = 0; row < 5; ++row) {
        const unsigned char* fill = &texture[(row * 4 + 3) * 4];
        EXPECT_EQ(std::vector<unsigned char>(fill, fill + 4), std::vector<unsigned char>(4, 200)) << row;
        EXPECT_EQ(texture[(row * 4 + 1) * 4 + 1], row * 3 + 1) << "source pixels copied unchanged";
    }
    // Rows below the picture repeat its last row, right-hand fill included.
    for (int row = 5; row < 8; ++row)
        EXPECT_TRUE(std::equal(texture.begin() + row * 16, texture.begin() + row * 16 + 16, texture.begin() + 4 * 16))
            << row;

    const std::uint32_t square = drawer->loadImage(solidImage(64, 64, red), 64, 64);
    EXPECT_FLOAT_EQ(drawer->findImage(square)->u, 1.0f);
    EXPECT_FLOAT_EQ(drawer->findImage(square)->v, 1.0f);

    // n, whether it is a power of two, and the next power of two from it.
    for (const auto& [n, isPower, next] :
         {std::tuple{0u, false, 1u}, std::tuple{1u, true, 1u}, std::tuple{33u, false, 64u}, std::tuple{64u, true, 64u},
          std::tuple{693u, false, 1024u}, std::tuple{949u, false, 1024u}}) {
        EXPECT_EQ(OpenGLDrawer::isPowerOfTwo(n), isPower) << n;
        EXPECT_EQ(OpenGLDrawer::powerOfTwo(n), next) << n;
    }
}
