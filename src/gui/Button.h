// A widget with three states (normal, pressed, pointed at) that tells its listeners when it is
// released over itself. It draws nothing of its own.
#pragma once

#include <vector>

#include "gui/ButtonListener.h"
#include "gui/Widget.h"

class Button : public Widget {
public:
    enum State { Normal = 0, Pressed = 1, Over = 2 };

    void draw() const override;
    void mouseMove(float x, float y) override;
    void mouseButton(bool down, float x, float y) override;
    void mouseLeave(float x, float y) override;

    // Not owned; the same listener registered twice is told twice. Returns how many are registered.
    int registerListener(ButtonListener* listener);

    int getState() const { return state; }

private:
    int state = Normal;
    std::vector<ButtonListener*> listeners;
};
