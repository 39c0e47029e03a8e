// What is drawn over whichever screen is in view: while the game is paused, the darkened picture
// and its two lines; for two seconds after the sound key, what the key did. None of it is the
// world, so it takes its steps while the world stands still.
#pragma once

#include <string>

#include "draw/ImageSlot.h"

class Drawer;

class Overlay {
public:
    // How long a notice stays: two seconds of steps.
    static constexpr int noticeSteps = 120;

    Overlay();

    void setPaused(bool paused) { pausedFlag = paused; }
    bool isPaused() const { return pausedFlag; }
    // Shows `text` for the next two seconds, in place of the notice before it.
    void notify(const std::string& text);
    // The notice in view, or "".
    const std::string& notice() const { return noticeText; }

    void step();
    void render(Drawer* drawer) const;

private:
    // Shared: the overlay lives as long as the game, longer than any drawer.
    SharedImageSlot dim;
    bool pausedFlag = false;
    std::string noticeText;
    int noticeLeft = 0;
};
