// The music ring handed between its decoder thread and a mixer thread over a hundred thousand
// times, with the decoder stalled at random for up to 200 ms in the middle of refills: every frame
// mixed must be the next frame of the looped music, so a buffer read while it was being refilled
// (old frames, or old and new mixed) fails the check; a late refill may only cost silence.
#include "sound/BackgroundMusic.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

using SoundFixtures::ScratchFolder;

TEST(MusicStress, HundredThousandRefillsWithRandomStallsNeverMixABufferBeingWritten)
{
    // Small buffers and a 1 ms poll make a hand-over every few hundred frames; the numbers below
    // keep the run to a minute or two under the thread sanitizer, stalls included.
    constexpr int bufferFrames = 256;
    constexpr std::uint64_t refillsWanted = 100000;
    constexpr unsigned stallOneChunkIn = 750;
    constexpr int longestStallMs = 200;

    ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(5000, 3), 2);
    const std::vector<float> file = SoundFixtures::decodeFirstStream(path);
    const std::size_t length = file.size() / 2;
    ASSERT_EQ(length, 5000u);
    // A frame of music is never exact silence on both sides, so silence in the mix is always a
    // refill that came late, never music.
    for (std::size_t i = 0; i < length; ++i)
        ASSERT_FALSE(file[2 * i] == 0.0f && file[2 * i + 1] == 0.0f) << i;

    std::mt19937 stallRandom(11); // the decoder thread's alone once the thread runs
    std::atomic<long> stalls{0};
    std::atomic<long> stalledMs{0};
    BackgroundMusic::Pacing pacing;
    pacing.bufferFrames = bufferFrames;
    pacing.pollMilliseconds = 1;
    pacing.stopMilliseconds = 0;
    pacing.afterDecodedChunk = [&] {
        if (stallRandom() % stallOneChunkIn != 0)
            return;
        const int ms = 1 + static_cast<int>(stallRandom() % longestStallMs);
        stalls.fetch_add(1, std::memory_order_relaxed);
        stalledMs.fetch_add(ms, std::memory_order_relaxed);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    };

    CaptureStdout quiet;
    BackgroundMusic music(path, pacing);
    ASSERT_TRUE(music.hasMusic());

    // The mixer, on a thread of its own as the audio thread would be: blocks of random sizes, each
    // frame checked against the music file, with the gain worked out as the player does.
    std::uint64_t musicFrames = 0, silentFrames = 0, lateRefills = 0, blocks = 0;
    std::string fault;
    const auto began = std::chrono::steady_clock::now();
    std::thread mixer([&] {
        std::mt19937 random(5);
        std::vector<float> block(2 * bufferFrames);
        float gain = 0.0f;
        while (fault.empty() && musicFrames / bufferFrames < refillsWanted + BackgroundMusic::bufferCount) {
            const int frames = 1 + static_cast<int>(random() % bufferFrames);
            std::fill(block.begin(), block.end(), 0.0f);
            music.audioBlock(block.data(), frames);
            ++blocks;
            bool late = false;
            for (int i = 0; i < frames && fault.empty(); ++i) {
                const std::size_t at = musicFrames % length;
                const float left = block[2 * i];
                const float right = block[2 * i + 1];
                if (!late && left == file[2 * at] * gain * 0.5f && right == file[2 * at + 1] * gain * 0.5f) {
                    ++musicFrames;
                    if (gain < 1.0f)
                        gain += 0.000001f;
                } else if (left == 0.0f && right == 0.0f && musicFrames % bufferFrames == 0) {
                    // A refill not back yet: the music waits at the start of the buffer, and the
                    // rest of the block stays silent.
                    late = true;
                    ++silentFrames;
                } else {
                    fault = "block " + std::to_string(blocks) + ", frame " + std::to_string(i) + ": music frame " +
                            std::to_string(musicFrames) + " (buffer " + std::to_string(musicFrames / bufferFrames) +
                            ") mixed as (" + std::to_string(left) + ", " + std::to_string(right) + ")";
                }
            }
            if (late) {
                ++lateRefills;
                std::this_thread::sleep_for(std::chrono::microseconds(200)); // as the next block would come later
            }
        }
    });
    mixer.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    ASSERT_EQ(fault, "");
    // The first three buffers were filled before the thread started; every later one was handed to
    // the decoder thread, refilled and handed back.
    const std::uint64_t refills = musicFrames / bufferFrames - BackgroundMusic::bufferCount;
    EXPECT_GE(refills, refillsWanted);
    EXPECT_GT(stalls.load(), 0) << "the decoder never stalled: nothing was tested against late refills";
    EXPECT_GT(lateRefills, 0u);
    std::printf("%llu refills in %.1f s; %ld decoder stalls, %.1f s in all; %llu blocks cut short by a late "
                "refill, %llu silent frames\n",
                static_cast<unsigned long long>(refills), seconds, stalls.load(), stalledMs.load() / 1000.0,
                static_cast<unsigned long long>(lateRefills), static_cast<unsigned long long>(silentFrames));
}
