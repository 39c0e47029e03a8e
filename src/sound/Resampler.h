// Stereo sample-rate conversion by linear interpolation, for an output that runs at another rate
// than the one the game mixes at. It pulls its input in chunks of a fixed size from a fill function
// and keeps the fractional position between calls exactly, as a count of output frames, so that a
// sound keeps its length and its pitch however the blocks are cut.
#pragma once

#include <cstdint>
#include <memory>

class Resampler {
public:
    // Allocates its one buffer here: resample() allocates nothing and takes no lock.
    Resampler(int inputRate, int outputRate, int chunkFrames);

    // Writes `frames` interleaved stereo frames, calling fill(block, chunkFrames) for each further
    // chunk of input it needs; fill writes that many stereo frames at the input rate into block.
    template <class Fill> void resample(float* output, int frames, Fill&& fill)
    {
        for (int k = 0; k < frames; ++k) {
            while (index + 1 >= available)
                fill(makeRoom(), chunkFrames);
            nextFrame(output + 2 * k);
        }
    }

    int chunkSize() const { return chunkFrames; }

private:
    // Moves the frame still to be read (if any) to the front and returns where the next chunk goes.
    float* makeRoom();
    // Interpolates between the frames at index and index + 1, and steps on by one output frame.
    void nextFrame(float* out);

    const std::int64_t inputRate;
    const std::int64_t outputRate;
    const int chunkFrames;
    // One carried frame and one chunk, interleaved stereo.
    std::unique_ptr<float[]> input;
    int available = 0;
    int index = 0;
    // How far past `index` the next output frame lies, in 1/outputRate of an input frame.
    std::int64_t phase = 0;
};
