// SDL's callback audio, in float frames where SDL takes them and in signed 16-bit ones converted
// from the mixer's floats where it does not.
#include "platform/sdl/SdlAudioOutput.h"

#include "platform/PortAudioCallback.h"
#include "platform/sdl/SampleConversion.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <iostream>

SdlAudioOutput::SdlAudioOutput(std::uint16_t format) : wantedFormat(format) {}

SdlAudioOutput::~SdlAudioOutput()
{
    stop();
}

bool SdlAudioOutput::start()
{
    if (running)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(sampleRate);
    wanted.format = wantedFormat;
    wanted.channels = static_cast<Uint8>(outputChannels);
    // About 23 ms a block: the browser plays a few queued blocks, so smaller ones starve on a busy
    // frame and larger ones delay every effect.
    wanted.samples = 1024;
    wanted.callback = &SdlAudioOutput::fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    if (SDL_OpenAudio(&wanted, &obtained) < 0) {
        std::cout << "SdlAudioOutput Error: Could not open audio: " << SDL_GetError() << std::endl;
        return false;
    }
    // The device may give another format than the one asked for; only these two are filled.
    if (obtained.format != wantedFormat && obtained.format != AUDIO_S16SYS) {
        std::cout << "SdlAudioOutput Error: the audio device takes no format the game can fill" << std::endl;
        SDL_CloseAudio();
        return false;
    }
    deviceFormat = obtained.format;
    outputChannels = obtained.channels > 0 ? obtained.channels : outputChannels;
    mixed.assign(static_cast<std::size_t>(std::max<int>(obtained.samples, wanted.samples)) *
                     static_cast<std::size_t>(outputChannels),
                 0.0f);
    // Emscripten's SDL keeps the rate asked for and plays every block as a Web Audio buffer of that
    // rate, which the browser itself resamples to its audio context's (often 48000): the mix stays
    // at 44100 there. SDL 1.2 on Windows may open another rate, which the mixer then resamples to.
    if (callback != nullptr)
        callback->outputStarts(obtained.freq > 0 ? obtained.freq : wanted.freq);
    SDL_PauseAudio(0);
    running = true;
    return true;
}

void SdlAudioOutput::stop()
{
    if (!running)
        return;
    SDL_CloseAudio();
    running = false;
}

void SdlAudioOutput::fill(void* user, std::uint8_t* stream, int bytes)
{
    auto* self = static_cast<SdlAudioOutput*>(user);
    const int channels = std::max(self->outputChannels, 1);
    if (self->deviceFormat == AUDIO_S16SYS) {
        const int frames = bytes / static_cast<int>(sizeof(std::int16_t)) / channels;
        self->fillSigned16(reinterpret_cast<std::int16_t*>(stream), frames);
        return;
    }
    auto* block = reinterpret_cast<float*>(stream);
    const int frames = bytes / static_cast<int>(sizeof(float)) / channels;
    if (self->callback == nullptr) {
        std::fill(block, block + frames * channels, 0.0f);
        return;
    }
    self->callback->getAudio(nullptr, block, frames);
}

void SdlAudioOutput::fillSigned16(std::int16_t* block, int frames)
{
    const int channels = std::max(outputChannels, 1);
    if (callback == nullptr) {
        std::fill(block, block + frames * channels, std::int16_t{0});
        return;
    }
    // In pieces of the buffer's size, should SDL ask for a longer block than it opened with.
    const int piece = static_cast<int>(mixed.size()) / channels;
    for (int done = 0; done < frames && piece > 0;) {
        const int now = std::min(piece, frames - done);
        callback->getAudio(nullptr, mixed.data(), now);
        const std::size_t samples = static_cast<std::size_t>(now) * static_cast<std::size_t>(channels);
        SampleConversion::toSigned16(mixed.data(), block + static_cast<std::size_t>(done) * channels, samples);
        done += now;
    }
}
