// The game's mix as the output receives it: the effects sample for sample over silence at the
// files' rate, the music only when the player wants it, and a resampler only for another rate.
#include "sound/AudioMixer.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using SoundFixtures::ScratchFolder;

namespace {

// A bank whose only effect is the jump, 300 frames of `jump`.
std::array<Sounds::SoundFile, Sounds::typeCount> jumpOnly(const std::vector<float>& jump)
{
    std::array<Sounds::SoundFile, Sounds::typeCount> bank;
    bank[Sounds::Jump].samples.reset(new float[jump.size()]);
    std::copy(jump.begin(), jump.end(), bank[Sounds::Jump].samples.get());
    bank[Sounds::Jump].frames = static_cast<std::uint32_t>(jump.size() / 2);
    return bank;
}

} // namespace

TEST(AudioMixer, MixesSilenceMusicAndEffectsAndResamplesOnlyForAnotherRate)
{
    ScratchFolder folder;
    SoundFixtures::writeOgg(folder.file("music.ogg"), SoundFixtures::testSignal(30000, 3));
    CaptureStdout quiet;
    BackgroundMusic music(folder.file("music.ogg"));
    const std::vector<float> jump = SoundFixtures::testSignal(300, 5);
    Sounds effects(jumpOnly(jump));

    // Without music, whatever the block held before: the effect exactly, then silence.
    AudioMixer effectsOnly(&music, &effects, false);
    effectsOnly.outputStarts(44100.0);
    EXPECT_FALSE(effectsOnly.isResampling());
    effects.playSound(Sounds::Jump);
    std::vector<float> block(2 * 400, 7.0f);
    effectsOnly.getAudio(nullptr, block.data(), 400);
    std::vector<float> expected = jump;
    expected.resize(block.size(), 0.0f);
    EXPECT_EQ(block, expected);

    // With it, the music's fade has begun under the effect.
    AudioMixer both(&music, &effects, true);
    both.outputStarts(44100.0);
    effects.playSound(Sounds::Jump);
    both.getAudio(nullptr, block.data(), 400);
    EXPECT_NE(block[2 * 350], 0.0f) << "the music plays after the effect";
    EXPECT_NE(block[2 * 100], jump[2 * 100]);

    // Another rate takes a resampler, the files' own rate (or none known) gives it back.
    both.outputStarts(48000.0);
    EXPECT_TRUE(both.isResampling());
    both.outputStarts(0.0);
    EXPECT_FALSE(both.isResampling());

    // Null parts play as silence.
    AudioMixer nothing(nullptr, nullptr, true);
    nothing.outputStarts(48000.0);
    nothing.getAudio(nullptr, block.data(), 400);
    EXPECT_EQ(block, std::vector<float>(block.size(), 0.0f));
}

// The pause holds the effects where they are and halves the music; the sound key silences the
// output while the mix, effects included, goes on underneath.
TEST(AudioMixer, HeldEffectsGoOnWhereTheyStoppedUnderHalfTheMusicAndMutingSilencesOnlyTheOutput)
{
    ScratchFolder folder;
    SoundFixtures::writeOgg(folder.file("music.ogg"), SoundFixtures::testSignal(30000, 3));
    CaptureStdout quiet;
    BackgroundMusic paused(folder.file("music.ogg"));
    BackgroundMusic playing(folder.file("music.ogg"));
    const std::vector<float> jump = SoundFixtures::testSignal(300, 5);
    Sounds effects(jumpOnly(jump));

    AudioMixer held(&paused, &effects, true);
    AudioMixer reference(&playing, nullptr, true);
    effects.playSound(Sounds::Jump);
    std::vector<float> block(2 * 100);
    std::vector<float> musicOnly(2 * 100);
    held.holdEffects(true);
    for (int i = 0; i < 3; ++i) {
        held.getAudio(nullptr, block.data(), 100);
        reference.getAudio(nullptr, musicOnly.data(), 100);
        for (std::size_t k = 0; k < block.size(); ++k)
            ASSERT_FLOAT_EQ(block[k], 0.5f * musicOnly[k]) << "block " << i << ", sample " << k;
    }
    EXPECT_TRUE(effects.isVoiceActive(0)) << "a held voice is not dropped";

    // Let go, without music: the jump from its first frame, as if no time had passed.
    AudioMixer effectsOnly(nullptr, &effects, false);
    effectsOnly.getAudio(nullptr, block.data(), 100);
    EXPECT_EQ(block, std::vector<float>(jump.begin(), jump.begin() + 200));

    // Muted: silence, while the jump plays on unheard; unmuted, it carries on 100 frames later.
    effectsOnly.mute(true);
    effectsOnly.getAudio(nullptr, block.data(), 100);
    EXPECT_EQ(block, std::vector<float>(block.size(), 0.0f));
    effectsOnly.mute(false);
    effectsOnly.getAudio(nullptr, block.data(), 100);
    EXPECT_EQ(block, std::vector<float>(jump.begin() + 400, jump.end()));
}
