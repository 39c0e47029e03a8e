// The game's audio output, in the game's terms: a stereo float stream that pulls every block from a
// PortAudioCallback. Each target has its own (PortAudio on Linux, SDL's callback audio in the
// browser), made by create().
#pragma once

#include <memory>

class PortAudioCallback;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // The target's output, not yet started.
    static std::unique_ptr<AudioOutput> create();

    // These only store their value; it takes effect at the next start().
    virtual void setCallback(PortAudioCallback* cb) = 0;
    virtual void setNumChannels(int in, int out) = 0;
    virtual void setSamplerate(double rate) = 0;

    // True only when this call started the stream; a failure is reported on standard output.
    virtual bool start() = 0;
    // Stops once; does nothing when not running.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
};
