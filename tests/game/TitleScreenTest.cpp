// The title screen as the player meets it: drawing order, click areas, the story and the hint.
#include <gtest/gtest.h>

#include "draw/assets/Images.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/RecordingDrawer.h"

namespace {

class TitleScreenTest : public ::testing::Test {
protected:
    void SetUp() override { StateManager::getInstance()->restart(); }
    void TearDown() override { StateManager::getInstance()->restart(); }

    TitleScreen* title() const { return dynamic_cast<TitleScreen*>(StateManager::getInstance()->currentScreen()); }
    int screen() const { return StateManager::getInstance()->screenIndex(); }
    void click(int x, int y) { StateManager::getInstance()->mouseDown(1, x, y); }
    void frames(int n)
    {
        CaptureStdout quiet; // the background's decoding message
        drawFrames(drawer, n);
    }
    std::vector<DrawCall> hints() const
    {
        std::vector<DrawCall> found;
        for (const DrawCall& text : drawer.texts())
            if (text.text == "escape to quit")
                found.push_back(text);
        return found;
    }

    RecordingDrawer drawer;
};

} // namespace

TEST_F(TitleScreenTest, TitleViewDrawsBackgroundTitleStoryAndCursorInOrder)
{
    StateManager::getInstance()->mouseMove(300, 200);
    frames(1);
    const std::vector<DrawCall>& calls = drawer.calls();
    const struct {
        const unsigned char* picture;
        unsigned int length;
        int x, y;
    } expected[] = {{Images::background_jpg, Images::background_jpg_length, 0, 0},
                    {Images::title_png, Images::title_png_length, 0, 0},
                    {Images::story_png, Images::story_png_length, 444, 415},
                    {Images::mousearrow_png, Images::mousearrow_png_length, 290, 194}};
    ASSERT_EQ(calls.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(drawer.isPicture(calls[i].id, expected[i].picture, expected[i].length)) << i;
        EXPECT_EQ(calls[i].x, expected[i].x) << i;
        EXPECT_EQ(calls[i].y, expected[i].y) << i;
        EXPECT_EQ(calls[i].scaleX, 1.0f) << i;
        EXPECT_EQ(calls[i].alpha, 1.0f) << i;
    }
    // Loaded once, in the order background, title, cursor, story.
    EXPECT_EQ(drawer.imagesLoaded(), 4u);
    EXPECT_TRUE(drawer.isPicture(3, Images::mousearrow_png, Images::mousearrow_png_length));
    frames(5);
    EXPECT_EQ(drawer.imagesLoaded(), 4u);
}

TEST_F(TitleScreenTest, CursorStartsOffTheTopLeftUntilTheMouseMoves)
{
    frames(1);
    const auto cursor = drawer.callsOf(Images::mousearrow_png, Images::mousearrow_png_length);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0].x, -10);
    EXPECT_EQ(cursor[0].y, -6);
}

TEST_F(TitleScreenTest, StartAreaBoundsAreInclusive)
{
    for (const auto& [x, y] : {std::pair{456, 591}, std::pair{674, 679}, std::pair{457, 590}, std::pair{673, 680},
                               std::pair{-100, -100}, std::pair{100000, 600}}) {
        click(x, y);
        EXPECT_EQ(screen(), StateManager::Title) << x << "," << y;
        ASSERT_NE(title(), nullptr);
        EXPECT_FALSE(title()->storyShown()) << x << "," << y;
    }
    click(457, 591);
    EXPECT_EQ(screen(), StateManager::Race);
    StateManager::getInstance()->restart();
    click(673, 679);
    EXPECT_EQ(screen(), StateManager::Race);
}

TEST_F(TitleScreenTest, StoryOpensInsideThePictureAndAnyClickClosesIt)
{
    click(444, 415); // the picture's own top-left pixel is outside the click area
    EXPECT_FALSE(title()->storyShown());
    click(571, 572);
    EXPECT_FALSE(title()->storyShown());
    click(445, 416);
    EXPECT_TRUE(title()->storyShown());

    // In the story, a click on the start area only goes back to the title view.
    click(500, 600);
    EXPECT_EQ(screen(), StateManager::Title);
    EXPECT_FALSE(title()->storyShown());
    click(500, 600);
    EXPECT_EQ(screen(), StateManager::Race);
}

TEST_F(TitleScreenTest, StoryViewShowsThirteenLinesAndTheContinueLine)
{
    click(571, 571);
    ASSERT_TRUE(title()->storyShown());
    frames(1);
    const std::vector<DrawCall>& calls = drawer.calls();
    ASSERT_EQ(calls.size(), 15u) << "background, 13 story lines, continue line; no cursor";
    EXPECT_TRUE(drawer.isPicture(calls[0].id, Images::background_jpg, Images::background_jpg_length));
    const std::vector<DrawCall> lines = drawer.texts();
    ASSERT_EQ(lines.size(), 14u);
    const int ys[] = {10, 35, 60, 85, 110, 135, 160, 185, 235, 260, 285, 310, 335};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(lines[i].x, 40);
        EXPECT_EQ(lines[i].y, ys[i]);
        EXPECT_EQ(lines[i].size, 18.0f);
        EXPECT_EQ(lines[i].alpha, 0.75f);
        EXPECT_EQ(lines[i].red + lines[i].green + lines[i].blue, 0.0f);
    }
    EXPECT_EQ(lines[3].text, "talented hurdler called harry.  at the time you were");
    EXPECT_EQ(lines[5].text, "than a bollard - but now you\x92re all grown up and");
    EXPECT_EQ(lines[12].text, "you\x92ll be able to win tina back\x85");
    EXPECT_EQ(lines[13].text, "click to continue");
    EXPECT_EQ(lines[13].x, 235);
    EXPECT_EQ(lines[13].y, 680);
    EXPECT_EQ(lines[13].size, 32.0f);
    EXPECT_EQ(lines[13].alpha, 1.0f);
}

TEST_F(TitleScreenTest, HintFadesInFromFrame342ToFrame401)
{
    frames(341);
    EXPECT_TRUE(hints().empty());
    frames(1);
    ASSERT_EQ(hints().size(), 1u);
    EXPECT_FLOAT_EQ(hints()[0].alpha, 0.0125f);
    EXPECT_EQ(hints()[0].x, 340);
    EXPECT_EQ(hints()[0].y, 720);
    EXPECT_EQ(hints()[0].size, 24.0f);
    frames(58);
    EXPECT_LT(hints()[0].alpha, 0.75f);
    frames(1);
    EXPECT_FLOAT_EQ(hints()[0].alpha, 0.75f);
    frames(500);
    EXPECT_FLOAT_EQ(hints()[0].alpha, 0.75f);
    EXPECT_EQ(title()->hintCountdown(), 0);
}

TEST_F(TitleScreenTest, StoryTimeDoesNotCountTowardsTheHint)
{
    frames(100);
    click(500, 500);
    ASSERT_TRUE(title()->storyShown());
    frames(500);
    EXPECT_EQ(title()->hintCountdown(), 300);
    click(0, 0);
    frames(241);
    EXPECT_TRUE(hints().empty());
    frames(1);
    EXPECT_EQ(hints().size(), 1u) << "the 342nd title-view frame in all";
}
