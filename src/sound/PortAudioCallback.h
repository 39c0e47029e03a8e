// The block-filling interface that the audio device calls on its real-time thread.
#pragma once

class PortAudioCallback {
public:
    virtual ~PortAudioCallback() = default;

    // Fills one block of `frames` interleaved stereo float frames (full scale is -1.0 to +1.0).
    virtual void getAudio(float* input, float* output, int frames) = 0;
};
