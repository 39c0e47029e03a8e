// Linear interpolation between the two input frames around each output frame.
#include "sound/Resampler.h"

Resampler::Resampler(int inRate, int outRate, int chunk)
    : inputRate(inRate), outputRate(outRate), chunkFrames(chunk),
      input(new float[2 * (static_cast<std::size_t>(chunk) + 1)]())
{
}

float* Resampler::makeRoom()
{
    int kept = 0;
    if (index < available) {
        input[0] = input[2 * index];
        input[1] = input[2 * index + 1];
        kept = 1;
        index = 0;
    } else {
        // Stepping down in rate can skip input frames beyond the end of the buffer.
        index -= available;
    }
    available = kept + chunkFrames;
    return input.get() + 2 * kept;
}

void Resampler::nextFrame(float* out)
{
    const float after = static_cast<float>(phase) / static_cast<float>(outputRate);
    const float before = 1.0f - after;
    const float* at = input.get() + 2 * index;
    out[0] = at[0] * before + at[2] * after;
    out[1] = at[1] * before + at[3] * after;
    phase += inputRate;
    index += static_cast<int>(phase / outputRate);
    phase %= outputRate;
}
