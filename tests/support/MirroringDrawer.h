// A recording drawer that also draws every call for real through the software drawer, on a
// screen in memory (SDL's dummy video driver): tests that read the screen from the recorded
// calls then exercise the real pixel code too, under the memory checkers.
#pragma once

#include <map>
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

    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override;
    void endDrawing() override;
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;

private:
    std::unique_ptr<SDLDrawer> real;
    // Recorded image id to the software drawer's id for the same picture.
    std::map<std::uint32_t, std::uint32_t> realIds;
};
