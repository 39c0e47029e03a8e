// A stand-in for the PortAudio library: the calls the audio device makes, answered from a state
// the tests set, and logged.
#include "FakePortAudio.h"

#include <unistd.h>

#include <cstring>

namespace FakePortAudio {

namespace {
State current;
int streamToken;
} // namespace

State& state()
{
    return current;
}

void reset()
{
    current = State();
}

} // namespace FakePortAudio

using FakePortAudio::state;

extern "C" {

PaError Pa_Initialize(void)
{
    state().calls += "initialise ";
    if (const char* chatter = state().initialiseChatter)
        (void)!write(STDERR_FILENO, chatter, std::strlen(chatter));
    return state().initialiseResult;
}

PaError Pa_Terminate(void)
{
    state().calls += "terminate ";
    return paNoError;
}

PaHostApiIndex Pa_GetDefaultHostApi(void)
{
    return state().hasHostApi ? 0 : paNoDevice;
}

const PaHostApiInfo* Pa_GetHostApiInfo(PaHostApiIndex hostApi)
{
    static PaHostApiInfo info{1, paALSA, "fake", 2, 3, FakePortAudio::defaultOutput};
    return hostApi == 0 && state().hasHostApi ? &info : nullptr;
}

PaError Pa_IsFormatSupported(const PaStreamParameters* input, const PaStreamParameters* output, double rate)
{
    state().calls += "check ";
    state().formatCheckHadInput = state().formatCheckHadInput || input != nullptr;
    if (output == nullptr || output->device == paNoDevice)
        return paInvalidDevice;
    if ((rate == 44100.0 && state().refuse44100) || (rate == 48000.0 && state().refuse48000))
        return paInvalidSampleRate;
    return paFormatIsSupported;
}

PaError Pa_OpenStream(PaStream** stream, const PaStreamParameters* input, const PaStreamParameters* output, double rate,
                      unsigned long framesPerBuffer, PaStreamFlags flags, PaStreamCallback* callback, void* userData)
{
    FakePortAudio::State& s = state();
    s.calls += "open ";
    s.openedWithInput = input != nullptr;
    s.output = output != nullptr ? *output : PaStreamParameters{};
    s.openedRate = rate;
    s.framesPerBuffer = framesPerBuffer;
    s.flags = flags;
    s.callback = callback;
    s.userData = userData;
    if (output == nullptr || output->device == paNoDevice)
        return paInvalidDevice;
    if (s.openResult != paNoError)
        return s.openResult;
    *stream = &FakePortAudio::streamToken;
    return paNoError;
}

PaError Pa_StartStream(PaStream*)
{
    state().calls += "start ";
    return state().startResult;
}

PaError Pa_StopStream(PaStream*)
{
    state().calls += "stop ";
    return paNoError;
}

PaError Pa_CloseStream(PaStream*)
{
    state().calls += "close ";
    return paNoError;
}

} // extern "C"
