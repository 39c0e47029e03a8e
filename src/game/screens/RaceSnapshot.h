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
    // FNV-1a of the text, short enough to hand to a page.
    static std::uint32_t digest(const std::string& snapshot);
};
