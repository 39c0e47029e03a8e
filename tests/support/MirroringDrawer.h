// A recording drawer that also draws every call for real through the software drawer, on a
// screen in memory (SDL's dummy video driver): tests that read the screen from the recorded
// calls then exercise the real pixel code too, under the memory checkers.
#pragma once

#include <memory>

#include "draw/software/SDLDrawer.h"
#include "support/RecordingDrawer.h"

class MirroringDrawer : public RecordingDrawer {
public:
    // Opens the software drawer's window and gives it the game's glyphs.
    MirroringDrawer();
    ~MirroringDrawer() override;
    MirroringDrawer(const MirroringDrawer&) = delete;
    MirroringDrawer& operator=(const MirroringDrawer&) = delete;

private:
    std::unique_ptr<SDLDrawer> real;
};
