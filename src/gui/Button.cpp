// Button states: a release over the button is a click, wherever the press happened.
#include "gui/Button.h"

void Button::draw() const {}

void Button::mouseMove(float, float)
{
    // A pressed button stays pressed while the mouse moves over it.
    if (state != Pressed)
        state = Over;
}

void Button::mouseButton(bool down, float, float)
{
    if (down) {
        state = Pressed;
        return;
    }
    state = Over;
    // By index: a listener may register another one while being told.
    for (std::size_t i = 0; i < listeners.size(); ++i)
        listeners[i]->buttonClicked(this);
}

void Button::mouseLeave(float, float)
{
    state = Normal;
}

int Button::registerListener(ButtonListener* listener)
{
    listeners.push_back(listener);
    return static_cast<int>(listeners.size());
}
