// Owns the current screen and moves along the game's sequence of screens: the title, the races,
// and the ending when Harry is crushed.
#pragma once

#include <memory>
#include <optional>

#include "game/screens/Overlay.h"
#include "game/screens/State.h"

class Drawer;

class StateManager {
public:
    enum Screen { Title = 0, Race = 1, Ending = 2 };

    static StateManager* getInstance();

    // The frame entry: one step of the current screen, then drawn, the overlay over it.
    void draw(Drawer* drawer);
    // One step, not drawn. Paused, the screen takes none; the overlay always does.
    void step();
    // While the mouse functions hand nothing to the screen: the first press goes on, and neither
    // it nor its release does anything else. A new screen starts unpaused.
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

    void setPaused(bool paused) { overlay.setPaused(paused); }
    bool isPaused() const { return overlay.isPaused(); }
    // A line over the screen for two seconds.
    void notify(const std::string& text) { overlay.notify(text); }
    const Overlay& getOverlay() const { return overlay; }

    Screen screenIndex() const { return index; }
    State* currentScreen() const { return current.get(); }
    // Steps the screens took (paused steps left out) and frames drawn since the game started,
    // every screen together.
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
    Overlay overlay;
    // The release of the press that went on from the pause.
    bool swallowRelease = false;
    unsigned long steps = 0;
    unsigned long frames = 0;
};
