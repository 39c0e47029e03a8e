// The still picture's plan: which first calls of a frame it holds, how it follows a frame that
// repeats them, and how it is put back on the screen.
#include "draw/software/StillPicture.h"

#include <algorithm>
#include <cstring>

void StillPicture::startOn(SDL_Surface* newScreen)
{
    screen = newScreen;
    if (screen != nullptr)
        still = surfaceLike(screen->format, screen->w, screen->h);
}

bool StillPicture::take(const DrawCallHistory& calls)
{
    if (!following)
        return false;
    const std::vector<DrawCall>& frame = calls.thisFrame();
    const std::size_t index = frame.size() - 1;
    if (frame.back() == plannedCalls[index]) {
        // The still's own calls are already on it; the planned ones after them go onto it now.
        if (index >= stillCalls.size())
            canvas.drawCall(frame.back(), still.get());
        if (frame.size() == plannedCalls.size()) {
            following = false;
            settle(calls, frame.size());
        }
        return true;
    }
    following = false;
    settle(calls, index);
    return false;
}

void StillPicture::frameDrawn(const DrawCallHistory& calls)
{
    if (following) {
        // The frame asked for fewer calls than the plan.
        following = false;
        settle(calls, calls.thisFrame().size());
    }
}

void StillPicture::settle(const DrawCallHistory& calls, std::size_t count)
{
    const std::vector<DrawCall>& frame = calls.thisFrame();
    if (count < stillCalls.size())
        shorten(frame, count);
    // The still holds exactly this frame's first calls: it stands for them from now on, and the
    // screen starts from it.
    stillCalls.assign(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count));
    if (!stillCalls.empty())
        copyToScreen(calls.lastFrame());
}

void StillPicture::shorten(const std::vector<DrawCall>& frame, std::size_t count)
{
    // The frame left the still partway (a hurdle knocked down, say). Outside the areas of the calls
    // it left out, the still already shows just its first `count` calls; inside them, those calls
    // are drawn again, starting from the first, which covers the window.
    ScreenAreas areas;
    for (std::size_t i = count; i < stillCalls.size(); ++i)
        areas.add(canvas.areaOf(stillCalls[i]));
    areas.merge();
    for (SDL_Rect& area : areas.list()) {
        SDL_SetClipRect(still.get(), &area);
        for (std::size_t i = 0; i < count; ++i)
            canvas.drawCall(frame[i], still.get());
    }
    SDL_SetClipRect(still.get(), nullptr);
}

void StillPicture::copyToScreen(const std::vector<DrawCall>& lastFrame)
{
    // The screen holds the last frame. Where that began with the still's first call, a picture
    // covering the window, the two differ only under calls that differ between them: only there
    // is the still copied in. Otherwise all of it is.
    copiedAreas.clear();
    if (lastFrame.empty() || !(lastFrame.front() == stillCalls.front()) || !canvas.coversScreen(stillCalls.front())) {
        copiedAreas.add(SDL_Rect{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)});
    } else {
        DrawCallHistory::forEachDifference(stillCalls, lastFrame, 1,
                                           [this](const DrawCall& call) { copiedAreas.add(canvas.areaOf(call)); });
        copiedAreas.merge();
    }
    SDL_LockSurface(screen);
    const auto* from = static_cast<const unsigned char*>(still->pixels);
    auto* to = static_cast<unsigned char*>(screen->pixels);
    const std::size_t pixelBytes = screen->format->BytesPerPixel;
    for (const SDL_Rect& area : copiedAreas.list()) {
        const std::size_t offset = area.x * pixelBytes;
        for (int row = area.y; row < area.y + area.h; ++row)
            std::memcpy(to + row * screen->pitch + offset, from + row * still->pitch + offset, area.w * pixelBytes);
    }
    SDL_UnlockSurface(screen);
}

void StillPicture::plan(const DrawCallHistory& calls, std::size_t shared)
{
    choosePlannedCalls(calls.thisFrame(), shared);
    following = !plannedCalls.empty();
}

void StillPicture::choosePlannedCalls(const std::vector<DrawCall>& frame, std::size_t shared)
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
    const bool canStart = !stillCalls.empty() || (steady > 0 && canvas.coversScreen(frame.front()));
    if (steady <= stillCalls.size() || !canStart)
        return;
    if (!still || still->w != screen->w || still->h != screen->h || !sameMasks(still->format, screen->format))
        still = surfaceLike(screen->format, screen->w, screen->h);
    if (!still) {
        stillCalls.clear();
        plannedCalls.clear();
        return;
    }
    plannedCalls.assign(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(steady));
}

void StillPicture::forget(const DrawCallHistory& calls)
{
    if (following) {
        // Drawing the calls so far onto the screen, even those already drawn onto the still.
        following = false;
        for (const DrawCall& call : calls.thisFrame())
            canvas.drawCall(call, screen);
    }
    stillCalls.clear();
    plannedCalls.clear();
    sharedCount = 0;
}
