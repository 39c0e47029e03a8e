// The title screen: title picture with its start area, the story view, and the escape hint.
#pragma once

#include "draw/ImageSlot.h"
#include "game/screens/State.h"

class TitleScreen : public State {
public:
    TitleScreen();

    void draw(Drawer* drawer) override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

    bool storyShown() const { return showStory; }
    int hintCountdown() const { return countdown; }

    static constexpr int hintFrames = 400;

private:
    void drawStory(Drawer* drawer);
    void drawTitle(Drawer* drawer);

    ImageSlot background;
    ImageSlot title;
    ImageSlot story;
    ImageSlot cursor;
    int mouseX = 0;
    int mouseY = 0;
    int countdown = hintFrames;
    bool showStory = false;
};
