// The big mine's blast and its rising mushroom cloud.
#include "game/traps/BigMineTrap.h"

#include <cmath>
#include <cstdint>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot BigMineTrap::imageUp(Images::bigmine_png, Images::bigmine_png_length);
SharedImageSlot BigMineTrap::imageDown(Images::mine_png, Images::mine_png_length);

void BigMineTrap::strike(Hurdler* runner)
{
    runner->crush();
    // Harry is not among the eight: when he sets it off, the blast still reaches them.
    for (Hurdler& other : hurdlers) {
        if (&other == runner)
            continue;
        const float dx = static_cast<float>(x - other.getXPos());
        const float dy = static_cast<float>(y - other.getYPos());
        if (std::sqrt(dx * dx + dy * dy) < radius)
            other.crush();
    }
}

void BigMineTrap::step()
{
    if (!triggered)
        return;
    shownBlast = blast;
    if (blast < fullSize)
        blast += 0.05f;
}

void BigMineTrap::draw(Drawer* drawer, bool) const
{
    imageUp.get(drawer);
    imageDown.get(drawer);
    if (!triggered) {
        drawer->drawImage(imageDown.id(), x, y);
        return;
    }
    // The cloud grows from nothing and rises as it grows, then is gone.
    if (shownBlast < fullSize) {
        const int rise = static_cast<int>(-30.0f * shownBlast);
        drawer->drawImage(imageUp.id(), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y + rise), shownBlast,
                          shownBlast, 1.0f, 1.0f, 1.0f, 1.0f);
    }
}
