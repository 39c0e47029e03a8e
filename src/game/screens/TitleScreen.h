// The title screen: title picture with its start area, the story view, the escape hint, the
// player's records, and the news of a record the game just ended with.
#pragma once

#include <string>

#include "draw/ImageSlot.h"
#include "game/Records.h"
#include "game/ScreenArea.h"
#include "game/screens/State.h"

class TitleScreen : public State {
public:
    TitleScreen();

    // The escape hint's countdown and fade, and the records as they stand.
    void step() override;
    void render(Drawer* drawer) const override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

    bool storyShown() const { return showStory; }
    int hintCountdown() const { return countdown; }
    // The line of records shown, and the news of the game that ended; empty when there are none.
    std::string recordsLine() const { return Records::line(shownBest); }
    const std::string& newsLine() const { return news; }

    static constexpr int hintFrames = 400;
    // Where a click starts a race, and where it opens the story; both with their edges.
    static constexpr ScreenArea startArea{457, 591, 216, 88};
    static constexpr ScreenArea storyArea{445, 416, 126, 155};

private:
    void drawStory(Drawer* drawer) const;
    void drawTitle(Drawer* drawer) const;
    void drawRecords(Drawer* drawer) const;

    ImageSlot background;
    ImageSlot title;
    ImageSlot story;
    ImageSlot cursor;
    int mouseX = 0;
    int mouseY = 0;
    int countdown = hintFrames;
    // How much of the hint this step shows: none until the countdown is nearly over.
    float hintAlpha = 0.0f;
    bool showStory = false;
    Records::Best shownBest;
    // "new record! ..." after a game that beat one, empty otherwise.
    std::string news;
};
