// A trap the player drops into a lane before a race. It fires once, on the first runner that
// reaches it on foot, and keeps drawing what is left of it for the rest of the race.
#pragma once

#include <optional>

#include "sound/Sounds.h"

class Drawer;
class Hurdler;

class Trap {
public:
    virtual ~Trap() = default;

    // The runner has reached the trap: the first time, the trap fires on it with its sound; a trap
    // that has fired already does nothing.
    void trigger(Hurdler* runner);
    // One step of what the trap shows once it has fired; most show no change.
    virtual void step() {}
    // `placing` is true while the player is still placing traps before the race.
    virtual void draw(Drawer* drawer, bool placing) const = 0;
    virtual void setPosition(int newX, int newY);
    virtual void setLane(int newLane);
    virtual int getXPos() const;
    virtual int getYPos() const;
    virtual int getLane() const;
    // The price in points, charged when the trap is dropped.
    virtual int getCost() const = 0;

    bool isTriggered() const { return triggered; }
    // What is left of the effect shown once the trap has fired, for traps whose effect changes.
    virtual float effectLeft() const { return 0.0f; }

protected:
    // `sound` is played when the trap fires; a silent trap has none.
    explicit Trap(std::optional<Sounds::SoundType> sound = std::nullopt) : sound(sound) {}
    // What the trap does to the runner that sets it off.
    virtual void strike(Hurdler* runner) = 0;

    int x = 0;
    int y = 0;
    int lane = 0;
    bool triggered = false;

private:
    std::optional<Sounds::SoundType> sound;
};
