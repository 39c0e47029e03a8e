// The game heard from outside: the real Application with its real sound files, playing through
// PortAudio into a recording ALSA device; the recording shows the music fading in, the effects the
// game asks for, nothing past full scale, and no music at all when the player asked for none.
#include "app/Application.h"
#include "sound/Sounds.h"

#include "AlsaRecording.h"
#include "support/CaptureStdout.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t rate = 44100;

// Where `effect` starts in the recording at or after frame `from`, such that the recording minus
// the effect never differs from the rest of the mix (`others`, at most this far from zero) by more
// than `tolerance`; -1 when no such place exists.
long findEffect(const std::vector<float>& recording, const std::vector<float>& effect, std::size_t from,
                float tolerance)
{
    const std::size_t frames = effect.size() / 2;
    const std::size_t total = recording.size() / 2;
    // Check the effect's loudest sample first: a cheap way past almost every wrong place.
    const std::size_t anchor = static_cast<std::size_t>(
        std::max_element(effect.begin(), effect.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); }) -
        effect.begin());
    for (std::size_t start = from; start + frames <= total; ++start) {
        if (std::fabs(recording[2 * start + anchor] - effect[anchor]) > tolerance)
            continue;
        bool fits = true;
        for (std::size_t i = 0; fits && i < 2 * frames; ++i)
            fits = std::fabs(recording[2 * start + i] - effect[i]) <= tolerance;
        if (fits)
            return static_cast<long>(start);
    }
    return -1;
}

// The largest magnitude in frames `from` to `to`.
float peakOf(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    float peak = 0.0f;
    for (std::size_t i = 2 * from; i < 2 * to; ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

} // namespace

TEST(GameAudio, MusicFadesInEffectsAreHeardAndNothingPassesFullScale)
{
    AlsaRecording& card = AlsaRecording::shared();
    TempHome home;
    CaptureStdout out;
    std::vector<std::size_t> requested;
    {
        Application app({"-w", "320", "-h", "240"});
        // A million frames bring the music to its full level (about 23 seconds of sound). The card
        // takes a stream's large blocks far faster than real time, quicker than the music thread
        // refills its ring every 62 ms, so the music is given a few seconds as well.
        ASSERT_TRUE(card.waitForFrames(1100000, 300)) << out.text();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        // Then each effect once, the longest (the grind) last, each given time to play out.
        const Sounds::SoundType order[] = {Sounds::Ghost,     Sounds::Biffo,       Sounds::Boing,     Sounds::Die,
                                           Sounds::Explosion, Sounds::Footstep1,   Sounds::Footstep2, Sounds::Jump,
                                           Sounds::Trip,      Sounds::WallGrinding};
        for (Sounds::SoundType type : order) {
            requested.push_back(card.frames());
            Sounds::getInstance()->playSound(type);
            ASSERT_TRUE(card.waitForFrames(requested.back() + 5 * rate, 300));
        }
    }
    const std::string text = out.text();
    EXPECT_NE(text.find("Contents/Resources/sounds/music.ogg\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("PortAudioDevice"), std::string::npos) << text;

    const std::vector<float> recorded = AlsaRecording::shared().samples();
    ASSERT_GE(recorded.size() / 2, requested.back() + 5 * rate);

    // Fade-in: the music (at most 0.26 in the file) is mixed at gain × 0.5, and the gain grows by
    // one millionth a frame, so frame i can be no louder than 0.13 × i / 1000000.
    for (std::size_t i = 0; i < requested.front(); ++i) {
        const float bound = 0.13f * std::min(1.0f, static_cast<float>(i + 1) * 1.0e-6f) + 1.0e-6f;
        ASSERT_LE(std::fabs(recorded[2 * i]), bound) << "frame " << i;
        ASSERT_LE(std::fabs(recorded[2 * i + 1]), bound) << "frame " << i;
    }
    // At full level every second of the music peaks at 0.1 or more. The test's card takes frames
    // faster than real time, so the music pauses (adds nothing, and its fade waits) whenever its
    // thread has not refilled the ring yet, as often as the machine's load makes it.
    const float full = peakOf(recorded, 1000000, requested.front());
    EXPECT_GT(full, 0.03f) << "the music plays after the fade";

    // The first effect, heard whole over the music, which can add no more than 0.13 anywhere.
    const long ghostAt = findEffect(recorded, SoundFixtures::samplesOf(Sounds::getInstance()->getFile(Sounds::Ghost)),
                                    requested[0], 0.135f);
    EXPECT_GE(ghostAt, 0) << "the wail was not heard";

    const float peak = peakOf(recorded, 0, recorded.size() / 2);
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(peak, 0.4f);

    std::printf("recorded %zu frames; music after the fade peaks at %.1f dBFS, peak %.2f dBFS; the wail starts at "
                "frame %ld, asked for at %zu\n",
                recorded.size() / 2, 20.0 * std::log10(full), 20.0 * std::log10(peak), ghostAt, requested[0]);
}

TEST(GameAudio, NoMusicFlagLeavesOnlyTheEffects)
{
    AlsaRecording& card = AlsaRecording::shared();
    TempHome home;
    CaptureStdout out;
    std::size_t requested = 0;
    {
        Application app({"-w", "320", "-h", "240", "-nm"});
        ASSERT_TRUE(card.waitForFrames(200000, 300)) << out.text();
        requested = card.frames();
        Sounds::getInstance()->playSound(Sounds::Jump);
        ASSERT_TRUE(card.waitForFrames(requested + rate, 300));
    }
    const std::vector<float> recorded = AlsaRecording::shared().samples();
    const std::vector<float> jump = SoundFixtures::samplesOf(Sounds::getInstance()->getFile(Sounds::Jump));
    // With nothing else in the mix the jump is there sample for sample, and all else is silence.
    const long at = findEffect(recorded, jump, requested, 0.0f);
    ASSERT_GE(at, 0) << "the jump was not heard";
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        if (i < 2 * static_cast<std::size_t>(at) || i >= 2 * static_cast<std::size_t>(at) + jump.size()) {
            ASSERT_EQ(recorded[i], 0.0f) << "frame " << i / 2;
        }
    }
}

// The sound key, pressed as the player presses it: a jump played while the sound is off leaves
// the recording silent; once it is on again, the next jump is there sample for sample.
TEST(GameAudio, TheSoundKeySilencesTheOutputAndBringsItBack)
{
    AlsaRecording& card = AlsaRecording::shared();
    TempHome home;
    CaptureStdout out;
    std::size_t mutedFrom = 0;
    std::size_t mutedTo = 0;
    std::size_t unmutedFrom = 0;
    {
        Application app({"-w", "320", "-h", "240", "-nm"});
        const auto press = [&app] {
            SDL_Event key{SDL_KEYDOWN};
            key.key.keysym.sym = SDLK_m;
            ASSERT_EQ(SDL_PushEvent(&key), 0);
            ASSERT_TRUE(app.stepUndrawn());
        };
        ASSERT_TRUE(card.waitForFrames(200000, 300)) << out.text();
        press();
        mutedFrom = card.frames();
        Sounds::getInstance()->playSound(Sounds::Jump);
        ASSERT_TRUE(card.waitForFrames(mutedFrom + rate, 300));
        mutedTo = card.frames();
        press();
        unmutedFrom = card.frames();
        Sounds::getInstance()->playSound(Sounds::Jump);
        ASSERT_TRUE(card.waitForFrames(unmutedFrom + rate, 300));
    }
    const std::vector<float> recorded = AlsaRecording::shared().samples();
    const std::vector<float> jump = SoundFixtures::samplesOf(Sounds::getInstance()->getFile(Sounds::Jump));
    ASSERT_LT(jump.size() / 2, rate) << "the jump plays out within the second it is given";
    for (std::size_t i = 2 * mutedFrom; i < 2 * mutedTo; ++i)
        ASSERT_EQ(recorded[i], 0.0f) << "frame " << i / 2 << " while the sound was off";
    EXPECT_GE(findEffect(recorded, jump, unmutedFrom, 0.0f), 0) << "the jump was not heard once the sound was on";
}
