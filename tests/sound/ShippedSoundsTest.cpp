// The sound files the game ships: each one opens as Ogg Vorbis with two channels at 44100 frames a
// second, sits within its level, and the script makes every one of them again, byte for byte.
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "SoundFixtures.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string assets = std::string(BRICKWRATH_SOURCE_DIR) + "/assets/sounds/";

std::vector<std::string> shippedFiles()
{
    std::vector<std::string> names;
    for (int type = 0; type < Sounds::typeCount; ++type)
        if (const char* name = Sounds::fileName(static_cast<Sounds::SoundType>(type)))
            names.push_back(name);
    names.push_back("music.ogg");
    return names;
}

float peakOf(const std::vector<float>& samples)
{
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    return std::max(-*low, *high);
}

} // namespace

TEST(ShippedSounds, EveryFileIsStereoAt44100AndWithinItsLevel)
{
    for (const std::string& name : shippedFiles()) {
        SCOPED_TRACE(name);
        OggVorbis_File vf;
        ASSERT_EQ(ov_fopen((assets + name).c_str(), &vf), 0);
        EXPECT_EQ(ov_streams(&vf), 1);
        const vorbis_info* info = ov_info(&vf, 0);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->channels, 2);
        EXPECT_EQ(info->rate, 44100);
        const double seconds = ov_time_total(&vf, -1);
        ov_clear(&vf);

        // Effects peak near -6 dBFS, the music near -12 dBFS, so both summed stay clear of clipping.
        const float peak = peakOf(SoundFixtures::decodeFirstStream(assets + name));
        if (name == "music.ogg") {
            EXPECT_NEAR(20.0 * std::log10(peak), -12.0, 1.0);
            EXPECT_GE(seconds, 30.0);
            EXPECT_LE(seconds, 90.0);
        } else {
            EXPECT_NEAR(20.0 * std::log10(peak), -6.0, 1.5);
        }
    }
}

TEST(ShippedSounds, WallGrindingRestartedEvery251FramesJoinsWithoutAClick)
{
    // The wall starts the grind again every 251 frames at 60 frames a second, overlapping the end
    // of the one before. The sum across each join must move no more than the grind does elsewhere.
    const std::vector<float> grind = SoundFixtures::decodeFirstStream(assets + "WallGrinding.ogg");
    const std::size_t frames = grind.size() / 2;
    const std::size_t period = 44100 * 251 / 60;
    ASSERT_GT(frames, period);
    std::vector<float> played(2 * 3 * period, 0.0f);
    for (std::size_t start = 0; start < 3 * period; start += period)
        for (std::size_t i = 0; i < frames && start + i < 3 * period; ++i)
            for (int c = 0; c < 2; ++c)
                played[2 * (start + i) + c] += grind[2 * i + c];

    const std::size_t overlap = frames - period;
    auto largestStepIn = [&](std::size_t from, std::size_t to) {
        float largest = 0.0f;
        for (std::size_t i = from; i + 1 < to; ++i)
            for (int c = 0; c < 2; ++c)
                largest = std::max(largest, std::fabs(played[2 * (i + 1) + c] - played[2 * i + c]));
        return largest;
    };
    // Between period + overlap and 2 × period only one copy sounds: the steady grind.
    EXPECT_LE(largestStepIn(2 * period - 64, 2 * period + overlap + 64), largestStepIn(period + overlap, 2 * period));
    // And no gap: the level through the join stays near the level of the steady grind.
    double joinEnergy = 0.0, steadyEnergy = 0.0;
    for (std::size_t i = 0; i < overlap; ++i) {
        joinEnergy += played[2 * (2 * period + i)] * played[2 * (2 * period + i)];
        steadyEnergy += played[2 * (period + period / 2 + i)] * played[2 * (period + period / 2 + i)];
    }
    EXPECT_GT(joinEnergy, 0.25 * steadyEnergy);
}

TEST(ShippedSounds, MusicLoopsWithoutAClick)
{
    const std::vector<float> music = SoundFixtures::decodeFirstStream(assets + "music.ogg");
    const std::size_t frames = music.size() / 2;
    ASSERT_GT(frames, 44100u);
    // The step from the last frame to the first is no larger than the music's ordinary steps.
    std::vector<float> steps;
    for (std::size_t i = 0; i + 1 < frames; ++i)
        steps.push_back(std::fabs(music[2 * (i + 1)] - music[2 * i]));
    std::sort(steps.begin(), steps.end());
    const float ordinary = steps[steps.size() * 99 / 100];
    for (int c = 0; c < 2; ++c)
        EXPECT_LE(std::fabs(music[c] - music[2 * (frames - 1) + c]), ordinary) << "channel " << c;
}

TEST(ShippedSounds, TheScriptMakesEveryFileAgainByteForByte)
{
    if (std::system("command -v python3 >/dev/null 2>&1 && command -v oggenc >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 and oggenc (vorbis-tools) are needed to make the sounds";
    SoundFixtures::ScratchFolder made;
    const std::string command =
        "python3 " + std::string(BRICKWRATH_SOURCE_DIR) + "/tools/make_sounds.py " + made.folder() + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const std::string& name : shippedFiles()) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> shipped = SoundFixtures::readBytes(assets + name);
        ASSERT_FALSE(shipped.empty());
        EXPECT_TRUE(SoundFixtures::readBytes(made.file(name)) == shipped);
    }
}
