// The boxing glove is seen while it is placed and once it has punched, never while it waits.
#include "game/traps/BiffoTrap.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot BiffoTrap::image(Images::biffo_png, Images::biffo_png_length);

void BiffoTrap::strike(Hurdler* runner)
{
    runner->biffo();
}

void BiffoTrap::draw(Drawer* drawer, bool placing) const
{
    image.get(drawer);
    if (triggered)
        drawer->drawImage(image.id(), x + 15, y - 30);
    else if (placing)
        drawer->drawImage(image.id(), x, y);
}
