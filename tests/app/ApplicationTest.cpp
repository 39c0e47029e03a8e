// The Application in a real window (run under Xvfb): start-up, the event loop, Escape, mouse
// mapping through the visible picture, and the entry's handling of FatalError.
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ApplicationFixture.h"
#include "app/GameEntry.h"
#include "draw/opengl/OpenGLDrawer.h"
#include "gui/Widget.h"

namespace {

using ApplicationTest = ApplicationFixture;

// The program's entry as main calls it, on the given video driver, in a fresh HOME: what it printed.
std::string runEntry(const std::vector<std::string>& args, const char* driver)
{
    TempHome home;
    const char* old = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = old != nullptr ? old : "";
    setenv("SDL_VIDEODRIVER", driver, 1);
    CaptureStdout output;
    EXPECT_EQ(runGame(std::vector<std::string>(args.begin() + 1, args.end())), 0); // without the program's name
    if (old != nullptr)
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");
    return output.text();
}

} // namespace

TEST_F(ApplicationTest, OpensTheWindowLoadsGlyphsAndPublishesTheSize)
{
    start({"-w", "1024", "-h", "768"});
    const SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->w, 1024);
    EXPECT_EQ(window->h, 768);
    EXPECT_NE(dynamic_cast<OpenGLDrawer*>(application->getDrawer()), nullptr);
    EXPECT_EQ(Widget::screenWidth, 1024.0f);
    EXPECT_EQ(Widget::screenHeight, 768.0f);
    // The pointer is hidden by a cursor with nothing in its mask, not switched off: SDL would then
    // send a grabbed, full-screen game relative positions. Only a video driver without cursors (SDL
    // falls back to its off-screen one when it cannot reach the X server) hides it the plain way.
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (std::string(driver) != "x11" && startOutput.find("Could not make a transparent cursor") != std::string::npos) {
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
        return;
    }
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << startOutput;
    const SDL_Cursor* cursor = SDL_GetCursor();
    ASSERT_NE(cursor, nullptr) << startOutput;
    ASSERT_NE(cursor->mask, nullptr);
    const int maskBytes = cursor->area.w / 8 * cursor->area.h;
    ASSERT_GT(maskBytes, 0);
    EXPECT_EQ(std::count(cursor->mask, cursor->mask + maskBytes, 0), maskBytes);
    EXPECT_EQ(screen(), StateManager::Title);
}

// SDL's 1.2 layer would otherwise draw into a picture of its own and copy it to the window at every
// swap; a player who set the variable keeps their value.
TEST_F(ApplicationTest, AWindowedOpenGLGameDrawsStraightOntoItsWindowUnlessThePlayerChoseOtherwise)
{
    unsetenv("SDL12COMPAT_OPENGL_SCALING");
    start({"-w", "800", "-h", "600", "-ns"});
    EXPECT_STREQ(std::getenv("SDL12COMPAT_OPENGL_SCALING"), "0");
    application.reset();

    setenv("SDL12COMPAT_OPENGL_SCALING", "1", 1);
    start({"-w", "800", "-h", "600", "-ns"});
    EXPECT_STREQ(std::getenv("SDL12COMPAT_OPENGL_SCALING"), "1");
    EXPECT_NE(dynamic_cast<OpenGLDrawer*>(application->getDrawer()), nullptr);
    unsetenv("SDL12COMPAT_OPENGL_SCALING");
}

TEST_F(ApplicationTest, QueuedEventsAreStillDispatchedAfterQuitAndNoFrameIsDrawn)
{
    start({"-w", "800", "-h", "600"});
    pushQuit();
    Hand::mustPush(Hand::pushClick(450, 490)); // the start area, after the quit request
    runFrames();
    EXPECT_EQ(application->framesDrawn(), 0u);
    EXPECT_EQ(screen(), StateManager::Race);
}

TEST_F(ApplicationTest, EscapeLeavesTheRaceThenEndsTheGame)
{
    start({"-w", "800", "-h", "600"});
    Hand::mustPush(Hand::pushClick(450, 490));
    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_a); // other keys do nothing
    pushKey(SDLK_ESCAPE, SDL_KEYUP);
    runQueued();
    EXPECT_EQ(screen(), StateManager::Title) << "Escape on the race screen goes back to the title";

    pushKey(SDLK_ESCAPE);
    push(SDL_Event{SDL_USEREVENT});
    runFrames();
    EXPECT_TRUE(application->quitRequested());
    EXPECT_EQ(screen(), StateManager::Title);
}

TEST_F(ApplicationTest, AStillScreenIsDrawnOnceAndAgainAfterAnExposeOrAMove)
{
    start({"-w", "800", "-h", "600"});
    const auto* drawer = dynamic_cast<const OpenGLDrawer*>(application->getDrawer());
    ASSERT_NE(drawer, nullptr);
    std::string drawn; // a letter a frame: d drawn and swapped, - left as the window shows it
    const auto frames = [&](int count) {
        for (int i = 0; i < count && application->step(); ++i)
            drawn += drawer->lastFrameDrawn() ? 'd' : '-';
    };
    frames(3);
    push(SDL_Event{SDL_VIDEOEXPOSE});
    frames(2);
    Hand::mustPush(Hand::pushMove(300, 300));
    frames(2);
    EXPECT_EQ(drawn, "d--d-d-");
}

TEST_F(ApplicationTest, ClicksMapThroughTheLetterboxedPicture)
{
    // 1024 by 600: the picture is 800 wide from pixel 112. Virtual (460, 600) is pixel (472, 469);
    // the plain window scaling would have sent it to (472, 768).
    start({"-w", "1024", "-h", "600"});
    EXPECT_FALSE(clickStartsARace(111 + 350, 469)); // virtual (445, 600): left of the start area
    EXPECT_TRUE(clickStartsARace(472, 469));
}

TEST_F(ApplicationTest, JoystickAxesHaveADeadZoneOf128)
{
    EXPECT_EQ(Application::joystickAxisKey(0, -129), SDLK_LEFT);
    EXPECT_EQ(Application::joystickAxisKey(0, -128), SDLK_UNKNOWN);
    EXPECT_EQ(Application::joystickAxisKey(0, 128), SDLK_UNKNOWN);
    EXPECT_EQ(Application::joystickAxisKey(0, 129), SDLK_RIGHT);
    EXPECT_EQ(Application::joystickAxisKey(1, -32768), SDLK_UP);
    EXPECT_EQ(Application::joystickAxisKey(1, 32767), SDLK_DOWN);
    EXPECT_EQ(Application::joystickAxisKey(2, 32767), SDLK_UNKNOWN);
    EXPECT_EQ(Application::joystickButtonKey(0), SDLK_z);
    EXPECT_EQ(Application::joystickButtonKey(1), SDLK_x);
    EXPECT_EQ(Application::joystickButtonKey(7), SDLK_c);

    // None of them is Escape: a joystick never leaves a race or the game.
    start({"-w", "800", "-h", "600"});
    Hand::mustPush(Hand::pushClick(450, 490));
    for (int axis = 0; axis < 3; ++axis)
        for (int value : {-32768, -129, 0, 129, 32767}) {
            SDL_Event event{SDL_JOYAXISMOTION};
            event.jaxis.axis = static_cast<Uint8>(axis);
            event.jaxis.value = static_cast<Sint16>(value);
            push(event);
        }
    SDL_Event button{SDL_JOYBUTTONDOWN};
    button.jbutton.button = 0;
    push(button);
    runQueued();
    EXPECT_EQ(screen(), StateManager::Race);
}

// --help needs no display: it ends before SDL starts.
TEST(Entry, HelpPrintsTheUsageWithoutADisplayAndEndsWithStatusZero)
{
    const std::string text = runEntry({"brickwrath", "--help"}, "no-such-driver");
    // The music player opens its file first; after the settings folder's creation line comes the
    // usage text.
    const std::size_t created = text.find("Created directory ");
    ASSERT_NE(created, std::string::npos) << text;
    EXPECT_EQ(text.find("\nBrickwrath\n\nUsage:\n"), text.find('\n', created) + 1) << text;
    EXPECT_NE(text.find("--help:\t\t\t\tDisplay this help.\n\n\n"), std::string::npos) << "the message adds two lines";
    EXPECT_EQ(text.find("Could not initialise SDL"), std::string::npos);
}

TEST(Entry, SdlThatCannotStartIsReportedAndStillEndsWithStatusZero)
{
    const std::string text = runEntry({"brickwrath"}, "no-such-driver");
    EXPECT_NE(text.find("\nCould not initialise SDL: no-such-driver"), std::string::npos) << text;
}
