// The one Application: reads the settings, opens the window through a drawer, loads the glyphs,
// turns each display frame into the game's steps and tears everything down in a fixed order.
#pragma once

#include <SDL/SDL.h>
#include <memory>
#include <string>
#include <vector>

#include "app/MouseMapping.h"
#include "app/RecordsFile.h"
#include "app/Settings.h"
#include "app/StepClock.h"
#include "platform/AudioOutput.h"
#include "platform/SystemPointer.h"
#include "sound/AudioMixer.h"
#include "sound/BackgroundMusic.h"

class Drawer;

class Application {
public:
    // Throws FatalError when SDL cannot start, and for --help.
    explicit Application(const std::vector<std::string>& args);
    ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // One display frame, on every target: the steps the clock says are due at 60 a second, each
    // after the events queued before it, all but the last not drawn. A frame that comes in time
    // takes one step; one that comes early may take none. False once the game is to end.
    bool frame();
    // Every queued event, then one step of the game, drawn. False, with no frame drawn, once the
    // game is to end.
    bool step();
    // The same with the step not drawn.
    bool stepUndrawn();
    // Each frame then takes exactly one step, however fast frames come: for the benchmarks and the
    // tests, which run unpaced, and set by BRICKWRATH_UNPACED=1.
    void takeOneStepPerFrame() { oneStepPerFrame = true; }
    void quit() { quitFlag = true; }

    void mouseMove(int x, int y);
    void mouseDown(int button, int x, int y);
    void mouseUp(int button, int x, int y);
    void keyDown(const SDL_keysym& key);
    void keyUp(const SDL_keysym& key);
    void joyXMove(bool positive);
    void joyYMove(bool positive);
    void joyDown(int button);

    // The key a joystick axis movement stands for, or SDLK_UNKNOWN inside the dead zone.
    static SDLKey joystickAxisKey(int axis, int value);
    // The key a joystick button stands for.
    static SDLKey joystickButtonKey(int button);

    // Handles one window event, as the loop does.
    void dispatch(const SDL_Event& event);

    Drawer* getDrawer() const { return drawer.get(); }
    const Settings& settings() const { return launch; }
    bool quitRequested() const { return quitFlag; }
    unsigned long framesDrawn() const { return frames; }
    unsigned long stepsTaken() const { return steps; }

    // Called on the main thread after every frame is shown, before the loop waits: benchmarks
    // time the real loop with it and push their scripted events from it.
    using FrameHook = void (*)(void* context);
    void setFrameHook(FrameHook hook, void* context)
    {
        frameHook = hook;
        frameHookContext = context;
    }

private:
    // Has SDL leave out its scaled copy of an OpenGL window's picture (see the definition).
    void drawWindowedOpenGLDirectly() const;
    // Opens the window: OpenGL unless the software drawer was asked for or OpenGL cannot start.
    void openDrawer();
    void reportFrameTime();
    // Every queued event; false once the game is to end.
    bool takeEvents();
    // The mouse mapping and the widgets' screen size, from the window as it is now.
    void publishWindowSize();
    // The sound key: all sound off or on again, said on the screen for two seconds.
    void switchSound();
    // F11 and Alt+Enter: from the window to the whole screen and back.
    void switchFullscreen();

    // Constructed first and destroyed last: the stream is stopped in the destructor's body, before
    // the music player below is torn down, so no block is mixed while the music goes.
    std::unique_ptr<AudioOutput> audioDevice = AudioOutput::create();
    // What the stream plays, made once the music and the effects are loaded; it outlives the stream.
    std::unique_ptr<AudioMixer> mixer;
    bool quitFlag = false;
    // The output was started: without it (-ns, or no device) there is no sound to switch.
    bool soundPlaying = false;
    SDL_Joystick* joystick = nullptr;
    std::unique_ptr<Drawer> drawer;

    Settings launch;
    // Where the player's records are kept; the records tell it when one is beaten.
    RecordsFile records;
    MouseMapping mouse;
    // The window's size as it is, as it first opened, and the desktop's (0 when SDL did not say).
    int openedWidth = 0;
    int openedHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int desktopWidth = 0;
    int desktopHeight = 0;
    bool fullscreen = false;
    StepClock clock;
    bool oneStepPerFrame = false;
    unsigned long frames = 0;
    unsigned long steps = 0;
    FrameHook frameHook = nullptr;
    void* frameHookContext = nullptr;
    // BRICKWRATH_REPORT_FIRST_FRAME=1: the monotonic clock is printed once the first frame is shown.
    bool reportFirstFrame = false;
    // SDL's part in quit signals. SDL_Init turns them into quit events, but only where they still
    // have their default action, which the session sets first. SDL ends only once the music below
    // has stopped, so a signal during the music's stop wait is an event nobody reads; after that
    // the game is on its way out, and further quit signals are ignored rather than allowed to turn
    // a clean quit into a killed one.
    struct SdlSession {
        SdlSession();
        SdlSession(const SdlSession&) = delete;
        SdlSession& operator=(const SdlSession&) = delete;
        ~SdlSession();
    } sdlSession;
    // Hides the system's pointer; given back before SDL ends.
    SystemPointer::Cursor hiddenPointer;
    // Last, so that it is destroyed first of the members, before SDL ends and the device goes.
    // Made while the window opens, on the thread that decodes the effect bank.
    std::unique_ptr<BackgroundMusic> music;
};
