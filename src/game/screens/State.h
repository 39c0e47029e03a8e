// One screen of the game: it advances by one step and draws itself every frame.
#pragma once

class Drawer;

class State {
public:
    virtual ~State() = default;
    virtual void draw(Drawer* drawer) = 0;
    // One step without drawing, which draw() also takes first: the browser makes up for a late
    // frame with steps it does not draw. Screens that stand still between clicks have none to take.
    virtual void advance() {}
    virtual void mouseMove(int x, int y) = 0;
    virtual void mouseDown(int button, int x, int y) = 0;
    virtual void mouseUp(int button, int x, int y) = 0;
};
