// The game's mix, at the files' rate, and its conversion to the output's.
#include "sound/AudioMixer.h"

#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include <algorithm>
#include <cmath>

namespace {

// Input is mixed ahead in chunks of this many frames, about 6 ms: short enough to add little delay,
// and within the most the music hands out at once.
constexpr int resampledChunk = 256;

} // namespace

AudioMixer::AudioMixer(BackgroundMusic* m, Sounds* e, bool music) : music(m), effects(e), withMusic(music) {}

void AudioMixer::outputStarts(double framesPerSecond)
{
    const int rate = static_cast<int>(std::lround(framesPerSecond));
    if (rate == mixRate || rate <= 0)
        resampler.reset();
    else
        resampler = std::make_unique<Resampler>(mixRate, rate, resampledChunk);
}

void AudioMixer::getAudio(float*, float* output, int frames)
{
    if (frames <= 0)
        return;
    if (resampler)
        resampler->resample(output, frames, [this](float* block, int n) { mix(block, n); });
    else
        mix(output, frames);
    if (muted.load(std::memory_order_relaxed))
        std::fill(output, output + 2 * frames, 0.0f);
}

void AudioMixer::mix(float* block, int frames)
{
    std::fill(block, block + 2 * frames, 0.0f);
    // The player asked for no music (-nm, --nomusic or "nm 1"): the music thread still runs, but
    // nothing of it is heard.
    if (withMusic && music != nullptr)
        music->audioBlock(block, frames);
    const bool held = effectsHeld.load(std::memory_order_relaxed);
    // The music is alone in the block so far: halving the block halves the music.
    if (held)
        for (int i = 0; i < 2 * frames; ++i)
            block[i] *= 0.5f;
    if (effects != nullptr && !held)
        effects->getAudio(block, frames);
}
