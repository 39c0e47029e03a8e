// The real Application on the software drawer under SDL's dummy video driver, in a fresh HOME,
// without the frame limiter or sound, played by the scripted player through SDL's event queue.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "support/ScriptedPlayer.h"
#include "support/TempHome.h"

class GamePlay;
class SDLDrawer;

class RealGame {
public:
    explicit RealGame(const std::vector<std::string>& args = {"--sdl", "-ns"});
    ~RealGame();
    RealGame(const RealGame&) = delete;
    RealGame& operator=(const RealGame&) = delete;

    Application& application() { return *app; }
    SDLDrawer& drawer() const;
    int screen() const;
    // The race screen, or null on the other screens.
    GamePlay* race() const;

    // One loop turn: the queued events, then a frame, then `afterFrame`. The loop's answer.
    bool step();
    void escape();
    // From the title: starts a game and the first race.
    void startRace();
    // On the race screen: go, then frames until the race is over; the frames it took.
    int runRace(int frameLimit = 5000);

    ScriptedPlayer& player() { return scripted; }
    std::function<void()> afterFrame;

private:
    TempHome home;
    std::unique_ptr<Application> app;
    ScriptedPlayer::EventHand hand;
    ScriptedPlayer scripted{hand, [this] { return step(); }};
};
