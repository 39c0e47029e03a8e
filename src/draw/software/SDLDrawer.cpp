// Software back end: pictures converted once to the display's format and blitted with their own
// alpha; anything drawn at another size goes through a nearest-neighbour scaler. Frames are
// sent to the window only where they differ from the last.
#include "draw/software/SDLDrawer.h"

#include <algorithm>

namespace {

// A glyph drawn at ever new sizes would otherwise keep every size it was ever drawn at.
constexpr std::size_t maxCachedSizes = 16;

} // namespace

SDLDrawer::SDLDrawer()
{
    initGlyphs();
}

SDLDrawer::~SDLDrawer() = default;

void SDLDrawer::initGlyphs()
{
    // A new surface is all zeros: fully transparent, so a glyph without its image shows nothing.
    for (Image& glyph : glyphs) {
        glyph.surface = rgbaSurface(placeholderSize, placeholderSize);
        glyph.pixels.reset();
        glyph.opaque.reset();
        glyph.width = placeholderSize;
        glyph.height = placeholderSize;
    }
    for (auto& sizes : scaledGlyphs)
        sizes.clear();
}

bool SDLDrawer::initialise(std::uint16_t width, std::uint16_t height, bool fullscreen, int)
{
    return changeMode(width, height, fullscreen);
}

bool SDLDrawer::changeMode(std::uint16_t, std::uint16_t, bool fullscreen)
{
    // Always 1024 by 768: SDL fits the picture into the screen itself. The pictures are surfaces
    // of the game's own, which outlive any mode.
    const Uint32 flags = fullscreen ? SDL_FULLSCREEN : 0;
    const bool haveMode = SDL_SetVideoMode(windowWidth, windowHeight, 0, flags) != nullptr;
    screen = SDL_GetVideoSurface();
    target = screen;
    stillPicture.startOn(screen);
    forgetStill();
    showedWholeWindow = false;
    wholeWindowNext = true;
    return haveMode;
}

std::uint32_t SDLDrawer::loadImage(Pixels pixels, std::uint32_t width, std::uint32_t height)
{
    if (!pixels || width == 0 || height == 0)
        return 0;
    Image image = SurfaceImage::convert(std::move(pixels), width, height, screen);
    // Without a display there is nothing to convert to: the picture is drawn as nothing.
    if (!image.surface)
        return 0;
    // A call remembered with this id may have drawn nothing before it existed.
    forgetStill();
    while (images.count(nextId) != 0)
        ++nextId;
    images[nextId] = std::move(image);
    return nextId;
}

void SDLDrawer::releaseImage(std::uint32_t id)
{
    forgetStill();
    images.erase(id);
}

void SDLDrawer::loadGlyph(Glyph glyph, Pixels pixels, std::uint32_t size)
{
    if (!pixels || size == 0)
        return;
    Image converted = SurfaceImage::convert(std::move(pixels), size, size, nullptr);
    if (!converted.surface)
        return;
    forgetStill();
    glyphs[glyph] = std::move(converted);
    scaledGlyphs[glyph].clear();
}

void SDLDrawer::beginDrawing()
{
    // Nothing to clear: every screen starts its frame with a background covering the window.
}

void SDLDrawer::endDrawing()
{
    if (screen == nullptr)
        return;
    stillPicture.frameDrawn(calls);
    const std::size_t shared = calls.sharedWithLastFrame();
    show(shared);
    stillPicture.plan(calls, shared);
    calls.endFrame();
}

void SDLDrawer::windowExposed()
{
    wholeWindowNext = true;
}

void SDLDrawer::show(std::size_t shared)
{
    // The window holds the last frame. When this frame began with the same picture covering the
    // window, only the areas under calls that differ between the two are sent (a dragged hurdle,
    // not the ones drawn after it). Anything else sends the whole window.
    showedWholeWindow = wholeWindowNext || shared == 0 || !coversScreen(calls.thisFrame().front());
    wholeWindowNext = false;
    shownAreas.clear();
    if (showedWholeWindow) {
        SDL_Flip(screen);
        return;
    }
    DrawCallHistory::forEachDifference(calls.thisFrame(), calls.lastFrame(), shared,
                                       [this](const DrawCall& call) { shownAreas.add(areaOf(call)); });
    shownAreas.merge();
    if (!shownAreas.empty())
        SDL_UpdateRects(screen, static_cast<int>(shownAreas.list().size()), shownAreas.list().data());
}

void SDLDrawer::drawImage(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY, float, float,
                          float, float)
{
    submit(DrawCall{id, x, y, scaleX, scaleY, {}});
}

void SDLDrawer::drawText(const std::string& text, std::int16_t x, std::int16_t y, float size, float, float, float,
                         float)
{
    submit(DrawCall{0, x, y, size, size, text});
}

void SDLDrawer::submit(DrawCall call)
{
    if (screen == nullptr)
        return;
    calls.record(std::move(call));
    if (!stillPicture.take(calls))
        execute(calls.thisFrame().back());
}

void SDLDrawer::drawCall(const DrawCall& call, SDL_Surface* onto)
{
    target = onto;
    execute(call);
    target = screen;
}

void SDLDrawer::forgetStill()
{
    stillPicture.forget(calls);
    calls.forgetLastFrame();
}

void SDLDrawer::execute(const DrawCall& call)
{
    if (call.image != 0)
        drawImageNow(call.image, call.x, call.y, call.scaleX, call.scaleY);
    else
        drawTextNow(call.text, call.x, call.y, call.scaleX);
}

bool SDLDrawer::coversScreen(const DrawCall& call) const
{
    // Only an opaque picture at its own size leaves every pixel the same whatever was there before.
    const Image* image = call.image != 0 ? findImage(call.image) : nullptr;
    if (image == nullptr || !image->opaque || call.scaleX != 1.0f || call.scaleY != 1.0f)
        return false;
    return call.x <= 0 && call.y <= 0 && call.x + image->width >= screen->w && call.y + image->height >= screen->h;
}

SDL_Rect SDLDrawer::areaOf(const DrawCall& call) const
{
    int width = 0;
    int height = 0;
    if (call.image != 0) {
        const Image* image = findImage(call.image);
        if (image == nullptr || !(image->width * call.scaleX >= 1.0f) || !(image->height * call.scaleY >= 1.0f))
            return SDL_Rect{0, 0, 0, 0};
        width = static_cast<int>(std::min(65535.0f, image->width * call.scaleX)) + 1;
        height = static_cast<int>(std::min(65535.0f, image->height * call.scaleY)) + 1;
    } else {
        if (!(call.scaleX >= 1.0f) || call.scaleX >= static_cast<float>(scratchSize + 1))
            return SDL_Rect{0, 0, 0, 0};
        width = static_cast<int>(std::min(65535.0f, call.scaleX * static_cast<float>(call.text.size()))) + 1;
        height = static_cast<int>(call.scaleX) + 1;
    }
    const int left = std::max(0, static_cast<int>(call.x));
    const int top = std::max(0, static_cast<int>(call.y));
    const int right = std::min(screen->w, call.x + width);
    const int bottom = std::min(screen->h, call.y + height);
    if (right <= left || bottom <= top)
        return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left),
                    static_cast<Uint16>(bottom - top)};
}

void SDLDrawer::drawImageNow(std::uint32_t id, std::int16_t x, std::int16_t y, float scaleX, float scaleY)
{
    const auto found = images.find(id);
    if (found == images.end())
        return;
    const Image& image = found->second;
    const float width = image.width * scaleX;
    const float height = image.height * scaleY;
    // Below one pixel (scale 0 included), negative or not a number: nothing to draw.
    if (!(width >= 1.0f) || !(height >= 1.0f))
        return;
    const int scaledWidth = width >= 65535.0f ? 65535 : static_cast<int>(width);
    const int scaledHeight = height >= 65535.0f ? 65535 : static_cast<int>(height);

    SDL_Surface* source = nullptr;
    if (scaledWidth == image.width && scaledHeight == image.height && image.colours) {
        drawPatches(image, x, y);
        return;
    }
    if (scaledWidth == image.width && scaledHeight == image.height)
        source = image.opaque ? image.opaque.get() : image.surface.get();
    else
        source = scaler.scale(image.surface.get(), static_cast<std::uint16_t>(scaledWidth),
                              static_cast<std::uint16_t>(scaledHeight));
    if (source != nullptr)
        blit(source, scaledWidth, scaledHeight, x, y);
}

void SDLDrawer::drawPatches(const Image& image, int x, int y)
{
    // Redrawing the still under a few small areas clips all but a handful of patches away: those
    // are skipped here, before SDL is asked.
    const SDL_Rect& clip = target->clip_rect;
    for (const Patch& patch : image.patches) {
        if (y + patch.area.y >= clip.y + clip.h || y + patch.area.y + patch.area.h <= clip.y ||
            x + patch.area.x >= clip.x + clip.w || x + patch.area.x + patch.area.w <= clip.x)
            continue;
        SDL_Rect from = patch.area;
        SDL_Rect to{static_cast<Sint16>(x + patch.area.x), static_cast<Sint16>(y + patch.area.y), 0, 0};
        // Beyond 16-bit positions the patch is far off the window.
        if (x + patch.area.x < -32768 || x + patch.area.x > 32767 || y + patch.area.y < -32768 ||
            y + patch.area.y > 32767)
            continue;
        SDL_UpperBlit(patch.copy ? image.colours.get() : image.surface.get(), &from, target, &to);
    }
}

void SDLDrawer::drawTextNow(const std::string& text, std::int16_t x, std::int16_t y, float size)
{
    if (!(size >= 1.0f))
        return;
    // Cells larger than the scratch surface were never drawable; the game's largest is 64.
    if (size >= static_cast<float>(scratchSize + 1))
        return;
    const int cell = static_cast<int>(size);
    float pen = x;
    for (const char c : text) {
        const int glyph = glyphFor(c);
        // Beyond 16-bit positions a cell no larger than the scratch surface is far off the window.
        if (glyph >= 0 && pen > -32768.0f && pen < 32768.0f)
            drawGlyph(glyph, cell, static_cast<int>(pen), y);
        pen += size;
    }
}

void SDLDrawer::drawGlyph(int glyph, int cell, int x, int y)
{
    const Image& record = glyphs[static_cast<std::size_t>(glyph)];
    // A placeholder is fully transparent: blending it changes nothing.
    if (!record.pixels || !record.surface)
        return;
    SDL_Surface* source = record.surface.get();
    if (cell != source->w || cell != source->h) {
        auto& sizes = scaledGlyphs[static_cast<std::size_t>(glyph)];
        auto cached = sizes.find(cell);
        if (cached == sizes.end()) {
            if (sizes.size() >= maxCachedSizes)
                sizes.clear();
            SurfacePtr scaled = surfaceLike(source->format, cell, cell);
            if (!scaled)
                return;
            ScratchScaler::scaleInto(source, scaled.get(), cell, cell);
            cached = sizes.emplace(cell, std::move(scaled)).first;
        }
        source = cached->second.get();
    }
    blit(source, cell, cell, x, y);
}

void SDLDrawer::blit(SDL_Surface* source, int width, int height, int x, int y)
{
    SDL_Rect from{0, 0, static_cast<Uint16>(width), static_cast<Uint16>(height)};
    SDL_Rect to{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_UpperBlit(source, &from, target, &to);
}

SDL_Surface* SDLDrawer::scaleImage(SDL_Surface* source, std::uint16_t width, std::uint16_t height, std::uint8_t)
{
    return scaler.scale(source, width, height);
}

const SDLDrawer::Image* SDLDrawer::findImage(std::uint32_t id) const
{
    const auto found = images.find(id);
    return found == images.end() ? nullptr : &found->second;
}

std::size_t SDLDrawer::scaledGlyphCount() const
{
    std::size_t count = 0;
    for (const auto& sizes : scaledGlyphs)
        count += sizes.size();
    return count;
}
