// The ending: the wall's victory picture, and the news of the records the game beat, until the
// player clicks.
#pragma once

#include <string>
#include <vector>

#include "draw/ImageSlot.h"
#include "game/screens/State.h"

class EndingScreen : public State {
public:
    EndingScreen();

    void render(Drawer* drawer) const override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

    // A line a record the won game beat; empty when it beat none.
    const std::vector<std::string>& newsLines() const { return news; }

private:
    ImageSlot background;
    ImageSlot ending;
    std::vector<std::string> news;
};
