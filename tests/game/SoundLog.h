// Watches which effects the game asks the sound bank for, as counts since the log was made.
#pragma once

#include <array>

#include "sound/Sounds.h"

class SoundLog {
public:
    SoundLog()
    {
        for (int type = 0; type < Sounds::typeCount; ++type)
            start[type] = Sounds::getInstance()->requests(static_cast<Sounds::SoundType>(type));
    }

    int count(Sounds::SoundType type) const { return Sounds::getInstance()->requests(type) - start[type]; }

    int total() const
    {
        int sum = 0;
        for (int type = 0; type < Sounds::typeCount; ++type)
            sum += count(static_cast<Sounds::SoundType>(type));
        return sum;
    }

private:
    std::array<int, Sounds::typeCount> start{};
};
