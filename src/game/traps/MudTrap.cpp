// Mud makes no sound and looks the same before and after.
#include "game/traps/MudTrap.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot MudTrap::image(Images::mud_png, Images::mud_png_length);

void MudTrap::strike(Hurdler* runner)
{
    runner->decreaseSpeed();
}

void MudTrap::draw(Drawer* drawer, bool) const
{
    drawer->drawImage(image.get(drawer), x, y);
}
