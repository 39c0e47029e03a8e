// The ending: the wall's victory picture until the player clicks.
#pragma once

#include "draw/ImageSlot.h"
#include "game/screens/State.h"

class EndingScreen : public State {
public:
    EndingScreen();

    void render(Drawer* drawer) const override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

private:
    ImageSlot background;
    ImageSlot ending;
};
