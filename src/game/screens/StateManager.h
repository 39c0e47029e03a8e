// Owns the current screen and moves along title -> race -> title, or race -> ending -> title.
#pragma once

#include <memory>

#include "game/screens/State.h"

class Drawer;

class StateManager {
public:
    enum Screen { Title = 0, Race = 1, Ending = 2 };

    static StateManager* getInstance();

    void draw(Drawer* drawer);
    void advance();
    virtual void mouseMove(int x, int y);
    virtual void mouseDown(int button, int x, int y);
    virtual void mouseUp(int button, int x, int y);

    // The screen that asks for a transition is deleted inside these calls.
    void nextState();
    void cutScene();
    // Back to a fresh title screen; the old screen releases its images while its drawer lives.
    void restart();

    int screenIndex() const { return index; }
    State* currentScreen() const { return current.get(); }

private:
    StateManager();
    ~StateManager() = default;
    void replace(std::unique_ptr<State> next, int nextIndex);

    std::unique_ptr<State> current;
    int index = Title;
};
