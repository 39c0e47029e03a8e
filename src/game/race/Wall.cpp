// The wall's run up the track and its grinding sound.
#include "game/race/Wall.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "sound/Sounds.h"

namespace {

constexpr float startX = 105.0f;
constexpr float startY = 425.0f;
constexpr float pace = 0.5f;
constexpr float endX = 572.0f;
// The grinding sound is started again after this many further moves.
constexpr int grindRepeat = 250;

} // namespace

Wall::Wall() : image(Images::wall_png, Images::wall_png_length) {}

bool Wall::move()
{
    x += pace;
    y -= pace;
    if (grindDelay == 0) {
        Sounds::getInstance()->playSound(Sounds::WallGrinding);
        grindDelay = grindRepeat;
    } else {
        --grindDelay;
    }
    return x >= endX;
}

void Wall::resetPosition()
{
    x = startX;
    y = startY;
    grindDelay = 0;
}

void Wall::draw(Drawer* drawer) const
{
    drawer->drawImage(image.get(drawer), static_cast<int>(x), static_cast<int>(y));
}
