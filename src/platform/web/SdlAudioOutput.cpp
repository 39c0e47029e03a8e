// SDL's callback audio in float frames, the format the game mixes in.
#include "platform/web/SdlAudioOutput.h"

#include "platform/PortAudioCallback.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <iostream>

std::unique_ptr<AudioOutput> AudioOutput::create()
{
    return std::make_unique<SdlAudioOutput>();
}

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
    wanted.format = AUDIO_F32;
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
    // Emscripten's SDL keeps the rate asked for and plays every block as a Web Audio buffer of that
    // rate, which the browser itself resamples to its audio context's (often 48000): the mix stays
    // at 44100 here.
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
    auto* block = reinterpret_cast<float*>(stream);
    const int frames = bytes / static_cast<int>(sizeof(float)) / std::max(self->outputChannels, 1);
    if (self->callback == nullptr) {
        std::fill(block, block + frames * self->outputChannels, 0.0f);
        return;
    }
    self->callback->getAudio(nullptr, block, frames);
}
