// Hurdles: the one-step shift the player buys, and the standing or toppled picture.
#include "game/race/Hurdle.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/race/Track.h"

namespace {

// Half the spacing of a lane's hurdles, so a shifted hurdle stands between two jump points.
constexpr int shiftStep = Track::hurdleSpacingX / 2;

} // namespace

SharedImageSlot Hurdle::hurdleImage(Images::hurdle_png, Images::hurdle_png_length);
SharedImageSlot Hurdle::hurdleOverImage(Images::hurdleover_png, Images::hurdleover_png_length);

void Hurdle::initPosition(int newX, int newY)
{
    x = homeX = newX;
    y = homeY = newY;
}

bool Hurdle::setPosition(int newX, int newY, bool snap)
{
    x = newX;
    y = newY;
    if (!snap)
        return false;
    if (moved) {
        x = homeX;
        y = homeY;
        return false;
    }
    // Behind or below its home counts as backwards, even when it is also further right.
    if (newX < homeX || newY > homeY) {
        homeX -= shiftStep;
        homeY += shiftStep;
    } else if (newX > homeX || newY < homeY) {
        homeX += shiftStep;
        homeY -= shiftStep;
    } else {
        return false;
    }
    x = homeX;
    y = homeY;
    moved = true;
    return true;
}

void Hurdle::unTopple()
{
    toppled = false;
    moved = false;
}

void Hurdle::draw(Drawer* drawer) const
{
    hurdleImage.get(drawer);
    hurdleOverImage.get(drawer);
    if (toppled)
        drawer->drawImage(hurdleOverImage.id(), x + 8, y + 8);
    else
        drawer->drawImage(hurdleImage.id(), x, y);
}
