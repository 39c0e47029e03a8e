// What the audio output plays: silence, then the music (unless the player asked for none), then
// every playing effect, mixed at the 44100 frames a second of the sound files and resampled when
// the output runs at another rate.
#pragma once

#include "platform/PortAudioCallback.h"
#include "sound/Resampler.h"

#include <atomic>
#include <memory>

class BackgroundMusic;
class Sounds;

class AudioMixer : public PortAudioCallback {
public:
    static constexpr int mixRate = 44100;

    // Borrows both; either may be null. They must outlive the output's stream.
    AudioMixer(BackgroundMusic* music, Sounds* effects, bool withMusic);

    // Makes the resampler (or drops it, at the mixing rate) before the stream's first block.
    void outputStarts(double framesPerSecond) override;
    // The audio thread's block; allocates nothing and takes no lock.
    void getAudio(float* input, float* output, int frames) override;

    bool isResampling() const { return resampler != nullptr; }

    // Set on the main thread, read by the audio thread from its next block on. Held, the effect
    // voices stand where they are and go on from there once let go, and the music plays on at
    // half its level: the game's pause. Muted, the output is silent while the mix goes on, so
    // that sound comes back where the game is rather than where it was.
    void holdEffects(bool hold) { effectsHeld.store(hold, std::memory_order_relaxed); }
    void mute(bool silent) { muted.store(silent, std::memory_order_relaxed); }
    bool isMuted() const { return muted.load(std::memory_order_relaxed); }

private:
    void mix(float* block, int frames);

    BackgroundMusic* music;
    Sounds* effects;
    bool withMusic;
    std::unique_ptr<Resampler> resampler;
    std::atomic<bool> effectsHeld{false};
    std::atomic<bool> muted{false};
};
