// Prints what one mixed audio block costs: the music and 128 playing effects, 512 frames, as a
// fraction of the time that block takes to play, at the files' 44100 frames a second and resampled
// for an output that runs at 48000.
#include "sound/AudioMixer.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <vector>

#include "BenchStats.h"

namespace {

constexpr int frames = 512;
constexpr int blocks = 300; // the grind lasts 361 such blocks at 44100, so all 128 voices play throughout

void timeBlocks(double outputRate)
{
    const std::string sounds = std::string(BRICKWRATH_SOURCE_DIR) + "/assets/sounds/";
    std::ostringstream quiet;
    std::streambuf* previous = std::cout.rdbuf(quiet.rdbuf());
    Sounds effects(sounds);
    BackgroundMusic music(sounds + "music.ogg");
    std::cout.rdbuf(previous);
    AudioMixer mixer(&music, &effects, true);
    mixer.outputStarts(outputRate);

    std::vector<float> block(2 * frames);
    for (int v = 0; v < Sounds::voiceCount; ++v)
        effects.playSound(Sounds::WallGrinding);

    // Timed on this thread's CPU clock: on a busy machine the wall clock also counts the time the
    // thread waited for a core, which says nothing about the mixing.
    std::vector<double> seconds;
    for (int b = 0; b < blocks; ++b) {
        const double start = bench::threadCpuSeconds();
        mixer.getAudio(nullptr, block.data(), frames);
        seconds.push_back(bench::threadCpuSeconds() - start);
    }
    std::sort(seconds.begin(), seconds.end());
    const double realTime = frames / outputRate;
    double total = 0.0;
    for (double s : seconds)
        total += s;
    std::printf("output at %.0f (%s): voices playing: %d\n", outputRate,
                mixer.isResampling() ? "resampled" : "as mixed", effects.getActiveVoiceCount());
    std::printf("one block of %d frames, music and 128 voices, CPU time: mean %.1f us, median %.1f us, worst %.1f us\n",
                frames, 1e6 * total / blocks, 1e6 * seconds[blocks / 2], 1e6 * seconds.back());
    std::printf("99th percentile %.1f us\n", 1e6 * seconds[blocks * 99 / 100]);
    std::printf("as a fraction of the block's %.2f ms of sound: mean %.4f, median %.4f, worst %.4f\n", 1e3 * realTime,
                total / blocks / realTime, seconds[blocks / 2] / realTime, seconds.back() / realTime);
}

} // namespace

int main()
{
    bench::printMachine();
    timeBlocks(44100.0);
    timeBlocks(48000.0);
    return 0;
}
