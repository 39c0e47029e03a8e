// The title screen as the player meets it: drawing order, click areas, the story and the hint; and
// the screens' pictures given back at every change of screen.
#include <gtest/gtest.h>

#include <tuple>

#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/RecordingDrawer.h"

namespace {

class TitleScreenTest : public ::testing::Test {
protected:
    void SetUp() override { manager->restart(); }
    void TearDown() override { manager->restart(); }

    TitleScreen* title() const { return dynamic_cast<TitleScreen*>(manager->currentScreen()); }
    int screen() const { return manager->screenIndex(); }
    void click(int x, int y) { manager->mouseDown(1, x, y); }
    void frames(int n)
    {
        CaptureStdout quiet; // the background's decoding message
        drawFrames(drawer, n);
    }

    StateManager* manager = StateManager::getInstance();
    RecordingDrawer drawer;
};

} // namespace

TEST_F(TitleScreenTest, TitleViewDrawsBackgroundTitleStoryAndCursorInOrder)
{
    // Until the mouse moves the cursor is off the top left.
    frames(1);
    EXPECT_TRUE(drawer.drawsAt(drawer.calls().back(), PICTURE(mousearrow_png), -10, -6));
    manager->mouseMove(300, 200);
    frames(1);
    const std::vector<DrawCall>& calls = drawer.calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_TRUE(drawer.drawsAt(calls[0], PICTURE(background_jpg), 0, 0));
    EXPECT_TRUE(drawer.drawsAt(calls[1], PICTURE(title_png), 0, 0));
    EXPECT_TRUE(drawer.drawsAt(calls[2], PICTURE(story_png), 444, 415));
    EXPECT_TRUE(drawer.drawsAt(calls[3], PICTURE(mousearrow_png), 290, 194));
    // Loaded once, in the order background, title, cursor, story.
    EXPECT_TRUE(drawer.isPicture(3, PICTURE(mousearrow_png)));
    frames(5);
    EXPECT_EQ(drawer.imagesLoaded(), 4u);
}

// The start area and the story picture's click area, each with its edges; the picture's own
// top-left pixel is outside.
TEST_F(TitleScreenTest, ClickAreasAreInclusiveAndAnyClickClosesTheStory)
{
    enum Outcome { Nothing, Story, Race };
    const std::tuple<int, int, Outcome> clicks[] = {{456, 591, Nothing}, {674, 679, Nothing},   {457, 590, Nothing},
                                                    {673, 680, Nothing}, {-100, -100, Nothing}, {100000, 600, Nothing},
                                                    {457, 591, Race},    {673, 679, Race},      {444, 415, Nothing},
                                                    {571, 572, Nothing}, {445, 416, Story},     {571, 571, Story}};
    for (const auto& [x, y, outcome] : clicks) {
        manager->restart();
        click(x, y);
        EXPECT_EQ(screen(), outcome == Race ? StateManager::Race : StateManager::Title) << x << "," << y;
        if (outcome != Race) {
            EXPECT_EQ(title()->storyShown(), outcome == Story) << x << "," << y;
        }
    }
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
    EXPECT_TRUE(drawer.drawsAt(calls[0], PICTURE(background_jpg), 0, 0));
    const int ys[] = {10, 35, 60, 85, 110, 135, 160, 185, 235, 260, 285, 310, 335};
    for (int i = 0; i < 13; ++i) {
        EXPECT_TRUE(RecordingDrawer::writes(calls[i + 1], calls[i + 1].text, 40, ys[i], 18.0f, 0.75f));
    }
    EXPECT_EQ(calls[4].text, "talented hurdler called harry.  at the time you were");
    EXPECT_EQ(calls[6].text, "than a bollard - but now you\x92re all grown up and");
    EXPECT_EQ(calls[13].text, "you\x92ll be able to win tina back\x85");
    EXPECT_TRUE(RecordingDrawer::writes(calls[14], "click to continue", 235, 680, 32.0f, 1.0f));
}

TEST_F(TitleScreenTest, HintFadesInFromFrame342ToFrame401AndStoryTimeDoesNotCount)
{
    // The hint is the title view's only text.
    frames(341);
    EXPECT_TRUE(drawer.texts().empty());
    frames(1);
    ASSERT_EQ(drawer.texts().size(), 1u);
    EXPECT_TRUE(RecordingDrawer::writes(drawer.texts()[0], "escape to quit", 340, 720, 24.0f, 0.0125f));
    frames(58);
    EXPECT_LT(drawer.texts()[0].alpha, 0.75f);
    frames(1);
    EXPECT_FLOAT_EQ(drawer.texts()[0].alpha, 0.75f);
    frames(500);
    EXPECT_FLOAT_EQ(drawer.texts()[0].alpha, 0.75f);
    EXPECT_EQ(title()->hintCountdown(), 0);

    manager->restart();
    frames(100);
    click(500, 500);
    ASSERT_TRUE(title()->storyShown());
    frames(500);
    click(0, 0);
    frames(241);
    EXPECT_TRUE(drawer.texts().empty());
    frames(1);
    EXPECT_EQ(drawer.texts().size(), 1u) << "the 342nd title-view frame in all";
}

TEST_F(TitleScreenTest, ScreensGiveTheirImagesBackSoMemoryStaysFlat)
{
    frames(2);
    EXPECT_EQ(drawer.liveImages(), 4u);
    // The hurdles' two pictures are shared by every race screen: loaded on the first visit, kept.
    for (int visit = 0; visit < 250; ++visit) {
        manager->nextState(); // race
        frames(1);
        manager->nextState(); // title
        frames(1);
        ASSERT_EQ(drawer.liveImages(), 4u + 2u) << "visit " << visit;
    }
    manager->nextState();
    manager->cutScene();
    frames(1);
    manager->nextState();
    frames(1);
    EXPECT_EQ(drawer.liveImages(), 4u + 2u);
}
