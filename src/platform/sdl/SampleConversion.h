// The mixer's float samples as signed 16-bit ones, for an SDL audio device that takes no floats
// (SDL 1.2 has none). Header-only: the Linux tests check it without an SDL output of their own.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace SampleConversion {

// Full scale -1.0 to +1.0 becomes -32767 to +32767, rounded to the nearest step; louder samples
// are clipped rather than wrapped around into a crack of the opposite sign, and NaN is silence.
inline void toSigned16(const float* in, std::int16_t* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const float sample = in[i];
        const float clipped = sample > 1.0f ? 1.0f : sample < -1.0f ? -1.0f : sample;
        out[i] = std::isnan(clipped) ? 0 : static_cast<std::int16_t>(std::lround(clipped * 32767.0f));
    }
}

} // namespace SampleConversion
