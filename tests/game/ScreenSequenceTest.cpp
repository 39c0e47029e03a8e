// The screen sequence: title -> race -> title, race -> ending -> title, with fresh screens and
// their images given back each time.
#include <gtest/gtest.h>

#include "draw/assets/Images.h"
#include "game/screens/EndingScreen.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"
#include "support/CaptureStdout.h"
#include "support/RecordingDrawer.h"

namespace {

class ScreenSequenceTest : public ::testing::Test {
protected:
    void SetUp() override { manager->restart(); }
    void TearDown() override { manager->restart(); }
    void frames(int n)
    {
        CaptureStdout quiet;
        drawFrames(drawer, n);
    }

    StateManager* manager = StateManager::getInstance();
    RecordingDrawer drawer;
};

} // namespace

TEST_F(ScreenSequenceTest, TitleRaceTitleAndRaceEndingTitle)
{
    EXPECT_EQ(manager->screenIndex(), StateManager::Title);
    EXPECT_NE(dynamic_cast<TitleScreen*>(manager->currentScreen()), nullptr);
    manager->nextState();
    EXPECT_EQ(manager->screenIndex(), StateManager::Race);
    EXPECT_NE(dynamic_cast<GamePlay*>(manager->currentScreen()), nullptr);
    manager->nextState();
    EXPECT_EQ(manager->screenIndex(), StateManager::Title);

    manager->nextState();
    manager->cutScene();
    EXPECT_EQ(manager->screenIndex(), StateManager::Ending);
    EXPECT_NE(dynamic_cast<EndingScreen*>(manager->currentScreen()), nullptr);
    manager->nextState();
    EXPECT_EQ(manager->screenIndex(), StateManager::Title) << "never a second ending";
    auto* title = dynamic_cast<TitleScreen*>(manager->currentScreen());
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->storyShown());
    EXPECT_EQ(title->hintCountdown(), TitleScreen::hintFrames);
}

TEST_F(ScreenSequenceTest, EndingShowsBothPicturesOnItsFirstFrameAndAnyClickLeaves)
{
    manager->nextState();
    manager->cutScene();
    frames(1);
    const std::vector<DrawCall>& calls = drawer.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(drawer.isPicture(calls[0].id, Images::background_jpg, Images::background_jpg_length));
    EXPECT_TRUE(drawer.isPicture(calls[1].id, Images::ending_png, Images::ending_png_length));
    EXPECT_EQ(calls[1].x, 40);
    EXPECT_EQ(calls[1].y, 0);

    manager->mouseMove(10, 10);
    manager->mouseUp(3, 10, 10);
    EXPECT_EQ(manager->screenIndex(), StateManager::Ending);
    manager->mouseDown(2, 1000, 760);
    EXPECT_EQ(manager->screenIndex(), StateManager::Title);
}

TEST_F(ScreenSequenceTest, ScreensGiveTheirImagesBackSoMemoryStaysFlat)
{
    frames(2);
    EXPECT_EQ(drawer.liveImages(), 4u);
    // The hurdles' two pictures are shared by every race screen: loaded on the first visit, kept.
    manager->nextState();
    frames(1);
    manager->nextState();
    frames(1);
    const std::size_t titleImages = drawer.liveImages();
    EXPECT_EQ(titleImages, 4u + 2u);
    for (int visit = 0; visit < 250; ++visit) {
        manager->nextState(); // race
        frames(1);
        manager->nextState(); // title
        frames(1);
    }
    EXPECT_EQ(drawer.liveImages(), titleImages);
    manager->nextState();
    manager->cutScene();
    frames(1);
    manager->nextState();
    frames(1);
    EXPECT_EQ(drawer.liveImages(), titleImages);
}
