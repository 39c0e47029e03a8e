// The rake lies flat until stepped on, then stays flipped up.
#include "game/traps/RakeTrap.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot RakeTrap::imageUp(Images::rakeup_png, Images::rakeup_png_length);
SharedImageSlot RakeTrap::imageDown(Images::rakedown_png, Images::rakedown_png_length);

void RakeTrap::strike(Hurdler* runner)
{
    runner->boing();
}

void RakeTrap::draw(Drawer* drawer, bool) const
{
    imageUp.get(drawer);
    imageDown.get(drawer);
    if (triggered)
        drawer->drawImage(imageUp.id(), x, y - 20);
    else
        drawer->drawImage(imageDown.id(), x + 15, y - 30);
}
