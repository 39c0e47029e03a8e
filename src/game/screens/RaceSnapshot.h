// Everything a race is played by, written out a line per thing: the budget, the wall, every
// runner, Harry, every hurdle and every trap. Two plays of the same race are the same race
// exactly when their snapshots are equal after every step; the page's test compares their hash.
#pragma once

#include <cstdint>
#include <string>

class GamePlay;

class RaceSnapshot {
public:
    static std::string of(const GamePlay& race);
    // Only what stands still once the race is over (the runners' and hurdles' places and states,
    // the wall, the traps fired, the budget), not the pictures that go on moving: a finished race
    // gives the same text however many steps after its end it is read.
    static std::string outcome(const GamePlay& race);
    // FNV-1a of the text, short enough to hand to a page.
    static std::uint32_t digest(const std::string& snapshot);
};
