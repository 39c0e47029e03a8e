// The software drawer: SDL surfaces blitted onto a 1024 by 768 window, one virtual unit per pixel,
// with a nearest-neighbour scaler for pictures and text drawn at other sizes.
#pragma once

#include <SDL/SDL.h>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "draw/DrawCallHistory.h"
#include "draw/Drawer.h"
#include "draw/software/ScratchScaler.h"
#include "draw/software/ScreenAreas.h"
#include "draw/software/StillPicture.h"
#include "draw/software/SurfaceImage.h"
#include "draw/software/Surfaces.h"

class SDLDrawer : public Drawer, private StillCanvas {
public:
    using Image = SurfaceImage;
    using Patch = SurfaceImage::Patch;

    static constexpr int windowWidth = virtualWidth;
    static constexpr int windowHeight = virtualHeight;
    static constexpr int scratchSize = ScratchScaler::scratchSize;
    static constexpr int placeholderSize = 32;

    SDLDrawer();
    ~SDLDrawer() override;
    SDLDrawer(const SDLDrawer&) = delete;
    SDLDrawer& operator=(const SDLDrawer&) = delete;

    // Always opens 1024 by 768, whatever size was asked for; antialiasing does not apply.
    bool initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias) override;
    bool changeMode(std::uint16_t width, std::uint16_t height, bool fullscreen) override;
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override;
    void endDrawing() override;
    void windowExposed() override;
    // Scaled pictures keep their top-left corner at (x, y). The colour arguments are not used.
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    using Drawer::drawImage;
    // Text appears in the glyphs' own white; the colour arguments are not used.
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;

    // Gives every glyph an invisible placeholder until its real image arrives.
    void initGlyphs();
    // The source itself when it already has that size, else the scratch surface holding a
    // nearest-neighbour copy in its top-left width by height pixels, valid until the next call.
    // The alpha argument has no effect.
    SDL_Surface* scaleImage(SDL_Surface* source, std::uint16_t width, std::uint16_t height, std::uint8_t alpha);

    // For tests and checks.
    const Image* findImage(std::uint32_t id) const;
    // The areas the last endDrawing sent to the window; empty after a whole-window flip.
    const std::vector<SDL_Rect>& lastShownAreas() const { return shownAreas.list(); }
    bool lastShowedWholeWindow() const { return showedWholeWindow; }
    // How many of a frame's first calls the remembered still picture stands for.
    std::size_t stillCallCount() const { return stillPicture.callCount(); }
    std::size_t imageCount() const { return images.size(); }
    std::size_t scaledGlyphCount() const;

private:
    using DrawCall = DrawCallHistory::Call;

    void submit(DrawCall call);
    void drawCall(const DrawCall& call, SDL_Surface* onto) override;
    SDL_Rect areaOf(const DrawCall& call) const override;
    bool coversScreen(const DrawCall& call) const override;
    // A picture changed: nothing drawn so far can stand for a later frame.
    void forgetStill();
    void show(std::size_t shared);

    void execute(const DrawCall& call);
    void drawImageNow(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY);
    void drawTextNow(const std::string& text, std::int16_t x, std::int16_t y, float size);
    void drawGlyph(int glyph, int cell, int x, int y);
    void blit(SDL_Surface* source, int width, int height, int x, int y);
    void drawPatches(const Image& image, int x, int y);

    std::map<std::uint32_t, Image> images;
    std::array<Image, glyphCount> glyphs;
    std::uint32_t nextId = 1;
    SDL_Surface* screen = nullptr; // SDL's video surface, not ours to free
    SDL_Surface* target = nullptr; // the screen, or the still picture while it is drawn
    ScratchScaler scaler;
    // Text is drawn every frame at the same few sizes: each glyph is scaled once per cell size.
    std::array<std::map<int, SurfacePtr>, glyphCount> scaledGlyphs;

    DrawCallHistory calls;
    StillPicture stillPicture{*this};
    ScreenAreas shownAreas;
    bool showedWholeWindow = false;
    bool wholeWindowNext = true; // the window no longer holds the last frame
};
