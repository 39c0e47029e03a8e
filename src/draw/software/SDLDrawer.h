// The software drawer: SDL surfaces blitted onto a 1024 by 768 window, one virtual unit per pixel,
// with a nearest-neighbour scaler for pictures and text drawn at other sizes.
#pragma once

#include <SDL/SDL.h>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "draw/Drawer.h"

class SDLDrawer : public Drawer {
public:
    struct FreeSurface {
        void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
    };
    using SurfacePtr = std::unique_ptr<SDL_Surface, FreeSurface>;

    // A part of a picture with see-through pixels, drawn on its own: copied where every pixel is
    // opaque, blended by SDL where not. The wholly clear parts have no patch.
    struct Patch {
        SDL_Rect area;
        bool copy;
    };

    struct Image {
        SurfacePtr surface;                      // the display's format with per-pixel alpha
        std::unique_ptr<unsigned char[]> pixels; // the RGBA buffer it was made from; null for a placeholder
        std::uint16_t width = 0;
        std::uint16_t height = 0;
        // For a picture without a single see-through pixel: the same pixels described in the
        // screen's own format, so that drawing it at its natural size is a row copy, not a blend.
        SurfacePtr opaque;
        // For a large picture with see-through parts: its pixels without alpha, which the copied
        // patches come from, and the patches that together draw it as one blend would.
        SurfacePtr colours;
        std::vector<Patch> patches;
    };

    static constexpr int windowWidth = 1024;
    static constexpr int windowHeight = 768;
    static constexpr int scratchSize = 2048;
    static constexpr int placeholderSize = 32;

    SDLDrawer();
    ~SDLDrawer() override;
    SDLDrawer(const SDLDrawer&) = delete;
    SDLDrawer& operator=(const SDLDrawer&) = delete;

    // Always opens 1024 by 768, whatever size was asked for; antialiasing does not apply.
    bool initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias) override;
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override;
    void endDrawing() override;
    void windowExposed() override;
    // Scaled pictures keep their top-left corner at (x, y). The colour arguments are not used.
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
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
    const std::vector<SDL_Rect>& lastShownAreas() const { return shownAreas; }
    bool lastShowedWholeWindow() const { return showedWholeWindow; }
    // How many of a frame's first calls the remembered still picture stands for.
    std::size_t stillCallCount() const { return stillCalls.size(); }
    std::size_t imageCount() const { return images.size(); }
    std::size_t scaledGlyphCount() const;

private:
    // One drawImage or drawText, as asked (the unused colours left out).
    struct DrawCall {
        std::uint32_t image = 0; // 0 for text
        std::int16_t x = 0;
        std::int16_t y = 0;
        float scaleX = 0.0f; // the text size for text
        float scaleY = 0.0f;
        std::string text;
        bool operator==(const DrawCall&) const = default;
    };

    // Most of a frame is the frame before it: the background, the track, the hurdles. The screen
    // after those first calls is kept as a still picture, copied in when a frame asks for the same
    // calls again, and only the areas drawn over it are sent to the window.
    void submit(DrawCall call);
    void execute(const DrawCall& call);
    void drawImageNow(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY);
    void drawTextNow(const std::string& text, std::int16_t x, std::int16_t y, float size);
    // This frame's first `count` calls followed the plan and no further: puts them on the screen,
    // from the still when it holds just those calls.
    void settleStill(std::size_t count);
    void shortenStill(std::size_t count);
    // Chooses the calls the still should hold after the next frame: its own, or more.
    void planStill(std::size_t shared);
    void copyStillToScreen();
    bool coversScreen(const DrawCall& call) const;
    // Adds the areas of the calls, from index `from` on, that differ between the two lists.
    void addDifferingAreas(const std::vector<DrawCall>& one, const std::vector<DrawCall>& other, std::size_t from,
                           std::vector<SDL_Rect>& areas) const;
    SDL_Rect areaOf(const DrawCall& call) const;
    void show(std::size_t shared);
    void forgetStill();

    void drawGlyph(int glyph, int cell, int x, int y);
    void blit(SDL_Surface* source, int width, int height, int x, int y);
    // Makes the scratch surface describe its pixels like `format`, so raw copies keep their colours.
    void matchScratchTo(const SDL_PixelFormat* format);
    // The converted pixels read without their alpha byte, when a copy of them then writes what a
    // blend of opaque pixels would; null when the screen's format does not allow it.
    SurfacePtr colourView(SDL_Surface* converted) const;
    void drawPatches(const Image& image, int x, int y);

    std::map<std::uint32_t, Image> images;
    std::array<Image, glyphCount> glyphs;
    std::uint32_t nextId = 1;
    SDL_Surface* screen = nullptr; // SDL's video surface, not ours to free
    // The scratch surface's pixels, ours rather than SDL's: SDL clears a new surface, which would
    // make all 16 MiB resident, while fresh zeroed pages cost nothing until a scaled draw writes them.
    struct FreeBuffer {
        void operator()(void* buffer) const { std::free(buffer); }
    };
    std::unique_ptr<void, FreeBuffer> scratchPixels;
    SurfacePtr scratch;
    // Text is drawn every frame at the same few sizes: each glyph is scaled once per cell size.
    std::array<std::map<int, SurfacePtr>, glyphCount> scaledGlyphs;

    SDL_Surface* target = nullptr; // the screen, or the still picture while it is drawn
    SurfacePtr still;
    std::vector<DrawCall> stillCalls;
    std::vector<DrawCall> thisFrame;
    std::vector<DrawCall> lastFrame;
    // The still's calls and, after them, those the next frame should add to it as they come.
    std::vector<DrawCall> plannedCalls;
    bool following = false; // every call of this frame so far matched the plan
    // How many first calls each of the last few frames shared with the frame before it.
    // A still starts once a screen's first few frames agree; it grows as more of them do.
    std::array<std::size_t, 8> recentlyShared{};
    static constexpr std::size_t fewestFramesForAStill = 2;
    std::size_t sharedCount = 0;
    std::vector<SDL_Rect> shownAreas;
    std::vector<SDL_Rect> copiedAreas; // where the still was last copied onto the screen
    bool showedWholeWindow = false;
    bool wholeWindowNext = true; // the window no longer holds the last frame
};
