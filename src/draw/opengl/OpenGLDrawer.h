// The default drawer: an OpenGL 1.x window, every image a texture drawn as one blended quad.
// A frame that repeats the last one's calls is neither drawn nor swapped: the window keeps it.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "draw/DrawCallHistory.h"
#include "draw/Drawer.h"

class OpenGLDrawer : public Drawer {
public:
    struct Image {
        std::uint32_t texture = 0;
        std::uint16_t width = 0; // as loaded, not the texture's
        std::uint16_t height = 0;
        float u = 1.0f; // part of the texture the image covers
        float v = 1.0f;
    };

    OpenGLDrawer();
    ~OpenGLDrawer() override;

    bool initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias) override;
    bool changeMode(std::uint16_t width, std::uint16_t height, bool fullscreen) override;
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override;
    void endDrawing() override;
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    using Drawer::drawImage;
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;
    void windowExposed() override;

    static bool isPowerOfTwo(std::uint32_t n);
    static std::uint32_t powerOfTwo(std::uint32_t n);
    void initFonts();

    // For tests and checks: the record behind an id, or null.
    const Image* findImage(std::uint32_t id) const;
    std::size_t imageCount() const { return images.size(); }
    // Whether the last endDrawing drew its frame and swapped, rather than leave the window as it was.
    bool lastFrameDrawn() const { return lastDrawn; }

private:
    using DrawCall = DrawCallHistory::Call;

    // The letterboxed view of the virtual screen in a window of that size, and the state every
    // frame draws with.
    void setUpView(std::uint16_t width, std::uint16_t height);
    void submit(DrawCall call);
    // This frame's picture differs from the window's: from now on it is drawn, the calls so far first.
    void startPicture();
    // A texture changed or the window lost its picture: what the calls draw is no longer on it.
    void pictureChanged();
    void execute(const DrawCall& call);
    void drawImageNow(const DrawCall& call);
    void drawTextNow(const DrawCall& call);

    std::map<std::uint32_t, Image> images;
    std::array<Image, glyphCount> glyphs{};
    std::uint32_t nextId = 1;

    DrawCallHistory calls;
    bool inFrame = false;   // between beginDrawing and endDrawing
    bool drawing = false;   // this frame's calls go to OpenGL as they come
    bool redrawNext = true; // the window does not show the last frame's calls
    bool lastDrawn = false;
};
