// The spikes are silent themselves: the runner's death cry is the only sound.
#include "game/traps/SpikesTrap.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Hurdler.h"

SharedImageSlot SpikesTrap::imageUp(Images::spikesopen_png, Images::spikesopen_png_length);
SharedImageSlot SpikesTrap::imageDown(Images::spikesclosed_png, Images::spikesclosed_png_length);

void SpikesTrap::strike(Hurdler* runner)
{
    runner->crush();
}

void SpikesTrap::draw(Drawer* drawer, bool) const
{
    imageUp.get(drawer);
    imageDown.get(drawer);
    drawer->drawImage(triggered ? imageUp.id() : imageDown.id(), x, y);
}
