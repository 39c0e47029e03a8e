// The tray of traps beside the track: which kinds the points allow, where their icons sit, and
// the trap made when an icon is clicked.
#pragma once

#include <array>
#include <memory>
#include <span>

#include "draw/ImageSlot.h"
#include "game/ScreenArea.h"

class Drawer;
class Hurdler;
class Trap;

class Tray {
public:
    // In the order of the icons along the tray.
    enum Kind { Mud, Ghost, Rake, Biffo, Spikes, Mine, BigMine, KindCount };

    Tray();

    // Whether the kind is offered: the points must reach its threshold, which is above its cost.
    static bool offers(Kind kind, int points);
    // The offered kind whose icon holds the point (edges excluded), looking from the big mine
    // down to the mud; KindCount when there is none.
    static Kind kindAt(int points, int x, int y);
    // Where the kind's icon lies on the tray; a click inside it, edges left out, takes a trap.
    static ScreenArea iconArea(Kind kind);
    // A new trap of the kind; the big mine is handed the race screen's hurdlers.
    static std::unique_ptr<Trap> create(Kind kind, std::span<Hurdler> hurdlers);

    void loadImages(Drawer* drawer) const;
    // The offered icons, big mine first.
    void draw(Drawer* drawer, int points) const;

private:
    std::array<ImageSlot, KindCount> icons;
};
