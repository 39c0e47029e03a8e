// Feeds arbitrary bytes to the music player as music.ogg: opening, filling the ring, looping the
// file round several times and mixing it must never crash, hang or touch memory out of bounds.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <vector>

#include "FuzzFile.h"
#include "sound/BackgroundMusic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    static const bool quiet = [] {
        std::cout.setstate(std::ios::failbit);
        return true;
    }();
    (void)quiet;

    // Small buffers so that a short file loops within one fill; no thread, so that each input is
    // decoded here, on the fuzzer's thread, and no pause on the way out.
    BackgroundMusic::Pacing pacing;
    pacing.bufferFrames = 2000;
    pacing.decoderThread = false;
    pacing.stopMilliseconds = 0;
    BackgroundMusic music(file.write(data, size), pacing);
    if (!music.hasMusic())
        return 0;
    for (int b = 0; b < 4; ++b)
        music.fillBuffer(b % BackgroundMusic::bufferCount);
    std::vector<float> block(2 * 1500);
    for (int i = 0; i < 6; ++i)
        music.audioBlock(block.data(), 1500);
    return 0;
}
