// The race screen. For now it shows the background and leaves on Escape; the races come next.
#pragma once

#include "game/ImageSlot.h"
#include "game/State.h"

class GamePlay : public State {
public:
    GamePlay();

    void draw(Drawer* drawer) override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

private:
    ImageSlot background;
};
