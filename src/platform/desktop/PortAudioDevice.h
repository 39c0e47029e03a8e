// The desktop's audio output: a PortAudio stream in callback mode that asks a PortAudioCallback for
// every block on the library's audio thread.
#pragma once

#include "platform/AudioOutput.h"

#include <portaudio.h>

#include <atomic>

class PortAudioCallback;

class PortAudioDevice : public AudioOutput {
public:
    PortAudioDevice() = default;
    ~PortAudioDevice() override;
    PortAudioDevice(const PortAudioDevice&) = delete;
    PortAudioDevice& operator=(const PortAudioDevice&) = delete;

    // These only store their value; it takes effect at the next start().
    void setCallback(PortAudioCallback* cb) override { callback = cb; }
    void setNumChannels(int in, int out) override;
    void setSamplerate(double rate) override { sampleRate = rate; }

    // Opens and starts the stream, with the latency the device suggests, and tells the callback the
    // rate it runs at. True only when this call started it; every failure is reported on standard
    // output and leaves the library terminated. A stream that dies later is reported in one line.
    bool start() override;
    // Stops, closes and terminates once; does nothing when not running.
    void stop() override;

    bool isRunning() const override { return running; }
    double getSamplerate() const { return sampleRate; }

    static int portAudioCallback(const void* input, void* output, unsigned long frameCount,
                                 const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags statusFlags,
                                 void* user);
    static void streamFinished(void* user);

private:
    PaStream* stream = nullptr;
    PortAudioCallback* callback = nullptr;
    int inputChannels = 0;
    int outputChannels = 2;
    double sampleRate = 44100.0;
    bool running = false;
    // Set while stop() ends the stream, so that its end is not taken for a failure.
    std::atomic<bool> stopping{false};
};
