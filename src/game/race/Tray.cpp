// The tray's table: threshold, icon place and size of each kind of trap.
#include "game/race/Tray.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/traps/BiffoTrap.h"
#include "game/traps/BigMineTrap.h"
#include "game/traps/GhostTrap.h"
#include "game/traps/MineTrap.h"
#include "game/traps/MudTrap.h"
#include "game/traps/RakeTrap.h"
#include "game/traps/SpikesTrap.h"

namespace {

struct Entry {
    int threshold;
    int x;
    int y;
    int height;
};

constexpr int iconWidth = 64;
constexpr Entry entries[Tray::KindCount] = {
    {4, 10, 40, 75},   // mud, costs 2
    {5, 84, 40, 80},   // ghost, 3
    {6, 158, 40, 78},  // rake, 3
    {8, 232, 40, 82},  // biffo, 4
    {12, 306, 40, 84}, // spikes, 10
    {15, 380, 40, 78}, // mine, 10
    {20, 10, 125, 117} // big mine, 10
};

} // namespace

Tray::Tray()
    : icons{{{Images::mudicon_png, Images::mudicon_png_length},
             {Images::ghosticon_png, Images::ghosticon_png_length},
             {Images::rakeicon_png, Images::rakeicon_png_length},
             {Images::biffoicon_png, Images::biffoicon_png_length},
             {Images::spikesicon_png, Images::spikesicon_png_length},
             {Images::mineicon_png, Images::mineicon_png_length},
             {Images::bigmineicon_png, Images::bigmineicon_png_length}}}
{
}

bool Tray::offers(Kind kind, int points)
{
    return points >= entries[kind].threshold;
}

Tray::Kind Tray::kindAt(int points, int x, int y)
{
    for (int k = KindCount - 1; k >= 0; --k) {
        const Kind kind = static_cast<Kind>(k);
        if (offers(kind, points) && iconArea(kind).holds(x, y))
            return kind;
    }
    return KindCount;
}

ScreenArea Tray::iconArea(Kind kind)
{
    const Entry& entry = entries[kind];
    return {entry.x, entry.y, iconWidth, entry.height};
}

std::unique_ptr<Trap> Tray::create(Kind kind, std::span<Hurdler> hurdlers)
{
    switch (kind) {
    case Mud: return std::make_unique<MudTrap>();
    case Ghost: return std::make_unique<GhostTrap>();
    case Rake: return std::make_unique<RakeTrap>();
    case Biffo: return std::make_unique<BiffoTrap>();
    case Spikes: return std::make_unique<SpikesTrap>();
    case Mine: return std::make_unique<MineTrap>();
    case BigMine: return std::make_unique<BigMineTrap>(hurdlers);
    case KindCount: break;
    }
    return nullptr;
}

void Tray::loadImages(Drawer* drawer) const
{
    for (const ImageSlot& icon : icons)
        icon.get(drawer);
}

void Tray::draw(Drawer* drawer, int points) const
{
    for (int k = KindCount - 1; k >= 0; --k)
        if (offers(static_cast<Kind>(k), points))
            drawer->drawImage(icons[k].id(), entries[k].x, entries[k].y);
}
