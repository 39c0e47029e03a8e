// The browser's audio output: Emscripten's SDL callback audio, which calls back on the main thread
// from a timer and plays each block through Web Audio. The page's first click lets it sound where
// the browser's autoplay rule holds it back until then.
#pragma once

#include "platform/AudioOutput.h"

#include <cstdint>

class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void setCallback(PortAudioCallback* cb) override { callback = cb; }
    void setNumChannels(int, int out) override { outputChannels = out; }
    void setSamplerate(double rate) override { sampleRate = rate; }
    bool start() override;
    void stop() override;
    bool isRunning() const override { return running; }

private:
    static void fill(void* user, std::uint8_t* stream, int bytes);

    PortAudioCallback* callback = nullptr;
    int outputChannels = 2;
    double sampleRate = 44100.0;
    bool running = false;
};
