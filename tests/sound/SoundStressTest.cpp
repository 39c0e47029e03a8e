// The sound's hand-overs between threads under load, meant for the thread sanitizer: the effect
// voices and the music ring, each against a mixer thread that checks every frame it mixes.
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// Distinct lengths, from a few frames to a few blocks, so that a frame count tells the effects apart.
// Short ones, so that slots free and fill again all the time.
std::uint32_t lengthOf(int type)
{
    return type == Sounds::NoFile ? 0 : static_cast<std::uint32_t>(3 + 11 * type);
}

} // namespace

// The effect voices handed between the main thread and a mixer thread a million times: effects of
// exact, tagged samples show in the mix how many voices started, ended and played how many frames,
// so that a voice lost, cut short or mixed twice shows up as a wrong total.
TEST(SoundsStress, MillionRequestsRacingTheMixerLoseNoVoiceAndMixNoneTwice)
{
    // Left: 1 on a voice's first frame and 256 on its last, nothing between; right: 1 on every frame.
    // A frame of the mix then reads as (starts + 256 × ends, frames playing), all small integers that
    // a float sums exactly.
    std::array<Sounds::SoundFile, Sounds::typeCount> files;
    for (int type = 0; type < Sounds::typeCount; ++type) {
        const std::uint32_t frames = lengthOf(type);
        if (frames == 0)
            continue;
        files[type].samples.reset(new float[2 * frames]());
        files[type].frames = frames;
        for (std::uint32_t i = 0; i < frames; ++i)
            files[type].samples[2 * i + 1] = 1.0f;
        files[type].samples[0] = 1.0f;
        files[type].samples[2 * (frames - 1)] = 256.0f;
    }
    Sounds bank(std::move(files));

    std::atomic<bool> requestsDone{false};
    std::atomic<std::uint64_t> mixedBlocks{0};
    std::uint64_t starts = 0, ends = 0, voiceFrames = 0;
    int mixerLowest = 0, mixerHighest = 0; // the active count as the mixer saw it
    std::string fault;
    std::thread mixer([&] {
        std::mt19937 random(7);
        std::vector<float> block(2 * 64);
        for (;;) {
            const bool last = requestsDone.load(std::memory_order_acquire);
            const int frames = 1 + static_cast<int>(random() % 64);
            std::fill(block.begin(), block.end(), 0.0f);
            bank.getAudio(block.data(), frames);
            for (int i = 0; i < frames && fault.empty(); ++i) {
                const float left = block[2 * i];
                const float right = block[2 * i + 1];
                const auto tags = static_cast<std::uint64_t>(left);
                if (left != std::floor(left) || right != std::floor(right) || right > 128.0f || tags % 256 > 128 ||
                    tags / 256 > 128 || static_cast<float>(std::max(tags % 256, tags / 256)) > right) {
                    fault = "block " + std::to_string(mixedBlocks.load()) + " frame " + std::to_string(i) + " reads (" +
                            std::to_string(left) + ", " + std::to_string(right) + ")";
                }
                starts += tags % 256;
                ends += tags / 256;
                voiceFrames += static_cast<std::uint64_t>(right);
            }
            mixedBlocks.fetch_add(1, std::memory_order_release);
            const int active = bank.getActiveVoiceCount();
            mixerLowest = std::min(mixerLowest, active);
            mixerHighest = std::max(mixerHighest, active);
            // After the last request, play on until every voice has ended.
            if (last && active == 0)
                return;
            if (active == 0)
                std::this_thread::yield(); // nothing to mix: let the requests come
        }
    });

    // A request made while the count is below 128 finds a free slot for certain: only this thread
    // adds voices, and the mixer frees a slot before it lowers the count. Those requests cycle
    // through every effect (the empty NoFile too). A request made with every slot busy may land or
    // be dropped, depending on the mixer; those all ask for the grind, whose share the mix reveals.
    constexpr int maybeType = Sounds::WallGrinding;
    std::array<std::uint64_t, Sounds::typeCount> certain{};
    std::uint64_t uncertain = 0;
    int lowest = 0, highest = 0;
    for (long k = 0, next = 0; k < 1000000; ++k) {
        const int active = bank.getActiveVoiceCount();
        lowest = std::min(lowest, active);
        highest = std::max(highest, active);
        if (active < Sounds::voiceCount) {
            next = (next + 1) % Sounds::typeCount;
            if (next == maybeType)
                next = (next + 1) % Sounds::typeCount;
            ++certain[next];
            bank.playSound(static_cast<Sounds::SoundType>(next));
        } else {
            bank.playSound(static_cast<Sounds::SoundType>(maybeType));
            // A full bank drops a request at once: after many, wait for the mixer to finish a
            // block, or the million requests would be over before many voices had played.
            if (++uncertain % 64 == 0) {
                const std::uint64_t seen = mixedBlocks.load(std::memory_order_acquire);
                while (mixedBlocks.load(std::memory_order_acquire) == seen)
                    std::this_thread::yield();
            }
        }
    }
    requestsDone.store(true, std::memory_order_release);
    mixer.join();

    ASSERT_EQ(fault, "");
    EXPECT_GE(std::min(lowest, mixerLowest), 0);
    EXPECT_LE(std::max(highest, mixerHighest), Sounds::voiceCount);
    for (int slot = 0; slot < Sounds::voiceCount; ++slot)
        ASSERT_FALSE(bank.isVoiceActive(slot)) << slot;

    // Every voice that started also ended, exactly once.
    EXPECT_EQ(starts, ends);
    std::uint64_t certainStarts = 0, certainFrames = 0;
    for (int type = 0; type < Sounds::typeCount; ++type) {
        certainStarts += type != Sounds::NoFile ? certain[type] : 0;
        certainFrames += certain[type] * lengthOf(type);
    }
    ASSERT_GE(starts, certainStarts) << "a voice that had a free slot was never heard";
    const std::uint64_t grinds = starts - certainStarts;
    EXPECT_LE(grinds, uncertain) << "more voices were heard than were asked for";
    // And each played exactly its own length: a voice cut short, run on or mixed twice would
    // change the total, as would one effect played with another's samples.
    EXPECT_EQ(voiceFrames, certainFrames + grinds * lengthOf(maybeType));
    EXPECT_GT(uncertain, 0u) << "the slots were never all busy: the test raced nothing";
    std::cout << uncertain << " requests with every slot busy, " << grinds << " of them played; " << starts
              << " voices, " << voiceFrames << " voice frames in " << mixedBlocks << " blocks\n";
}

// The music ring handed between its decoder thread and a mixer thread over a hundred thousand
// times, with the decoder stalled at random for up to 200 ms in the middle of refills: every frame
// mixed must be the next frame of the looped music, so a buffer read while it was being refilled
// (old frames, or old and new mixed) fails the check; a late refill may only cost silence.
TEST(MusicStress, HundredThousandRefillsWithRandomStallsNeverMixABufferBeingWritten)
{
    // Small buffers and a 1 ms poll make a hand-over every few hundred frames; the numbers below
    // keep the run to a minute or two under the thread sanitizer, stalls included.
    constexpr int bufferFrames = 256;
    constexpr std::uint64_t refillsWanted = 100000;
    constexpr unsigned stallOneChunkIn = 750;
    constexpr int longestStallMs = 200;

    SoundFixtures::ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(5000, 3));
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
    std::cout << refills << " refills in " << seconds << " s; " << stalls << " decoder stalls, " << stalledMs
              << " ms in all; " << lateRefills << " blocks cut short by a late refill, " << silentFrames
              << " silent frames\n";
}
