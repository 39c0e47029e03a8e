// The mixer's floats as 16-bit samples, for SDL 1.2's audio on Windows.
#include "platform/sdl/SampleConversion.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

std::vector<std::int16_t> converted(const std::vector<float>& in)
{
    std::vector<std::int16_t> out(in.size(), 12345);
    SampleConversion::toSigned16(in.data(), out.data(), in.size());
    return out;
}

} // namespace

TEST(SampleConversionTest, FullScaleIsSymmetricAndStepsRoundToTheNearest)
{
    EXPECT_EQ(converted({0.0f, 1.0f, -1.0f, 0.5f, -0.5f}),
              (std::vector<std::int16_t>{0, 32767, -32767, 16384, -16384}));
    // Half a step either side of zero, and just under one step.
    EXPECT_EQ(converted({0.4f / 32767, 0.6f / 32767, -0.6f / 32767}), (std::vector<std::int16_t>{0, 1, -1}));
}

TEST(SampleConversionTest, LoudSamplesClipInsteadOfWrappingAround)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(converted({1.5f, -1.5f, 40000.0f, inf, -inf}),
              (std::vector<std::int16_t>{32767, -32767, 32767, 32767, -32767}));
    EXPECT_EQ(converted({std::numeric_limits<float>::quiet_NaN()}), (std::vector<std::int16_t>{0}));
}

TEST(SampleConversionTest, WritesExactlyTheCountGiven)
{
    const std::vector<float> in{0.25f, 0.25f, 0.25f};
    std::vector<std::int16_t> out(4, 7);
    SampleConversion::toSigned16(in.data(), out.data(), 2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{8192, 8192, 7, 7}));
}
