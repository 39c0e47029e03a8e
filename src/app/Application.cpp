// Start-up and shut-down order, the event loop and its dispatch.
#include "app/Application.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "app/CommandLine.h"
#include "app/ConfigLoader.h"
#include "app/FatalError.h"
#include "draw/DrawerChoice.h"
#include "draw/EmbeddedGlyphs.h"
#include "game/Records.h"
#include "game/screens/StateManager.h"
#include "gui/Widget.h"
#include "platform/BackgroundTask.h"
#include "platform/Environment.h"
#include "platform/QuitSignals.h"
#include "platform/SystemPointer.h"
#include "platform/Thread.h"
#include "platform/WindowFocus.h"
#include "sound/Sounds.h"

namespace {

constexpr Uint32 sdlSubsystems = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;

// SDL 1.2 reports each notch of the wheel as a press and release of button 4 or 5. The screens act
// on any button alike, so these must not reach them: a notch is no click.
bool isWheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}

SDL_keysym keyFor(SDLKey sym)
{
    SDL_keysym key{};
    key.sym = sym;
    return key;
}

} // namespace

Application::SdlSession::SdlSession()
{
    QuitSignals::leaveToSdl();
}

Application::SdlSession::~SdlSession()
{
    // Before SDL_Quit, which gives SDL's own handlers back to the default action first and then
    // takes a while to close the window.
    QuitSignals::ignore();
    SDL_Quit();
}

Application::Application(const std::vector<std::string>& args)
{
    ConfigLoader config;

    // Read before SDL starts: the usage text needs no window, and the drawer asked for decides
    // how SDL is set up.
    launch = args.empty() ? CommandLine::fromSettingsFile(config.settings(), std::cout)
                          : CommandLine::parse(args, std::cout);
    drawWindowedOpenGLDirectly();
    Records::getInstance()->restore(records.load(std::cout));
    Records::getInstance()->setListener([this](const Records::Best& best) { records.save(best, std::cout); });

    if (SDL_Init(sdlSubsystems) < 0)
        throw FatalError(std::string("Could not initialise SDL: ") + SDL_GetError());
    SDL_WM_SetCaption("Brickwrath", nullptr);

    // The music's first buffers and the effect bank are decoded on a thread of their own while the
    // window opens (in the browser, which has none, still before the first frame): never on the
    // real-time audio thread, where the sound would stutter, and not in the way of the first frame.
    // Their lines are printed once they are done. The thread starts only once SDL has: without a
    // session bus, SDL's D-Bus library forks a helper while SDL starts, and a fork while another
    // thread holds a lock can leave the child stuck and SDL waiting on it for good.
    std::ostringstream soundReport;
    BackgroundTask sounds([this, &soundReport] {
        music = std::make_unique<BackgroundMusic>(soundReport);
        Sounds::getInstance(soundReport);
    });

    // Before the first mode is set, SDL's current size is the desktop's.
    if (const SDL_VideoInfo* desktop = SDL_GetVideoInfo(); desktop != nullptr) {
        desktopWidth = desktop->current_w;
        desktopHeight = desktop->current_h;
    }
    openDrawer();
    fullscreen = launch.fullscreen;
    publishWindowSize();
    windowWidth = openedWidth;
    windowHeight = openedHeight;

    loadEmbeddedGlyphs(*drawer);

    if (SDL_NumJoysticks() > 0) {
        joystick = SDL_JoystickOpen(0);
        SDL_JoystickEventState(SDL_ENABLE);
    }

    sounds.join();
    std::cout << soundReport.str() << std::flush;
    music->startDecoder();
    mixer = std::make_unique<AudioMixer>(music.get(), Sounds::getInstance(), !launch.noMusic);
    audioDevice->setCallback(mixer.get());
    audioDevice->setNumChannels(0, 2);
    audioDevice->setSamplerate(44100.0);
    soundPlaying = !launch.noSound && audioDevice->start();

    hiddenPointer = SystemPointer::hide();

    oneStepPerFrame = Environment::isOn("BRICKWRATH_UNPACED");
    reportFirstFrame = Environment::isOn("BRICKWRATH_REPORT_FIRST_FRAME");
}

Application::~Application()
{
    if (!launch.noSound)
        audioDevice->stop();
    if (joystick != nullptr)
        SDL_JoystickClose(joystick);
    // Screens give their images back while the drawer still exists.
    StateManager::getInstance()->restart();
    drawer.reset();
    Records::getInstance()->setListener(nullptr);
}

void Application::drawWindowedOpenGLDirectly() const
{
    // SDL's 1.2 layer draws an OpenGL game into a picture of its own and copies that onto the
    // window at every swap, scaled, so that a fullscreen game keeps its shape on any desktop. A
    // window is opened at the size the drawer asks for, so there the copy is only cost: a
    // whole-window copy each frame and, on Mesa's software renderer, 55 ms of compiling before the
    // first frame shows. Set before the sound thread starts; a value the player set stays.
    if (!launch.fullscreen && !launch.softwareDrawer)
        Environment::setDefault("SDL12COMPAT_OPENGL_SCALING", "0");
}

void Application::openDrawer()
{
    // The software drawer is chosen by --sdl, or by "sdl 1" in the settings file when the game
    // starts without arguments: the player asked for it either way.
    drawer = DrawerChoice::open(static_cast<std::uint16_t>(launch.width), static_cast<std::uint16_t>(launch.height),
                                launch.fullscreen, launch.antialias, launch.softwareDrawer, std::cout);
    if (drawer)
        return;
    const std::string reason = SDL_GetError();
    SDL_Quit();
    throw FatalError("Could not set a video mode: " + reason);
}

void Application::publishWindowSize()
{
    // Mouse positions come in pixels of the window that was opened, which need not be the size
    // asked for: the software drawer always opens 1024 by 768.
    if (const SDL_Surface* screen = SDL_GetVideoSurface(); screen != nullptr) {
        openedWidth = screen->w;
        openedHeight = screen->h;
    } else {
        openedWidth = launch.width;
        openedHeight = launch.height;
    }
    mouse = MouseMapping(openedWidth, openedHeight);
    Widget::screenWidth = static_cast<float>(openedWidth);
    Widget::screenHeight = static_cast<float>(openedHeight);
}

void Application::switchFullscreen()
{
    // The window comes back at the size it first had. The whole screen is taken at the desktop's
    // size, into which the drawer letterboxes the picture: SDL's own scaling is off for a game
    // that started in a window.
    const bool toFullscreen = !fullscreen;
    const bool knowDesktop = desktopWidth > 0 && desktopHeight > 0;
    const int width = toFullscreen && knowDesktop ? desktopWidth : windowWidth;
    const int height = toFullscreen && knowDesktop ? desktopHeight : windowHeight;
    const std::uint64_t pictures = drawer->serial();
    if (drawer->changeMode(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), toFullscreen)) {
        fullscreen = toFullscreen;
    } else {
        std::cout << "Could not switch to " << (toFullscreen ? "full screen" : "a window") << ": " << SDL_GetError()
                  << std::endl;
        drawer->changeMode(static_cast<std::uint16_t>(openedWidth), static_cast<std::uint16_t>(openedHeight),
                           fullscreen);
    }
    if (drawer->serial() != pictures)
        loadEmbeddedGlyphs(*drawer);
    publishWindowSize();
    // A new mode may come with the system's own pointer back.
    hiddenPointer.reset();
    hiddenPointer = SystemPointer::hide();
}

bool Application::takeEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        dispatch(event);
    // The pause may have come from a key, a lost focus or a click: the effects follow it here.
    mixer->holdEffects(StateManager::getInstance()->isPaused());
    return !quitFlag;
}

bool Application::frame()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const int due = oneStepPerFrame ? 1 : clock.stepsAt(std::chrono::duration<double, std::milli>(now).count());
    if (due == 0)
        return !quitFlag;
    // The music's refills, where threads take turns on this one, once before the frame's steps.
    Thread::takeTurns();
    // Drawing is the frame's dear part: a late frame draws only its last step, or the next one
    // would be later still.
    for (int i = 1; i < due; ++i)
        if (!stepUndrawn())
            return false;
    return step();
}

bool Application::stepUndrawn()
{
    if (!takeEvents())
        return false;
    StateManager::getInstance()->step();
    ++steps;
    return true;
}

bool Application::step()
{
    if (!takeEvents())
        return false;
    ++steps;
    drawer->beginDrawing();
    StateManager::getInstance()->draw(drawer.get());
    drawer->endDrawing();
    ++frames;
    if (reportFirstFrame && frames == 1)
        reportFrameTime();
    if (frameHook != nullptr)
        frameHook(frameHookContext);
    return true;
}

void Application::reportFrameTime()
{
    // The start-up benchmark compares this with the monotonic time at which it started the game:
    // the steady clock is the system's monotonic clock.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now - seconds);
    std::printf("first frame shown at %lld.%09lld\n", static_cast<long long>(seconds.count()),
                static_cast<long long>(nanoseconds.count()));
    std::fflush(stdout);
}

void Application::dispatch(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN: keyDown(event.key.keysym); break;
    case SDL_MOUSEMOTION: mouseMove(event.motion.x, event.motion.y); break;
    case SDL_MOUSEBUTTONDOWN:
        if (!isWheel(event.button.button))
            mouseDown(event.button.button, event.button.x, event.button.y);
        break;
    case SDL_MOUSEBUTTONUP:
        if (!isWheel(event.button.button))
            mouseUp(event.button.button, event.button.x, event.button.y);
        break;
    case SDL_JOYAXISMOTION:
        if (const SDLKey key = joystickAxisKey(event.jaxis.axis, event.jaxis.value); key != SDLK_UNKNOWN)
            keyDown(keyFor(key));
        break;
    case SDL_JOYBUTTONDOWN: keyDown(keyFor(joystickButtonKey(event.jbutton.button))); break;
    case SDL_VIDEOEXPOSE: drawer->windowExposed(); break;
    case SDL_QUIT: quitFlag = true; break;
    default:
        // Turned away from a race, the player would come back to a lost one.
        if (WindowFocus::lostBy(event) && StateManager::getInstance()->screenIndex() == StateManager::Race)
            StateManager::getInstance()->setPaused(true);
        break;
    }
}

SDLKey Application::joystickAxisKey(int axis, int value)
{
    constexpr int deadZone = 128;
    if (axis == 0)
        return value < -deadZone ? SDLK_LEFT : value > deadZone ? SDLK_RIGHT : SDLK_UNKNOWN;
    if (axis == 1)
        return value < -deadZone ? SDLK_UP : value > deadZone ? SDLK_DOWN : SDLK_UNKNOWN;
    return SDLK_UNKNOWN;
}

SDLKey Application::joystickButtonKey(int button)
{
    return button == 0 ? SDLK_z : button == 1 ? SDLK_x : SDLK_c;
}

void Application::mouseMove(int x, int y)
{
    StateManager::getInstance()->mouseMove(mouse.mapX(x), mouse.mapY(y));
}

void Application::mouseDown(int button, int x, int y)
{
    StateManager::getInstance()->mouseDown(button, mouse.mapX(x), mouse.mapY(y));
}

void Application::mouseUp(int button, int x, int y)
{
    StateManager::getInstance()->mouseUp(button, mouse.mapX(x), mouse.mapY(y));
}

void Application::keyDown(const SDL_keysym& key)
{
    StateManager* screens = StateManager::getInstance();
    switch (key.sym) {
    case SDLK_p: screens->setPaused(!screens->isPaused()); break;
    case SDLK_m: switchSound(); break;
    case SDLK_F11: switchFullscreen(); break;
    // Enter alone does nothing.
    case SDLK_RETURN:
        if ((key.mod & KMOD_ALT) != 0)
            switchFullscreen();
        break;
    // Escape leaves a race for the title screen; anywhere else it ends the game.
    case SDLK_ESCAPE:
        if (screens->screenIndex() == StateManager::Race)
            screens->nextState();
        else
            quitFlag = true;
        break;
    default: break;
    }
}

void Application::switchSound()
{
    StateManager* screens = StateManager::getInstance();
    if (!soundPlaying) {
        screens->notify("no sound");
        return;
    }
    mixer->mute(!mixer->isMuted());
    screens->notify(mixer->isMuted() ? "sound off" : "sound on");
}

void Application::keyUp(const SDL_keysym&) {}
void Application::joyXMove(bool) {}
void Application::joyYMove(bool) {}
void Application::joyDown(int) {}
