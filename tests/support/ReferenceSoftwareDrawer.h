// The software drawer written the plain way, step by step as the game's software drawing works:
// no caches, every scaled draw through the scratch surface, every blit blended. Tests render the
// same scenes through it and through SDLDrawer and compare the screens byte for byte.
#pragma once

#include <SDL/SDL.h>
#include <array>
#include <cstdint>
#include <map>

#include "draw/Drawer.h"

class ReferenceSoftwareDrawer : public Drawer {
public:
    ReferenceSoftwareDrawer();
    ~ReferenceSoftwareDrawer() override;
    ReferenceSoftwareDrawer(const ReferenceSoftwareDrawer&) = delete;
    ReferenceSoftwareDrawer& operator=(const ReferenceSoftwareDrawer&) = delete;

    // Opens 1024 by 768 unless a window of that size is open already (shared with an SDLDrawer).
    bool initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias) override;
    std::uint32_t loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height) override;
    void releaseImage(std::uint32_t id) override;
    void beginDrawing() override {}
    void endDrawing() override {}
    void drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red, float green,
                   float blue, float alpha) override;
    void drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red, float green,
                  float blue, float alpha) override;
    void loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size) override;

private:
    SDL_Surface* scaleImage(SDL_Surface* source, std::uint16_t width, std::uint16_t height);

    std::map<std::uint32_t, SDL_Surface*> images;
    std::array<SDL_Surface*, glyphCount> glyphs{};
    std::uint32_t nextId = 1;
    SDL_Surface* scratch = nullptr;
};
