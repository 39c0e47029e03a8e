// A stand-in for the PortAudio library, linked instead of it into the device tests, so that a
// device can refuse a rate, fail to open or start, and every library call can be seen.
#pragma once

#include <portaudio.h>

#include <string>

namespace FakePortAudio {

struct State {
    // What the library answers.
    PaError initialiseResult = paNoError;
    bool hasHostApi = true;
    bool refuse44100 = false;
    bool refuse48000 = false;
    PaError openResult = paNoError;
    PaError startResult = paNoError;
    // Printed on standard error by Pa_Initialize, as a real host's probing does.
    const char* initialiseChatter = nullptr;

    // What the device asked of it: the calls in order ("initialise check open start "), and the
    // stream it opened last.
    std::string calls;
    bool formatCheckHadInput = false;
    bool openedWithInput = false;
    PaStreamParameters output{};
    double openedRate = 0.0;
    unsigned long framesPerBuffer = 1;
    PaStreamFlags flags = 1;
    PaStreamCallback* callback = nullptr;
    void* userData = nullptr;
};

State& state();
void reset();

constexpr PaDeviceIndex defaultOutput = 7;

} // namespace FakePortAudio
