// The block-filling interface that the target's audio output calls: on PortAudio's real-time thread
// on the desktop, from a timer on the main thread in the browser.
#pragma once

class PortAudioCallback {
public:
    virtual ~PortAudioCallback() = default;

    // Fills one block of `frames` interleaved stereo float frames (full scale is -1.0 to +1.0).
    virtual void getAudio(float* input, float* output, int frames) = 0;
};
