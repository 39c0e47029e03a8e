// Told when a button is released over itself.
#pragma once

class Button;

class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    virtual void buttonClicked(Button* button) = 0;
};
