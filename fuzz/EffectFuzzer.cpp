// Feeds arbitrary bytes to the effect loader as a sound file: it must never crash, hang or read
// or write out of bounds, and whatever it keeps must be a whole effect the mixer can play.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "FuzzFile.h"
#include "sound/Sounds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    static const bool quiet = [] {
        std::cout.setstate(std::ios::failbit); // one line per file would drown the fuzzer's own
        return true;
    }();
    (void)quiet;

    Sounds::SoundFile effect;
    Sounds::loadFile(file.write(data, size), &effect);
    if ((effect.samples == nullptr) != (effect.frames == 0)) {
        std::abort(); // samples without a length, or a length without samples
    }
    // Every sample the mixer would read, read once: out-of-bounds or unwritten memory shows here.
    float sum = 0.0f;
    for (std::size_t i = 0; i < 2 * static_cast<std::size_t>(effect.frames); ++i) {
        sum += effect.samples[i];
    }
    volatile float keep = sum;
    (void)keep;
    return 0;
}
