// The real Application on the software drawer under SDL's dummy video driver, driven as a player
// would through SDL's event queue, one loop turn at a time, without the frame limiter or sound.
#pragma once

#include <SDL/SDL.h>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "support/TempHome.h"

class GamePlay;
class SDLDrawer;

class GameDriver {
public:
    // The game's arguments; by default the software drawer without sound. HOME is a fresh folder.
    explicit GameDriver(const std::vector<std::string>& args = {"--sdl", "-ns"});
    ~GameDriver();
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    Application& application() { return *app; }
    SDLDrawer& drawer() const;
    int screen() const;
    // The race screen, or null on the other screens.
    GamePlay* race() const;

    // Pushes a left click (press and release) at a window pixel; false when the queue is full.
    static bool pushClick(int x, int y);
    static bool pushMove(int x, int y);
    static bool pushKey(SDLKey key);
    static bool queueEmpty();

    // One loop turn: the queued events, then a frame. Returns the loop's answer.
    bool step() { return app->step(); }
    // Clicks and takes one loop turn.
    bool click(int x, int y);
    bool escape();

    // From the title: starts a game and the first race.
    void startRace();
    // On the race screen: starts the race and draws frames until it is over; the frames it took.
    int runRace(int frameLimit = 5000);

private:
    TempHome home;
    std::unique_ptr<Application> app;
};
