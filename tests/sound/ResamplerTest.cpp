// The resampler on ramps, where linear interpolation is exact: every output frame must land at its
// own place in the input however the output blocks are cut, stepping up or down in rate, with the
// channels kept apart and the input pulled one chunk at a time, never further ahead than needed.
#include "sound/Resampler.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

// Left rises by a thousandth a frame, right falls by two: what frame `at` (fractional) holds.
float left(double at)
{
    return static_cast<float>(0.001 * at);
}
float right(double at)
{
    return static_cast<float>(-0.002 * at);
}

struct Ramp {
    long pulled = 0; // input frames handed out so far
    void operator()(float* block, int frames)
    {
        for (int i = 0; i < frames; ++i, ++pulled) {
            block[2 * i] = left(static_cast<double>(pulled));
            block[2 * i + 1] = right(static_cast<double>(pulled));
        }
    }
};

} // namespace

TEST(Resampler, EveryOutputFrameLandsWhereTheRatesPutItHoweverTheBlocksAreCut)
{
    struct Case {
        int in, out;
    };
    const Case cases[] = {{44100, 48000}, {44100, 96000}, {44100, 22050}, {44100, 32000}, {44100, 44100}};
    const int blockSizes[] = {1, 480, 37, 1024, 4096, 255};
    static constexpr int chunk = 256;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in << " to " << c.out);
        Resampler resampler(c.in, c.out, chunk);
        Ramp ramp;
        long written = 0;
        for (int b = 0; written < 30000; ++b) {
            const int frames = blockSizes[b % 6];
            std::vector<float> block(2 * static_cast<std::size_t>(frames), 99.0f);
            resampler.resample(block.data(), frames, [&ramp](float* into, int n) {
                EXPECT_EQ(n, chunk);
                ramp(into, n);
            });
            for (int k = 0; k < frames; ++k, ++written) {
                const double at = static_cast<double>(written) * c.in / c.out;
                ASSERT_NEAR(block[2 * k], left(at), 2e-5) << "frame " << written;
                ASSERT_NEAR(block[2 * k + 1], right(at), 4e-5) << "frame " << written;
            }
            // Input is pulled only as far as the block needs: the last frame read and the one
            // after it, and at most the chunk that holds them.
            const double needed = static_cast<double>(written - 1) * c.in / c.out + 2.0;
            EXPECT_LE(ramp.pulled, static_cast<long>(needed) + chunk);
        }
        // Over the whole run the input's length is the output's at the other rate.
        EXPECT_NEAR(static_cast<double>(ramp.pulled), static_cast<double>(written) * c.in / c.out, chunk + 2.0);
    }
}

TEST(Resampler, AtTheSameRateTheInputComesOutUnchanged)
{
    Resampler resampler(44100, 44100, 64);
    std::vector<float> source(2 * 1000);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.5f;
    std::size_t read = 0;
    std::vector<float> out(source.size());
    resampler.resample(out.data(), 1000 - 64, [&](float* into, int n) {
        for (int i = 0; i < 2 * n; ++i, ++read)
            into[i] = read < source.size() ? source[read] : 0.0f;
    });
    out.resize(2 * (1000 - 64));
    EXPECT_EQ(out, std::vector<float>(source.begin(), source.begin() + 2 * (1000 - 64)));
}
