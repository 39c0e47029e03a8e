// The drawing contract both back ends honour: a 1024 by 768 virtual screen, images by id,
// and fixed-pitch text built from 42 white glyphs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class Drawer {
public:
    // An RGBA picture, width * height * 4 bytes, row after row from the top.
    using Pixels = std::unique_ptr<unsigned char[]>;

    enum Glyph {
        GlyphA,
        GlyphB,
        GlyphC,
        GlyphD,
        GlyphE,
        GlyphF,
        GlyphG,
        GlyphH,
        GlyphI,
        GlyphJ,
        GlyphK,
        GlyphL,
        GlyphM,
        GlyphN,
        GlyphO,
        GlyphP,
        GlyphQ,
        GlyphR,
        GlyphS,
        GlyphT,
        GlyphU,
        GlyphV,
        GlyphW,
        GlyphX,
        GlyphY,
        GlyphZ,
        Glyph0,
        Glyph1,
        Glyph2,
        Glyph3,
        Glyph4,
        Glyph5,
        Glyph6,
        Glyph7,
        Glyph8,
        Glyph9,
        GlyphPeriod,
        GlyphComma,
        GlyphPlus,
        GlyphMinus,
        GlyphExclaim,
        GlyphQuestion
    };
    static constexpr int glyphCount = 42;
    static constexpr int virtualWidth = 1024;
    static constexpr int virtualHeight = 768;

    Drawer();
    virtual ~Drawer() = default;

    // Opens the window; false when no video mode could be set.
    virtual bool initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias) = 0;
    // Sets another video mode on the open window (the full-screen keys), keeping the pictures. Where
    // the mode took them with it, every picture is gone and the drawer has a new serial: images and
    // glyphs are to be loaded again. False when no such mode could be set.
    virtual bool changeMode(std::uint16_t width, std::uint16_t height, bool fullscreen)
    {
        (void)width, (void)height, (void)fullscreen;
        return false;
    }
    // Keeps the picture; returns its id, or 0 for null pixels.
    virtual std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) = 0;
    virtual void releaseImage(std::uint32_t id) = 0;
    virtual void beginDrawing() = 0;
    virtual void endDrawing() = 0;
    virtual void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red,
                           float green, float blue, float alpha) = 0;
    // A picture at its own size and in its own colours, its top-left corner at (x, y).
    void drawImage(std::uint32_t id, int x, int y)
    {
        drawImage(id, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    virtual void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                          float blue, float alpha) = 0;
    // A square size by size picture for the glyph; null leaves the glyph as it was.
    virtual void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) = 0;
    // The window was uncovered or spoiled from outside: the next frame must show all of it, even
    // where it repeats the last one, which both drawers otherwise leave as the window has it.
    virtual void windowExposed() {}

    // The glyph of a text byte, or -1 for a byte without one (space, capitals, 0x92, ...).
    static int glyphFor(char c);

    // Unique for every drawer made in this process, so remembered image ids can tell
    // which drawer they belong to.
    std::uint64_t serial() const { return serialNumber; }

protected:
    // Every picture of this drawer is gone: slots that remember its serial load theirs again.
    void takeNewSerial();

private:
    std::uint64_t serialNumber;
};
