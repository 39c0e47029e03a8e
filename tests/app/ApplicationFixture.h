// The real Application started with the player's arguments in a fresh HOME, a step a frame as
// fast as frames come, fed through SDL's event queue and run frame by frame until it ends.
#pragma once

#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "game/screens/StateManager.h"
#include "support/CaptureStdout.h"
#include "support/ScriptedPlayer.h"
#include "support/TempHome.h"

class ApplicationFixture : public ::testing::Test {
protected:
    using Hand = ScriptedPlayer::EventHand;

    void TearDown() override { application.reset(); }

    void start(const std::vector<std::string>& args)
    {
        CaptureStdout quiet;
        application = std::make_unique<Application>(args);
        application->takeOneStepPerFrame();
        startOutput = quiet.text();
    }
    static void push(SDL_Event event) { Hand::mustPush(SDL_PushEvent(&event) == 0); }
    static void pushQuit() { push(SDL_Event{SDL_QUIT}); }
    static void pushKey(SDLKey key, Uint8 type = SDL_KEYDOWN)
    {
        SDL_Event event{type};
        event.key.keysym.sym = key;
        push(event);
    }
    // Runs frames until the game ends.
    void runFrames()
    {
        while (application->frame()) {
        }
    }
    // Runs frames over what is queued, and a quit after it.
    void runQueued()
    {
        pushQuit();
        runFrames();
    }
    // Runs the event loop, drawing frames, until a quit arrives from a timer after `ms` milliseconds.
    void runFor(Uint32 ms)
    {
        const SDL_TimerID timer = SDL_AddTimer(
            ms,
            [](Uint32, void*) -> Uint32 {
                SDL_Event quit{SDL_QUIT};
                SDL_PushEvent(&quit);
                return 0;
            },
            nullptr);
        runFrames();
        SDL_RemoveTimer(timer);
    }
    // A left click at window pixel (x, y), run through the loop: whether it started a race.
    bool clickStartsARace(int x, int y)
    {
        StateManager::getInstance()->restart();
        Hand::mustPush(Hand::pushClick(x, y));
        runQueued();
        return screen() == StateManager::Race;
    }
    static int screen() { return StateManager::getInstance()->screenIndex(); }

    TempHome home;
    std::unique_ptr<Application> application;
    std::string startOutput; // what the game printed while starting
};
