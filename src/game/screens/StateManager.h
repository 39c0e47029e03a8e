// Owns the current screen and moves along the game's sequence of screens: the title, the races,
// and the ending when Harry is crushed.
#pragma once

#include <memory>
#include <optional>

#include "game/screens/State.h"

class Drawer;

class StateManager {
public:
    enum Screen { Title = 0, Race = 1, Ending = 2 };

    static StateManager* getInstance();

    // The frame entry: one step of the current screen, then drawn.
    void draw(Drawer* drawer);
    // One step, not drawn.
    void step();
    virtual void mouseMove(int x, int y);
    virtual void mouseDown(int button, int x, int y);
    virtual void mouseUp(int button, int x, int y);

    // These ask for the next screen. A screen's own request is carried out once the event or the
    // step that made it has returned, so no screen is deleted while one of its functions runs; a
    // request from outside the screens (Escape, shut-down) at once. The old screen releases its
    // images while its drawer still lives.
    // The screen that follows the current one: a race after the title, the title after the others.
    void nextState();
    // The ending, after the race that crushed Harry.
    void cutScene();
    // Back to a fresh title screen.
    void restart();

    Screen screenIndex() const { return index; }
    State* currentScreen() const { return current.get(); }
    // Steps taken and frames drawn since the game started, every screen together.
    unsigned long stepsTaken() const { return steps; }
    unsigned long framesDrawn() const { return frames; }

private:
    StateManager();
    ~StateManager() = default;
    static Screen after(Screen screen);
    static std::unique_ptr<State> make(Screen screen);
    // Hands `call` to the current screen, then makes the change it asked for.
    template <typename Call> void inScreen(Call call);
    void ask(Screen next);
    void settle();

    std::unique_ptr<State> current;
    Screen index = Title;
    std::optional<Screen> pending;
    bool screenRunning = false;
    unsigned long steps = 0;
    unsigned long frames = 0;
};
