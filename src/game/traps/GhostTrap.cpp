// The ghost hides during the race until it fires, then shows itself for a while.
#include "game/traps/GhostTrap.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot GhostTrap::image(Images::ghost_png, Images::ghost_png_length);

void GhostTrap::strike(Hurdler* runner)
{
    runner->scare();
    showLeft = showSteps;
}

void GhostTrap::step()
{
    shown = showLeft > 0;
    if (shown)
        --showLeft;
}

void GhostTrap::draw(Drawer* drawer, bool placing) const
{
    image.get(drawer);
    if (shown || (placing && !triggered))
        drawer->drawImage(image.id(), x + 15, y - 30);
}
