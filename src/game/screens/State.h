// One screen of the game. Its world changes only in step(); render() draws it as it stands and
// changes nothing, so a frame is one step and then the picture, and a step that no frame shows is
// the step alone.
#pragma once

class Drawer;

class State {
public:
    virtual ~State() = default;

    // The frame entry: one step, then drawn.
    void draw(Drawer* drawer)
    {
        step();
        render(drawer);
    }
    // One step of the screen's world. Screens that stand still between clicks have none to take.
    virtual void step() {}
    virtual void render(Drawer* drawer) const = 0;

    virtual void mouseMove(int x, int y) = 0;
    virtual void mouseDown(int button, int x, int y) = 0;
    virtual void mouseUp(int button, int x, int y) = 0;
};
