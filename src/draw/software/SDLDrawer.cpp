// Software back end: pictures converted once to the display's format and blitted with their own
// alpha; anything drawn at another size goes through a nearest-neighbour scaler.
#include "draw/software/SDLDrawer.h"

#include <algorithm>
#include <cstring>

namespace {

// The RGBA byte order of the drawer's pixel buffers, read as 32-bit pixels on a little-endian machine.
constexpr Uint32 redMask = 0x000000FFu;
constexpr Uint32 greenMask = 0x0000FF00u;
constexpr Uint32 blueMask = 0x00FF0000u;
constexpr Uint32 alphaMask = 0xFF000000u;

// A glyph drawn at ever new sizes would otherwise keep every size it was ever drawn at.
constexpr std::size_t maxCachedSizes = 16;

SDLDrawer::SurfacePtr rgbaSurface(int width, int height)
{
    return SDLDrawer::SurfacePtr(
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, redMask, greenMask, blueMask, alphaMask));
}

SDLDrawer::SurfacePtr surfaceLike(const SDL_PixelFormat* format, int width, int height)
{
    return SDLDrawer::SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, format->Rmask, format->Gmask,
                                                      format->Bmask, format->Amask));
}

bool sameMasks(const SDL_PixelFormat* a, const SDL_PixelFormat* b)
{
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
           a->Amask == b->Amask;
}

// Wraps an RGBA buffer without copying it and converts it to the display's format with
// per-pixel alpha; null when there is no display yet.
SDLDrawer::SurfacePtr convert(unsigned char* pixels, std::uint32_t width, std::uint32_t height)
{
    SDLDrawer::SurfacePtr wrapper(SDL_CreateRGBSurfaceFrom(pixels, static_cast<int>(width), static_cast<int>(height),
                                                           32, static_cast<int>(width * 4), redMask, greenMask,
                                                           blueMask, alphaMask));
    if (!wrapper)
        return nullptr;
    return SDLDrawer::SurfacePtr(SDL_DisplayFormatAlpha(wrapper.get()));
}

// Sending an area to the window costs SDL about as much as sending 1600 more pixels of it.
std::size_t sendingCost(const SDL_Rect& area)
{
    return 1600 + static_cast<std::size_t>(area.w) * area.h;
}

SDL_Rect boxAround(const SDL_Rect& a, const SDL_Rect& b)
{
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top), static_cast<Uint16>(right - left),
                    static_cast<Uint16>(bottom - top)};
}

// Joins areas wherever one box around them is cheaper to send than both: overlapping ones, and
// small neighbours. A frame's few dozen areas become a handful, without sending the space between
// far-apart ones.
void mergeAreas(std::vector<SDL_Rect>& areas)
{
    std::vector<SDL_Rect> merged;
    for (const SDL_Rect& area : areas) {
        SDL_Rect current = area;
        for (bool grew = true; grew;) {
            grew = false;
            for (std::size_t i = 0; i < merged.size(); ++i) {
                const SDL_Rect joined = boxAround(current, merged[i]);
                if (sendingCost(joined) <= sendingCost(current) + sendingCost(merged[i])) {
                    current = joined;
                    merged[i] = merged.back();
                    merged.pop_back();
                    grew = true;
                    break;
                }
            }
        }
        merged.push_back(current);
    }
    areas.swap(merged);
}

// Cuts a picture with see-through pixels into bands of rows and each band into runs of columns
// that are wholly opaque (copied), wholly clear (left out) or mixed (blended). A blit costs as
// much as blending a few dozen pixels, so short runs join the mixed ones around them, and a picture
// that would gain too little keeps its single blend (no patches).
std::vector<SDLDrawer::Patch> patchesOf(const unsigned char* rgba, int width, int height)
{
    constexpr int bandRows = 8;
    constexpr int shortestRun = 16;
    enum class Kind { Clear, Opaque, Mixed };
    std::vector<SDLDrawer::Patch> patches;
    // Patch corners are 16-bit, as SDL's are.
    if (width > 32767 || height > 32767)
        return patches;
    std::vector<Kind> columns(static_cast<std::size_t>(width));
    std::size_t blendedPixels = 0;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        for (int x = 0; x < width; ++x) {
            bool opaque = true;
            bool clear = true;
            for (int y = top; y < top + rows; ++y) {
                const unsigned char alpha = rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3];
                opaque = opaque && alpha == 255;
                clear = clear && alpha == 0;
            }
            columns[static_cast<std::size_t>(x)] = opaque ? Kind::Opaque : clear ? Kind::Clear : Kind::Mixed;
        }
        // Runs of one kind, the short opaque and clear ones turned mixed, then the neighbours merged.
        std::vector<std::pair<int, Kind>> runs; // first column and kind
        for (int x = 0; x < width; ++x)
            if (runs.empty() || runs.back().second != columns[static_cast<std::size_t>(x)])
                runs.emplace_back(x, columns[static_cast<std::size_t>(x)]);
        std::vector<std::pair<int, Kind>> merged;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int end = i + 1 < runs.size() ? runs[i + 1].first : width;
            const Kind kind =
                end - runs[i].first < shortestRun && end - runs[i].first < width ? Kind::Mixed : runs[i].second;
            if (merged.empty() || merged.back().second != kind)
                merged.emplace_back(runs[i].first, kind);
        }
        for (std::size_t i = 0; i < merged.size(); ++i) {
            const int end = i + 1 < merged.size() ? merged[i + 1].first : width;
            if (merged[i].second == Kind::Clear)
                continue;
            const bool copy = merged[i].second == Kind::Opaque;
            patches.push_back(
                SDLDrawer::Patch{SDL_Rect{static_cast<Sint16>(merged[i].first), static_cast<Sint16>(top),
                                          static_cast<Uint16>(end - merged[i].first), static_cast<Uint16>(rows)},
                                 copy});
            if (!copy)
                blendedPixels += static_cast<std::size_t>(end - merged[i].first) * rows;
        }
    }
    constexpr std::size_t pixelsPerBlit = 64;
    const std::size_t patchedCost = blendedPixels + patches.size() * pixelsPerBlit;
    if (patchedCost * 4 > static_cast<std::size_t>(width) * height * 3)
        patches.clear();
    return patches;
}

// Nearest-neighbour copy of `source` into the top-left of `target`, sampling at the top-left of
// each destination pixel's source area with the step accumulated in double precision, exactly as
// the game has always scaled. Pixels are copied as raw 32-bit values; the accumulated steps can
// produce one column or row more than asked for, which is written only where the target has room.
void scaleInto(SDL_Surface* source, SDL_Surface* target, int width, int height)
{
    const double stepX = static_cast<double>(source->w) / width;
    const double stepY = static_cast<double>(source->h) / height;
    SDL_LockSurface(target);
    SDL_LockSurface(source);
    const auto* from = static_cast<const unsigned char*>(source->pixels);
    auto* to = static_cast<unsigned char*>(target->pixels);
    int j = 0;
    for (double sy = 0.0; sy < source->h && j < target->h; sy += stepY, ++j) {
        const auto* sourceRow = reinterpret_cast<const Uint32*>(from + static_cast<int>(sy) * source->pitch);
        auto* targetRow = reinterpret_cast<Uint32*>(to + j * target->pitch);
        int i = 0;
        for (double sx = 0.0; sx < source->w && i < target->w; sx += stepX, ++i)
            targetRow[i] = sourceRow[static_cast<int>(sx)];
    }
    SDL_UnlockSurface(source);
    SDL_UnlockSurface(target);
}

} // namespace

SDLDrawer::SDLDrawer()
{
    initGlyphs();
    scratchPixels.reset(std::calloc(static_cast<std::size_t>(scratchSize) * scratchSize, 4));
    matchScratchTo(nullptr);
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

bool SDLDrawer::initialise(std::uint16_t, std::uint16_t, bool fullscreen, int)
{
    const Uint32 flags = fullscreen ? SDL_FULLSCREEN : 0;
    const bool haveMode = SDL_SetVideoMode(windowWidth, windowHeight, 0, flags) != nullptr;
    screen = SDL_GetVideoSurface();
    target = screen;
    forgetStill();
    // Made now, with the window: SDL clears a new surface, some thousand page faults that would
    // otherwise hold up the first frame to keep a still.
    if (screen != nullptr)
        still = surfaceLike(screen->format, screen->w, screen->h);
    showedWholeWindow = false;
    wholeWindowNext = true;
    return haveMode;
}

SDLDrawer::SurfacePtr SDLDrawer::colourView(SDL_Surface* converted) const
{
    if (screen == nullptr)
        return nullptr;
    const SDL_PixelFormat* to = screen->format;
    const SDL_PixelFormat* from = converted->format;
    // Only where the screen's pixels are the converted ones without their alpha byte: then a
    // blend of a fully opaque pixel writes exactly the pixel, alpha byte included, and so does a copy.
    const bool copyable = to->BytesPerPixel == 4 && from->BytesPerPixel == 4 && to->Rmask == from->Rmask &&
                          to->Gmask == from->Gmask && to->Bmask == from->Bmask && to->Amask == 0 &&
                          from->Amask == alphaMask && (to->Rmask | to->Gmask | to->Bmask) == 0x00FFFFFFu;
    if (!copyable)
        return nullptr;
    return SurfacePtr(SDL_CreateRGBSurfaceFrom(converted->pixels, converted->w, converted->h, 32, converted->pitch,
                                               to->Rmask, to->Gmask, to->Bmask, 0));
}

std::uint32_t SDLDrawer::loadImage(Pixels owned, std::uint32_t width, std::uint32_t height)
{
    if (!owned || width == 0 || height == 0)
        return 0;
    unsigned char* pixels = owned.get();
    SurfacePtr converted = convert(pixels, width, height);
    // Without a display there is nothing to convert to: the picture is drawn as nothing.
    if (!converted)
        return 0;

    Image image;
    SurfacePtr colours = colourView(converted.get());
    if (colours) {
        const std::size_t count = static_cast<std::size_t>(width) * height;
        bool opaque = true;
        for (std::size_t pixel = 0; pixel < count && opaque; ++pixel)
            opaque = pixels[pixel * 4 + 3] == 255;
        if (opaque) {
            image.opaque = std::move(colours);
        } else {
            image.patches = patchesOf(pixels, static_cast<int>(width), static_cast<int>(height));
            if (!image.patches.empty())
                image.colours = std::move(colours);
        }
    }
    image.surface = std::move(converted);
    image.pixels = std::move(owned);
    image.width = static_cast<std::uint16_t>(width);
    image.height = static_cast<std::uint16_t>(height);

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

void SDLDrawer::loadGlyph(Glyph glyph, Pixels owned, std::uint32_t size)
{
    if (!owned || size == 0)
        return;
    SurfacePtr converted = convert(owned.get(), size, size);
    if (!converted)
        return;
    forgetStill();
    Image& record = glyphs[glyph];
    record.opaque.reset();
    record.surface = std::move(converted);
    record.pixels = std::move(owned);
    record.width = static_cast<std::uint16_t>(size);
    record.height = static_cast<std::uint16_t>(size);
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
    if (following) {
        // The frame asked for fewer calls than the plan.
        following = false;
        settleStill(thisFrame.size());
    }
    std::size_t shared = 0;
    while (shared < thisFrame.size() && shared < lastFrame.size() && thisFrame[shared] == lastFrame[shared])
        ++shared;
    show(shared);
    planStill(shared);
    lastFrame.swap(thisFrame);
    thisFrame.clear();
    following = !plannedCalls.empty();
}

void SDLDrawer::planStill(std::size_t shared)
{
    // Calls that have stayed the same for several frames are likely to come again: the next frame
    // draws them onto the still as they come. Something that changes every few frames stays out of
    // it rather than rebuilding it each time. This frame begins with the still's calls, if any.
    // A new screen starts the count afresh: what the last one repeated says nothing about it, and
    // waiting a full count would draw its first frames in full.
    if (shared == 0)
        sharedCount = 0;
    else
        recentlyShared[sharedCount++ % recentlyShared.size()] = shared;
    const std::size_t known = std::min(sharedCount, recentlyShared.size());
    const std::size_t steady =
        known < fewestFramesForAStill ? 0 : *std::min_element(recentlyShared.begin(), recentlyShared.begin() + known);
    plannedCalls = stillCalls;
    const bool canStart = !stillCalls.empty() || (steady > 0 && coversScreen(thisFrame.front()));
    if (steady <= stillCalls.size() || !canStart)
        return;
    if (!still || still->w != screen->w || still->h != screen->h || !sameMasks(still->format, screen->format))
        still = surfaceLike(screen->format, screen->w, screen->h);
    if (!still) {
        stillCalls.clear();
        plannedCalls.clear();
        return;
    }
    plannedCalls.assign(thisFrame.begin(), thisFrame.begin() + static_cast<std::ptrdiff_t>(steady));
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
    showedWholeWindow = wholeWindowNext || shared == 0 || !coversScreen(thisFrame.front());
    wholeWindowNext = false;
    shownAreas.clear();
    if (showedWholeWindow) {
        SDL_Flip(screen);
        return;
    }
    addDifferingAreas(thisFrame, lastFrame, shared, shownAreas);
    mergeAreas(shownAreas);
    if (!shownAreas.empty())
        SDL_UpdateRects(screen, static_cast<int>(shownAreas.size()), shownAreas.data());
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
    thisFrame.push_back(std::move(call));
    if (following) {
        const std::size_t index = thisFrame.size() - 1;
        if (thisFrame.back() == plannedCalls[index]) {
            // The still's own calls are already on it; the planned ones after them go onto it now.
            if (index >= stillCalls.size()) {
                target = still.get();
                execute(thisFrame.back());
                target = screen;
            }
            if (thisFrame.size() == plannedCalls.size()) {
                following = false;
                settleStill(thisFrame.size());
            }
            return;
        }
        following = false;
        DrawCall differing = std::move(thisFrame.back());
        thisFrame.pop_back();
        settleStill(thisFrame.size());
        thisFrame.push_back(std::move(differing));
    }
    execute(thisFrame.back());
}

void SDLDrawer::settleStill(std::size_t count)
{
    if (count < stillCalls.size())
        shortenStill(count);
    // The still holds exactly this frame's first calls: it stands for them from now on, and the
    // screen starts from it.
    stillCalls.assign(thisFrame.begin(), thisFrame.begin() + static_cast<std::ptrdiff_t>(count));
    if (!stillCalls.empty())
        copyStillToScreen();
}

void SDLDrawer::shortenStill(std::size_t count)
{
    // The frame left the still partway (a hurdle knocked down, say). Outside the areas of the calls
    // it left out, the still already shows just its first `count` calls; inside them, those calls
    // are drawn again, starting from the first, which covers the window.
    std::vector<SDL_Rect> areas;
    for (std::size_t i = count; i < stillCalls.size(); ++i) {
        const SDL_Rect area = areaOf(stillCalls[i]);
        if (area.w > 0 && area.h > 0)
            areas.push_back(area);
    }
    mergeAreas(areas);
    target = still.get();
    for (SDL_Rect& area : areas) {
        SDL_SetClipRect(still.get(), &area);
        for (std::size_t i = 0; i < count; ++i)
            execute(thisFrame[i]);
    }
    SDL_SetClipRect(still.get(), nullptr);
    target = screen;
}

void SDLDrawer::execute(const DrawCall& call)
{
    if (call.image != 0)
        drawImageNow(call.image, call.x, call.y, call.scaleX, call.scaleY);
    else
        drawTextNow(call.text, call.x, call.y, call.scaleX);
}

void SDLDrawer::copyStillToScreen()
{
    // The screen holds the last frame. Where that began with the still's first call, a picture
    // covering the window, the two differ only under calls that differ between them: only there
    // is the still copied in. Otherwise all of it is.
    copiedAreas.clear();
    if (lastFrame.empty() || !(lastFrame.front() == stillCalls.front()) || !coversScreen(stillCalls.front())) {
        copiedAreas.push_back(SDL_Rect{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)});
    } else {
        addDifferingAreas(stillCalls, lastFrame, 1, copiedAreas);
        mergeAreas(copiedAreas);
    }
    SDL_LockSurface(screen);
    const auto* from = static_cast<const unsigned char*>(still->pixels);
    auto* to = static_cast<unsigned char*>(screen->pixels);
    const std::size_t pixelBytes = screen->format->BytesPerPixel;
    for (const SDL_Rect& area : copiedAreas) {
        const std::size_t offset = area.x * pixelBytes;
        for (int row = area.y; row < area.y + area.h; ++row)
            std::memcpy(to + row * screen->pitch + offset, from + row * still->pitch + offset, area.w * pixelBytes);
    }
    SDL_UnlockSurface(screen);
}

void SDLDrawer::addDifferingAreas(const std::vector<DrawCall>& one, const std::vector<DrawCall>& other,
                                  std::size_t from, std::vector<SDL_Rect>& areas) const
{
    // Two lists of calls that agree on their first call, a picture covering the window, give the
    // same pixel wherever the calls drawing over it are the same, at the same places in each
    // list: a pixel can differ only under a call that differs, or that one list has and the other
    // has not.
    for (std::size_t i = from; i < std::max(one.size(), other.size()); ++i) {
        if (i < one.size() && i < other.size() && one[i] == other[i])
            continue;
        for (const std::vector<DrawCall>* calls : {&one, &other}) {
            const SDL_Rect area = i < calls->size() ? areaOf((*calls)[i]) : SDL_Rect{0, 0, 0, 0};
            if (area.w > 0 && area.h > 0)
                areas.push_back(area);
        }
    }
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

void SDLDrawer::forgetStill()
{
    if (following) {
        // Drawing the calls so far onto the screen, even those already drawn onto the still.
        following = false;
        for (const DrawCall& call : thisFrame)
            execute(call);
    }
    stillCalls.clear();
    plannedCalls.clear();
    lastFrame.clear();
    sharedCount = 0;
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
        source = scaleImage(image.surface.get(), static_cast<std::uint16_t>(scaledWidth),
                            static_cast<std::uint16_t>(scaledHeight), 255);
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
            scaleInto(source, scaled.get(), cell, cell);
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

void SDLDrawer::matchScratchTo(const SDL_PixelFormat* format)
{
    if (scratch && format != nullptr && sameMasks(scratch->format, format))
        return;
    if (!scratchPixels)
        return;
    // Until a picture tells otherwise, the scratch surface takes the RGBA order of the buffers.
    const Uint32 red = format != nullptr ? format->Rmask : redMask;
    const Uint32 green = format != nullptr ? format->Gmask : greenMask;
    const Uint32 blue = format != nullptr ? format->Bmask : blueMask;
    const Uint32 alpha = format != nullptr ? format->Amask : alphaMask;
    scratch.reset();
    scratch = SurfacePtr(SDL_CreateRGBSurfaceFrom(scratchPixels.get(), scratchSize, scratchSize, 32, scratchSize * 4,
                                                  red, green, blue, alpha));
}

SDL_Surface* SDLDrawer::scaleImage(SDL_Surface* source, std::uint16_t width, std::uint16_t height, std::uint8_t)
{
    if (source->w == width && source->h == height)
        return source;
    if (source->format->BytesPerPixel != 4)
        return nullptr;
    // Raw pixels are copied, so the scratch surface must read them as the source does: the
    // converted pictures are in the display's order of channels, not in the buffers' RGBA.
    matchScratchTo(source->format);
    if (!scratch)
        return nullptr;
    if (width > 0 && height > 0)
        scaleInto(source, scratch.get(), width, height);
    return scratch.get();
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
