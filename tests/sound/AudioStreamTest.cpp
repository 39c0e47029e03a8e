// The real audio path without a window: PortAudio through a recording ALSA device, with the music
// thread refilling and the main thread starting effects as fast as it can, so that the thread
// sanitizer sees every hand-over under load.
#include "platform/desktop/PortAudioDevice.h"
#include "sound/AudioMixer.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "AlsaRecording.h"
#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>

using SoundFixtures::ScratchFolder;

TEST(AudioStream, EffectsStartedFlatOutWhileMusicStreamsAreMixedAndEveryVoiceEnds)
{
    AlsaRecording& card = AlsaRecording::shared();
    ScratchFolder folder;
    for (int type = 0; type < Sounds::typeCount; ++type) {
        if (const char* name = Sounds::fileName(static_cast<Sounds::SoundType>(type)))
            SoundFixtures::writeOgg(folder.file(name), SoundFixtures::testSignal(200 + 150 * type, type));
    }
    SoundFixtures::writeOgg(folder.file("music.ogg"), SoundFixtures::testSignal(30000, 9));

    CaptureStdout quiet;
    Sounds effects(folder.folder());
    std::size_t requests = 0;
    {
        BackgroundMusic music(folder.file("music.ogg"));
        AudioMixer mixer(&music, &effects, true);
        CaptureStdout deviceOut;
        PortAudioDevice device;
        device.setCallback(&mixer);
        device.setNumChannels(0, 2);
        device.setSamplerate(44100.0);
        ASSERT_TRUE(device.start()) << deviceOut.text();

        // A bounded burst: a fixed number of requests, or two seconds, whichever comes first.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (requests < 2000000 && std::chrono::steady_clock::now() < until) {
            effects.playSound(static_cast<Sounds::SoundType>(requests % Sounds::typeCount));
            ++requests;
        }
        // Let every voice play out before the stream stops: the longest effect is 1700 frames.
        const std::size_t heard = card.frames();
        ASSERT_TRUE(card.waitForFrames(heard + 44100, 120)) << "the stream stopped playing";
        device.stop();
        EXPECT_EQ(deviceOut.text(), "");
    }
    EXPECT_GT(requests, 128u);
    EXPECT_EQ(effects.getActiveVoiceCount(), 0);

    const std::vector<float> recorded = card.samples();
    ASSERT_GT(recorded.size(), 2u * 44100);
    float peak = 0.0f;
    for (float s : recorded) {
        ASSERT_TRUE(std::isfinite(s));
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(peak, 0.1f) << "the effects were heard";
}
