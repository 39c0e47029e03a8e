// The mine and its shrinking starburst.
#include "game/traps/MineTrap.h"

#include <cstdint>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot MineTrap::imageUp(Images::mineexplode_png, Images::mineexplode_png_length);
SharedImageSlot MineTrap::imageDown(Images::mine_png, Images::mine_png_length);

void MineTrap::strike(Hurdler* runner)
{
    runner->crush();
}

void MineTrap::step()
{
    if (!triggered)
        return;
    shownBlast = blast > 0.0f ? blast : 0.0f;
    if (blast > 0.0f)
        blast -= 0.05f;
}

void MineTrap::draw(Drawer* drawer, bool) const
{
    imageUp.get(drawer);
    imageDown.get(drawer);
    if (!triggered)
        drawer->drawImage(imageDown.id(), x, y);
    else if (shownBlast > 0.0f)
        drawer->drawImage(imageUp.id(), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), shownBlast,
                          shownBlast, 1.0f, 1.0f, 1.0f, 1.0f);
}
