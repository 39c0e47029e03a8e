// SDL's callback audio as the game's output: in the browser Emscripten's, which calls back on the
// main thread from a timer and plays each block through Web Audio (the page's first click lets it
// sound where the browser's autoplay rule holds it back until then); on Windows SDL 1.2's, on its
// own audio thread. Each target's AudioOutput::create() names the sample format it asks for.
#pragma once

#include "platform/AudioOutput.h"

#include <cstdint>
#include <vector>

class SdlAudioOutput : public AudioOutput {
public:
    // `format` is SDL's: AUDIO_F32 where SDL takes floats, AUDIO_S16SYS where it does not, in which
    // case every block is converted from the mixer's floats.
    explicit SdlAudioOutput(std::uint16_t format);
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
    void fillSigned16(std::int16_t* block, int frames);

    PortAudioCallback* callback = nullptr;
    std::uint16_t wantedFormat;
    std::uint16_t deviceFormat = 0;
    int outputChannels = 2;
    double sampleRate = 44100.0;
    bool running = false;
    // The mixer's floats before conversion, sized at start() so the audio thread never allocates.
    std::vector<float> mixed;
};
