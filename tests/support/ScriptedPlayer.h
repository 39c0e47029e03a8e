// The one scripted player of the tests and the benchmarks: it plays the real screens with the
// mouse, one input a frame as a person would, and knows where the game's buttons, hurdles and
// tray icons are. Its Hand says where the mouse goes: straight into one screen, into the screens
// in turn, or through SDL's event queue into the real Application.
#pragma once

#include <SDL/SDL.h>
#include <functional>

#include "game/race/Tray.h"
#include "game/screens/StateManager.h"

class Hurdle;

class ScriptedPlayer {
public:
    class Hand {
    public:
        virtual ~Hand() = default;
        virtual void move(int x, int y) = 0;
        virtual void press(int x, int y) = 0;
        virtual void release(int x, int y) = 0;
    };

    // Straight into `screen`, or into whichever screen is current when it is null.
    class ScreenHand : public Hand {
    public:
        explicit ScreenHand(State* screen = nullptr) : screen(screen) {}
        void move(int x, int y) override { target()->mouseMove(x, y); }
        void press(int x, int y) override { target()->mouseDown(1, x, y); }
        void release(int x, int y) override { target()->mouseUp(1, x, y); }
        State* target() const { return screen != nullptr ? screen : StateManager::getInstance()->currentScreen(); }

        State* screen;
    };

    // Window events for the real Application, whose 1024 by 768 window makes pixels game units.
    // Throws when SDL's queue is full; the push functions say so instead.
    class EventHand : public Hand {
    public:
        void move(int x, int y) override { mustPush(pushMove(x, y)); }
        void press(int x, int y) override { mustPush(pushButton(SDL_MOUSEBUTTONDOWN, x, y)); }
        void release(int x, int y) override { mustPush(pushButton(SDL_MOUSEBUTTONUP, x, y)); }

        static void mustPush(bool pushed);
        static bool pushMove(int x, int y);
        static bool pushButton(Uint8 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
        static bool pushClick(int x, int y, Uint8 button = SDL_BUTTON_LEFT)
        {
            return pushButton(SDL_MOUSEBUTTONDOWN, x, y, button) && pushButton(SDL_MOUSEBUTTONUP, x, y, button);
        }
        static bool pushKey(SDLKey key);
        static bool queueEmpty();
    };

    enum class Phase { Title, Placement, Race, RaceOver, Ending };

    // `frame` draws one frame after each input and says whether the game goes on. Without it the
    // inputs go in at once and the caller draws.
    explicit ScriptedPlayer(Hand& hand, std::function<bool()> frame = {});

    // The counters of every scripted game: the runners' speeds, and so every race, replay exactly.
    static void fixCounters();
    // What the screens show now, read from their state.
    static Phase phase();
    static const char* name(Phase phase);

    // Draws frames until `done` holds, at most `limit`; returns how many it drew.
    int framesUntil(const std::function<bool()>& done, int limit);
    void frames(int count)
    {
        framesUntil([] { return false; }, count);
    }

    void move(int x, int y);
    void click(int x, int y);
    void drag(int fromX, int fromY, int toX, int toY);

    void startGame(); // the title's start area
    void go();        // the race screen's go button
    void clickOn();   // past "race over", or the ending: anywhere
    // Drags the hurdle whose picture's corner is at (x, y) by its middle, 20 back down the track
    // or up it: the one shift a placement allows it.
    void shiftHurdle(int x, int y, bool back = true);
    void shiftHurdle(const Hurdle& hurdle, bool back = true);
    // Takes a trap of the kind from its tray icon and lets go of it at (x, y).
    void dropTrap(Tray::Kind kind, int x, int y);
    // Drops it so that its corner lies `ahead` units in front of `lane`'s starting line.
    void dropTrapAhead(Tray::Kind kind, int lane, int ahead);

    // The benchmarks' game, from the title: a few title frames, start, three hurdles of lane 0
    // moved back and the pointer about, go, the race, "race over" for a while, the click on and
    // a few frames of the next placement.
    void playOneRace(int titleFrames = 10, int overFrames = 60, int nextPlacementFrames = 20);

private:
    // Hands the input to the hand, then draws a frame.
    void input(const std::function<void()>& what);

    Hand& hand;
    std::function<bool()> frame;
    bool ended = false; // a frame said the game is over: no more inputs or frames
};
