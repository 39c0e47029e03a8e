// The default drawer: an OpenGL 1.x window, every image a texture drawn as one blended quad.
#pragma once

#include <array>
#include <cstdint>
#include <map>

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

    static bool isPowerOfTwo(std::uint32_t n);
    static std::uint32_t powerOfTwo(std::uint32_t n);
    void initFonts();

    // For tests and checks: the record behind an id, or null.
    const Image* findImage(std::uint32_t id) const;
    std::size_t imageCount() const { return images.size(); }

private:
    std::map<std::uint32_t, Image> images;
    std::array<Image, glyphCount> glyphs{};
    std::uint32_t nextId = 1;
};
