// The effect voices handed between the main thread and a mixer thread a million times: effects of
// exact, tagged samples show in the mix how many voices started, ended and played how many frames,
// so that a voice lost, cut short or mixed twice shows up as a wrong total.
#include "sound/Sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

// Left: 1 on a voice's first frame and 256 on its last, nothing between; right: 1 on every frame.
// A frame of the mix then reads as (starts + 256 × ends, frames playing), all small integers that
// a float sums exactly.
constexpr float startTag = 1.0f;
constexpr float endTag = 256.0f;

Sounds::SoundFile taggedEffect(std::uint32_t frames)
{
    Sounds::SoundFile file;
    file.samples.reset(new float[2 * frames]());
    file.frames = frames;
    for (std::uint32_t i = 0; i < frames; ++i)
        file.samples[2 * i + 1] = 1.0f;
    file.samples[0] = startTag;
    file.samples[2 * (frames - 1)] = endTag;
    return file;
}

// Distinct lengths, from a few frames to a few blocks, so that a frame count tells the effects apart.
// Short ones, so that slots free and fill again all the time.
std::uint32_t lengthOf(int type)
{
    return type == Sounds::NoFile ? 0 : static_cast<std::uint32_t>(3 + 11 * type);
}

struct MixTally {
    std::uint64_t starts = 0;
    std::uint64_t ends = 0;
    std::uint64_t voiceFrames = 0;
    std::uint64_t blocks = 0;
    int minActive = 0;
    int maxActive = 0;
    std::string fault;
};

} // namespace

TEST(SoundsStress, MillionRequestsRacingTheMixerLoseNoVoiceAndMixNoneTwice)
{
    std::array<Sounds::SoundFile, Sounds::typeCount> files;
    for (int type = 0; type < Sounds::typeCount; ++type)
        if (type != Sounds::NoFile)
            files[type] = taggedEffect(lengthOf(type));
    Sounds bank(std::move(files));

    std::atomic<bool> requestsDone{false};
    std::atomic<std::uint64_t> mixedBlocks{0};
    MixTally mix;
    std::thread mixer([&] {
        std::mt19937 random(7);
        std::vector<float> block(2 * 64);
        for (;;) {
            const bool last = requestsDone.load(std::memory_order_acquire);
            const int frames = 1 + static_cast<int>(random() % 64);
            std::fill(block.begin(), block.end(), 0.0f);
            bank.getAudio(block.data(), frames);
            ++mix.blocks;
            for (int i = 0; i < frames && mix.fault.empty(); ++i) {
                const float left = block[2 * i];
                const float right = block[2 * i + 1];
                const auto tags = static_cast<std::uint64_t>(left);
                const std::uint64_t starts = tags % 256;
                const std::uint64_t ends = tags / 256;
                if (left != std::floor(left) || right != std::floor(right) || right > 128.0f || starts > 128 ||
                    ends > 128 || static_cast<float>(std::max(starts, ends)) > right) {
                    mix.fault = "frame " + std::to_string(i) + " of block " + std::to_string(mix.blocks) + " reads (" +
                                std::to_string(left) + ", " + std::to_string(right) + ")";
                }
                mix.starts += starts;
                mix.ends += ends;
                mix.voiceFrames += static_cast<std::uint64_t>(right);
            }
            mixedBlocks.fetch_add(1, std::memory_order_release);
            const int active = bank.getActiveVoiceCount();
            mix.minActive = std::min(mix.minActive, active);
            mix.maxActive = std::max(mix.maxActive, active);
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
    constexpr long requests = 1000000;
    std::array<std::uint64_t, Sounds::typeCount> certain{};
    std::uint64_t uncertain = 0;
    int minActive = 0;
    int maxActive = 0;
    int next = 0;
    for (long k = 0; k < requests; ++k) {
        const int active = bank.getActiveVoiceCount();
        minActive = std::min(minActive, active);
        maxActive = std::max(maxActive, active);
        if (active < Sounds::voiceCount) {
            next = (next + 1) % Sounds::typeCount;
            if (next == maybeType)
                next = (next + 1) % Sounds::typeCount;
            ++certain[next];
            bank.playSound(static_cast<Sounds::SoundType>(next));
        } else {
            ++uncertain;
            bank.playSound(static_cast<Sounds::SoundType>(maybeType));
            // A full bank drops a request at once: after many, wait for the mixer to finish a
            // block, or the million requests would be over before many voices had played.
            if (uncertain % 64 == 0) {
                const std::uint64_t seen = mixedBlocks.load(std::memory_order_acquire);
                while (mixedBlocks.load(std::memory_order_acquire) == seen)
                    std::this_thread::yield();
            }
        }
    }
    requestsDone.store(true, std::memory_order_release);
    mixer.join();

    ASSERT_EQ(mix.fault, "");
    EXPECT_GE(minActive, 0);
    EXPECT_LE(maxActive, Sounds::voiceCount);
    EXPECT_GE(mix.minActive, 0);
    EXPECT_LE(mix.maxActive, Sounds::voiceCount);
    EXPECT_EQ(bank.getActiveVoiceCount(), 0);
    for (int slot = 0; slot < Sounds::voiceCount; ++slot)
        ASSERT_FALSE(bank.isVoiceActive(slot)) << slot;

    // Every voice that started also ended, exactly once.
    EXPECT_EQ(mix.starts, mix.ends);
    std::uint64_t certainStarts = 0;
    std::uint64_t certainFrames = 0;
    for (int type = 0; type < Sounds::typeCount; ++type) {
        if (type != Sounds::NoFile)
            certainStarts += certain[type];
        certainFrames += certain[type] * lengthOf(type);
    }
    ASSERT_GE(mix.starts, certainStarts) << "a voice that had a free slot was never heard";
    const std::uint64_t grinds = mix.starts - certainStarts;
    EXPECT_LE(grinds, uncertain) << "more voices were heard than were asked for";
    // And each played exactly its own length: a voice cut short, run on or mixed twice would
    // change the total, as would one effect played with another's samples.
    EXPECT_EQ(mix.voiceFrames, certainFrames + grinds * lengthOf(maybeType));
    EXPECT_GT(uncertain, 0u) << "the slots were never all busy: the test raced nothing";

    std::printf("%ld requests: %llu with a free slot, %llu with every slot busy of which %llu were "
                "played; %llu voices, %llu voice frames in %llu blocks; active count seen between %d "
                "and %d (requests) and %d and %d (mixer)\n",
                requests, static_cast<unsigned long long>(requests - static_cast<long>(uncertain)),
                static_cast<unsigned long long>(uncertain), static_cast<unsigned long long>(grinds),
                static_cast<unsigned long long>(mix.starts), static_cast<unsigned long long>(mix.voiceFrames),
                static_cast<unsigned long long>(mix.blocks), minActive, maxActive, mix.minActive, mix.maxActive);
}
