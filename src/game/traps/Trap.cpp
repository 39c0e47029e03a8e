// What every trap has: a spot in a lane and whether it has fired.
#include "game/traps/Trap.h"

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
