// What every trap has: a spot in a lane and whether it has fired.
#include "game/traps/Trap.h"

#include <cstdint>

#include "draw/Drawer.h"

void Trap::trigger(Hurdler* runner)
{
    if (triggered)
        return;
    strike(runner);
    if (sound)
        Sounds::getInstance()->playSound(*sound);
    triggered = true;
}

void Trap::setPosition(int newX, int newY)
{
    x = newX;
    y = newY;
}

void Trap::setLane(int newLane)
{
    lane = newLane;
}

int Trap::getXPos() const
{
    return x;
}

int Trap::getYPos() const
{
    return y;
}

int Trap::getLane() const
{
    return lane;
}

void Trap::drawAt(Drawer* drawer, unsigned int image, int atX, int atY)
{
    drawer->drawImage(image, static_cast<std::int16_t>(atX), static_cast<std::int16_t>(atY), 1.0f, 1.0f, 1.0f, 1.0f,
                      1.0f, 1.0f);
}
