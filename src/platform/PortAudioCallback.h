// The block-filling interface that the target's audio output calls: on PortAudio's real-time thread
// on the desktop, from a timer on the main thread in the browser.
#pragma once

class PortAudioCallback {
public:
    virtual ~PortAudioCallback() = default;

    // Told by the output once it knows the rate its stream runs at, which need not be the rate
    // asked for, before the first block is asked for. On the thread that starts the output.
    virtual void outputStarts(double framesPerSecond) = 0;

    // Fills one block of `frames` interleaved stereo float frames (full scale is -1.0 to +1.0).
    virtual void getAudio(float* input, float* output, int frames) = 0;
};
