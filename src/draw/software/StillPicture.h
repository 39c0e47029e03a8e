// Most of a frame is the frame before it: the background, the track, the hurdles. The screen after
// those first calls is kept as a still picture, copied in when a frame asks for the same calls
// again, so that only what is drawn over it costs drawing.
#pragma once

#include <SDL/SDL.h>
#include <array>
#include <cstddef>
#include <vector>

#include "draw/DrawCallHistory.h"
#include "draw/software/ScreenAreas.h"
#include "draw/software/Surfaces.h"

// What the still picture needs of the drawer that keeps it.
class StillCanvas {
public:
    using DrawCall = DrawCallHistory::Call;

    virtual ~StillCanvas() = default;
    // Draws one call onto `onto` (the screen or the still), within the surface's clip rectangle.
    virtual void drawCall(const DrawCall& call, SDL_Surface* onto) = 0;
    // The part of the window a call draws on; empty when it draws nothing there.
    virtual SDL_Rect areaOf(const DrawCall& call) const = 0;
    // Whether a call leaves every pixel of the window the same whatever was there before.
    virtual bool coversScreen(const DrawCall& call) const = 0;
};

class StillPicture {
public:
    using DrawCall = DrawCallHistory::Call;

    explicit StillPicture(StillCanvas& canvas) : canvas(canvas) {}

    // A new window: the still is made now, with the window, because SDL clears a new surface
    // (some thousand page faults that would otherwise hold up the first frame to keep a still).
    void startOn(SDL_Surface* screen);
    // The last call of `calls.thisFrame()` has just come in. True when the still has taken care of
    // it; false when the drawer is to draw it onto the screen.
    bool take(const DrawCallHistory& calls);
    // Every call of the frame is in.
    void frameDrawn(const DrawCallHistory& calls);
    // After the frame is shown: chooses the calls the still should hold after the next frame, its
    // own or more. `shared` is how many first calls the frame shared with the one before.
    void plan(const DrawCallHistory& calls, std::size_t shared);
    // A picture the calls name has gone or changed: the frame so far goes onto the screen in full,
    // and no call is remembered.
    void forget(const DrawCallHistory& calls);

    // How many of a frame's first calls the still stands for.
    std::size_t callCount() const { return stillCalls.size(); }

private:
    // This frame's first `count` calls followed the plan and no further: puts them on the screen,
    // from the still when it holds just those calls.
    void settle(const DrawCallHistory& calls, std::size_t count);
    void shorten(const std::vector<DrawCall>& frame, std::size_t count);
    void copyToScreen(const std::vector<DrawCall>& lastFrame);
    void choosePlannedCalls(const std::vector<DrawCall>& frame, std::size_t shared);

    StillCanvas& canvas;
    SDL_Surface* screen = nullptr; // SDL's video surface, not ours to free
    SurfacePtr still;
    std::vector<DrawCall> stillCalls;
    // The still's calls and, after them, those the next frame should add to it as they come.
    std::vector<DrawCall> plannedCalls;
    bool following = false; // every call of this frame so far matched the plan
    // How many first calls each of the last few frames shared with the frame before it.
    // A still starts once a screen's first few frames agree; it grows as more of them do.
    std::array<std::size_t, 8> recentlyShared{};
    static constexpr std::size_t fewestFramesForAStill = 2;
    std::size_t sharedCount = 0;
    ScreenAreas copiedAreas; // where the still was last copied onto the screen
};
