// Records the drawing of one frame and replays it into either of two drawers, so that both draw
// exactly the same frames of one game; also tells how much of each frame is copied and how much
// blended, from the alpha of the pictures drawn.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "draw/Drawer.h"

class ReplayDrawer : public Drawer {
public:
    // Pixels of a picture by their alpha: the software drawer copies fully opaque pictures, and
    // draws large see-through ones in patches: copied where opaque, left out where clear, and
    // blended in between. Small see-through pictures are blended whole.
    struct AlphaCounts {
        std::size_t transparent = 0;
        std::size_t partial = 0;
        std::size_t opaque = 0;
        std::size_t total() const { return transparent + partial + opaque; }
    };
    // What one frame puts on the screen, in pixels inside the window.
    struct Coverage {
        std::size_t copied = 0;  // opaque pictures and patches at natural size: row copies
        std::size_t leftOut = 0; // clear parts of patched pictures: not touched at all
        AlphaCounts blended;     // pictures with see-through pixels at natural size, and all text
        std::size_t scaled = 0;  // pictures drawn at another size (estimated from their alpha share)
        std::map<std::string, std::size_t> partialByPicture;
    };

    ReplayDrawer(Drawer& first, Drawer& second);

    bool initialise(std::uint16_t, std::uint16_t, bool, int) override { return true; }
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override { calls.clear(); }
    void endDrawing() override {}
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;

    // Draws the recorded frame into drawer 0 or 1, begin to end.
    void replay(int which);
    Coverage coverage() const;
    std::size_t callCount() const { return calls.size(); }

private:
    struct Picture {
        std::string name;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::vector<std::uint8_t> alpha;
        // How the software drawer draws each pixel at natural size, from its own patches.
        enum class Way : std::uint8_t { LeftOut, Copied, Blended };
        std::vector<Way> way;
        AlphaCounts counts;
        std::array<std::uint32_t, 2> ids{};
    };
    struct Call {
        std::uint32_t id = 0; // 0 for text
        std::int16_t x = 0;
        std::int16_t y = 0;
        float scaleX = 1.0f;
        float scaleY = 1.0f;
        std::string text;
        float size = 0.0f;
    };
    static Picture describe(const unsigned char* pixels, std::uint32_t width, std::uint32_t height);
    void cover(const Picture& picture, int x, int y, Coverage& into) const;

    std::array<Drawer*, 2> targets;
    std::map<std::uint32_t, Picture> pictures;
    std::array<Picture, glyphCount> glyphPictures;
    std::uint32_t nextId = 1;
    std::vector<Call> calls;
};
