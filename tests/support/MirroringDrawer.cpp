// Every call goes to the recording first and then, with its own copy of the pixels, to the
// software drawer.
#include "support/MirroringDrawer.h"

#include <SDL/SDL.h>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "draw/EmbeddedGlyphs.h"
#include "support/SolidImage.h"

MirroringDrawer::MirroringDrawer()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
        throw std::runtime_error(std::string("no SDL video: ") + SDL_GetError());
    real = std::make_unique<SDLDrawer>();
    if (!real->initialise(SDLDrawer::windowWidth, SDLDrawer::windowHeight, false, 0))
        throw std::runtime_error(std::string("no video mode: ") + SDL_GetError());
    loadEmbeddedGlyphs(*this);
}

MirroringDrawer::~MirroringDrawer()
{
    real.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::uint32_t MirroringDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    Pixels copy = copyOf(pixels.get(), static_cast<std::size_t>(width) * height * 4);
    const std::uint32_t id = RecordingDrawer::loadImage(std::move(pixels), width, height);
    const std::uint32_t realId = real->loadImage(std::move(copy), width, height);
    if (id != 0)
        realIds[id] = realId;
    return id;
}

void MirroringDrawer::releaseImage(std::uint32_t id)
{
    if (const auto found = realIds.find(id); found != realIds.end()) {
        real->releaseImage(found->second);
        realIds.erase(found);
    }
    RecordingDrawer::releaseImage(id);
}

void MirroringDrawer::beginDrawing()
{
    RecordingDrawer::beginDrawing();
    real->beginDrawing();
}

void MirroringDrawer::endDrawing()
{
    RecordingDrawer::endDrawing();
    real->endDrawing();
}

void MirroringDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float red,
                                float green, float blue, float alpha)
{
    RecordingDrawer::drawImage(id, x, y, scaleX, scaleY, red, green, blue, alpha);
    const auto found = realIds.find(id);
    real->drawImage(found == realIds.end() ? 0 : found->second, x, y, scaleX, scaleY, red, green, blue, alpha);
}

void MirroringDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float red,
                               float green, float blue, float alpha)
{
    RecordingDrawer::drawText(text, x, y, size, red, green, blue, alpha);
    real->drawText(text, x, y, size, red, green, blue, alpha);
}

void MirroringDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    Pixels copy = copyOf(pixels.get(), static_cast<std::size_t>(size) * size * 4);
    RecordingDrawer::loadGlyph(glyph, std::move(pixels), size);
    real->loadGlyph(glyph, std::move(copy), size);
}
