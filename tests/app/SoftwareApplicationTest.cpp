// The whole game on the software drawer under SDL's dummy video driver: choosing the drawer from
// the command line and from the settings file, clicks landing where the player sees them in the
// 1024 by 768 window, and frames reaching the screen surface.
#include <SDL/SDL.h>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ApplicationFixture.h"
#include "draw/ImageLoader.h"
#include "draw/SoftwareScreen.h"
#include "game/GameCounter.h"
#include "game/Records.h"
#include "game/screens/GamePlay.h"
#include "game/screens/TitleScreen.h"
#include "gui/Widget.h"
#include "support/RealGame.h"

namespace {

class SoftwareApplicationTest : public ApplicationFixture {
protected:
    void SetUp() override { setenv("SDL_VIDEODRIVER", "dummy", 0); }
};

// Compares every opaque pixel of one of the game's pictures, every `step`th row and column, with
// the screen where it was drawn at (left, top), but for those `hidden` says something covers.
template <typename Hidden>
int expectPictureOnScreen(const unsigned char* data, unsigned int length, int left, int top, int step, Hidden hidden)
{
    CaptureStdout quiet;
    const LoadedImage picture = ImageLoader().loadImage(data, length);
    EXPECT_NE(picture.pixels, nullptr);
    const SDL_Surface* screen = SDL_GetVideoSurface();
    int compared = 0;
    for (int y = 0; y < static_cast<int>(picture.height) && top + y < screen->h; y += step)
        for (int x = 0; x < static_cast<int>(picture.width) && left + x < screen->w; x += step) {
            const unsigned char* source = picture.pixels.get() + (static_cast<std::size_t>(y) * picture.width + x) * 4;
            if (source[3] != 255 || hidden(x, y))
                continue;
            const Rgba shown = pixelAt(screen, left + x, top + y);
            if (!sameColour(shown, Rgba{source[0], source[1], source[2], 255})) {
                ADD_FAILURE() << "at " << x << ", " << y << " of the picture the screen shows " << shown.r << " "
                              << shown.g << " " << shown.b;
                return -1;
            }
            ++compared;
        }
    return compared;
}

} // namespace

TEST_F(SoftwareApplicationTest, SdlFlagOpensTheSoftwareDrawerAt1024By768WhereClicksLandOnThePixelsSeen)
{
    start({"-s", "-w", "800", "-h", "600", "-ns"});
    EXPECT_NE(dynamic_cast<SDLDrawer*>(application->getDrawer()), nullptr);
    const SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->w, 1024);
    EXPECT_EQ(window->h, 768);
    // Widgets scale window pixels by the window that is really there.
    EXPECT_EQ(Widget::screenWidth, 1024.0f);
    EXPECT_EQ(Widget::screenHeight, 768.0f);
    // SDL's dummy driver makes no cursors: the pointer is hidden the plain way, and a line says so.
    EXPECT_NE(startOutput.find("SystemPointer: Could not make a transparent cursor, hiding the pointer instead: "),
              std::string::npos);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    // Clicks land on the pixel the player sees. The title's start area is x 457 to 673, y 591 to
    // 679; scaled by the size asked for, a click at (517, 650) would land at (661, 767) and miss.
    EXPECT_TRUE(clickStartsARace(517, 650));
}

TEST_F(SoftwareApplicationTest, SettingsFileChoosesTheSoftwareDrawerWithoutArguments)
{
    std::filesystem::create_directories(home.settingsFolder());
    TempHome::writeFile(home.settingsFile(), "w 640\nh 480\nsdl 1\nns 1\n");
    start({});
    EXPECT_NE(dynamic_cast<SDLDrawer*>(application->getDrawer()), nullptr);
    EXPECT_EQ(application->settings().width, 640);
}

TEST_F(SoftwareApplicationTest, TitleFramesReachTheScreenWithTheCursorWhereTheMouseIs)
{
    start({"--sdl", "-w", "640", "-h", "480"});
    Hand::mustPush(Hand::pushMove(517, 300));
    {
        CaptureStdout quiet; // the background's 24-bit line
        runFor(300);
    }
    EXPECT_GE(application->framesDrawn(), 3u);

    // Away from the cursor, the screen shows the title picture wherever it is opaque.
    const auto covered = [](int x, int y) {
        const bool nearCursor = x >= 500 && x < 580 && y >= 290 && y < 350;
        const bool onStory = x >= 444 && x < 444 + 128 && y >= 415 && y < 415 + 157;
        return nearCursor || onStory;
    };
    EXPECT_GT(expectPictureOnScreen(Images::title_png, Images::title_png_length, 0, 0, 4, covered), 4000);
    // The cursor picture is drawn 10 left and 6 above the mouse: at window pixel (517, 300) it
    // starts at (507, 294), one pixel per unit.
    EXPECT_GT(expectPictureOnScreen(Images::mousearrow_png, Images::mousearrow_png_length, 507, 294, 1,
                                    [](int, int) { return false; }),
              50);
}

// SDL 1.2 reports each wheel notch as a press and release of button 4 or 5: the application drops
// them before any screen sees one, while the left, middle and right buttons all act alike (the
// ending's middle button is the scripted game's).
TEST(MouseWheel, NotchesAreNotClicksAndTheOtherButtonsAre)
{
    CaptureStdout quiet;
    RealGame game;
    const auto press = [&game](int x, int y, Uint8 button) {
        ASSERT_TRUE(ScriptedPlayer::EventHand::pushMove(x, y));
        ASSERT_TRUE(ScriptedPlayer::EventHand::pushClick(x, y, button));
        game.step();
    };
    const auto title = [] { return dynamic_cast<TitleScreen*>(StateManager::getInstance()->currentScreen()); };

    press(500, 460, SDL_BUTTON_WHEELUP); // the story picture
    ASSERT_NE(title(), nullptr);
    EXPECT_FALSE(title()->storyShown());
    press(500, 460, SDL_BUTTON_MIDDLE);
    EXPECT_TRUE(title()->storyShown());
    press(500, 460, SDL_BUTTON_WHEELDOWN);
    EXPECT_TRUE(title()->storyShown());
    press(500, 460, SDL_BUTTON_RIGHT);
    EXPECT_FALSE(title()->storyShown());

    game.startRace();
    game.runRace();
    ASSERT_TRUE(game.race()->isRaceOver());
    press(500, 400, SDL_BUTTON_RIGHT);
    ASSERT_NE(game.race(), nullptr);
    EXPECT_FALSE(game.race()->isRaceOver());
}

// A browser frame that comes late is made up with steps that are not drawn: they take the events
// and move the race, and draw nothing.
TEST(UndrawnSteps, TakeTheEventsAndMoveTheRaceWithoutAFrameAndEndTheGameOnQuit)
{
    CaptureStdout quiet;
    RealGame game;
    Application& app = game.application();
    ASSERT_TRUE(app.stepUndrawn()); // the title, which stands still
    game.startRace();
    const unsigned long frames = app.framesDrawn();
    const unsigned long steps = app.stepsTaken();
    ASSERT_TRUE(ScriptedPlayer::EventHand::pushMove(920, 700));
    ASSERT_TRUE(ScriptedPlayer::EventHand::pushClick(920, 700)); // go
    ASSERT_TRUE(app.stepUndrawn());
    ASSERT_FALSE(game.race()->isPlacing());
    const float wall = game.race()->getWall().getX();
    ASSERT_TRUE(app.stepUndrawn());
    EXPECT_NE(game.race()->getWall().getX(), wall);
    EXPECT_EQ(app.framesDrawn(), frames);
    EXPECT_EQ(app.stepsTaken(), steps + 2);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    EXPECT_FALSE(app.stepUndrawn());
}

// The records through the real game: a lost game that crushed a runner writes the file beside the
// settings, and the next start reads it and shows it on the title.
TEST_F(SoftwareApplicationTest, ARecordIsWrittenAtTheGamesEndAndTheNextStartShowsItOnTheTitle)
{
    Records::getInstance()->restore({});
    start({"--sdl", "-ns"});
    EXPECT_EQ(startOutput.find("Tambrel.records"), std::string::npos) << "no file yet, and nothing said of it";
    ScriptedPlayer::EventHand hand;
    ScriptedPlayer player(hand, [this] { return application->frame(); });
    ScriptedPlayer::fixCounters();
    player.playOneRace(); // three hurdles of lane 0 back: its runner is crushed
    ASSERT_EQ(GameCounter::getInstance()->getCount("Crushed"), 1);
    const std::string path = home.settingsFolder() + "/Tambrel.records";
    EXPECT_FALSE(std::filesystem::exists(path)) << "written only when a game ends";
    // Four races without a crush spend the budget of four: the game is lost.
    for (int race = 0; race < 4; ++race) {
        player.go();
        player.framesUntil([] { return ScriptedPlayer::phase() == ScriptedPlayer::Phase::RaceOver; }, 5000);
        player.clickOn();
    }
    ASSERT_EQ(screen(), StateManager::Title);
    EXPECT_EQ(TempHome::readFile(path), "crushed 1\nraces 0\n");
    EXPECT_EQ(TempHome::readFile(home.settingsFile()).find("crushed"), std::string::npos);
    const auto* title = dynamic_cast<const TitleScreen*>(StateManager::getInstance()->currentScreen());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->newsLine(), "new record! 1 runner crushed");

    // What this process remembers is forgotten: the next game knows the record from the file alone.
    application.reset();
    Records::getInstance()->restore({});
    start({"--sdl", "-ns"});
    EXPECT_EQ(Records::getInstance()->best(), (Records::Best{1, 0}));
    ASSERT_TRUE(application->frame());
    title = dynamic_cast<const TitleScreen*>(StateManager::getInstance()->currentScreen());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->recordsLine(), "best 1 crushed");
    EXPECT_EQ(title->newsLine(), "");
    Records::getInstance()->restore({});
}
