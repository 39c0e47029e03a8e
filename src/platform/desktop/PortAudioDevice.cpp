// The game's audio output stream, with the 48000 frames a second fallback.
#include "platform/desktop/PortAudioDevice.h"

#include "platform/AudioHost.h"
#include "platform/PortAudioCallback.h"

#include <iostream>

namespace {

// Asked for when the library knows nothing of the device: a sound server holds this easily.
constexpr double fallbackLatency = 0.05;

// What the stream asks the device to buffer. A sound server grants what it is asked literally, and
// a millisecond or two underruns all the time: the device's own default is what it can hold.
double latencyFor(PaDeviceIndex device)
{
    const PaDeviceInfo* info = device != paNoDevice ? Pa_GetDeviceInfo(device) : nullptr;
    return info != nullptr ? info->defaultHighOutputLatency : fallbackLatency;
}

} // namespace

// On the desktop the game plays through PortAudio. The browser's create() is in platform/web/.
std::unique_ptr<AudioOutput> AudioOutput::create()
{
    return std::make_unique<PortAudioDevice>();
}

PortAudioDevice::~PortAudioDevice()
{
    stop();
}

void PortAudioDevice::setNumChannels(int in, int out)
{
    inputChannels = in;
    outputChannels = out;
}

bool PortAudioDevice::start()
{
    if (running)
        return false;
    // Everything the library prints while it probes the host is kept off the terminal.
    AudioHost host;
    if (Pa_Initialize() != paNoError) {
        std::cout << "PortAudioDevice Error: Could not initialise." << std::endl;
        return false;
    }

    // A missing host API would leave nothing to look at: no device, and the open below fails.
    const PaHostApiInfo* api = Pa_GetHostApiInfo(AudioHost::hostApiIndex());
    const PaDeviceIndex inputDevice = api != nullptr ? api->defaultInputDevice : paNoDevice;
    const PaDeviceIndex outputDevice = api != nullptr ? api->defaultOutputDevice : paNoDevice;

    PaStreamParameters input{};
    input.device = inputDevice;
    input.channelCount = inputChannels;
    input.sampleFormat = paFloat32;
    input.suggestedLatency = latencyFor(inputDevice);
    input.hostApiSpecificStreamInfo = nullptr;
    PaStreamParameters output = input;
    output.device = outputDevice;
    output.channelCount = outputChannels;
    output.suggestedLatency = latencyFor(outputDevice);

    if (Pa_IsFormatSupported(nullptr, &output, sampleRate) == paInvalidSampleRate) {
        std::cout << "44100Hz samplerate not supported, using 48000Hz." << std::endl;
        sampleRate = 48000.0;
        if (Pa_IsFormatSupported(nullptr, &output, sampleRate) == paInvalidSampleRate)
            std::cout << "48000Hz not supported either?" << std::endl;
    }

    const PaError opened =
        Pa_OpenStream(&stream, inputChannels >= 1 ? &input : nullptr, outputChannels > 0 ? &output : nullptr,
                      sampleRate, paFramesPerBufferUnspecified, paNoFlag, &PortAudioDevice::portAudioCallback, this);
    if (opened != paNoError) {
        std::cout << "PortAudioDevice Error: Could not open stream." << std::endl;
        stream = nullptr;
        Pa_Terminate();
        return false;
    }
    // The rate the stream really runs at, which the callback resamples to.
    if (const PaStreamInfo* info = Pa_GetStreamInfo(stream); info != nullptr && info->sampleRate > 0.0)
        sampleRate = info->sampleRate;
    if (callback != nullptr)
        callback->outputStarts(sampleRate);
    stopping.store(false, std::memory_order_relaxed);
    Pa_SetStreamFinishedCallback(stream, &PortAudioDevice::streamFinished);
    if (Pa_StartStream(stream) != paNoError) {
        std::cout << "PortAudioDevice Error: Could not start stream." << std::endl;
        Pa_CloseStream(stream);
        stream = nullptr;
        Pa_Terminate();
        return false;
    }
    running = true;
    return true;
}

void PortAudioDevice::stop()
{
    if (!running)
        return;
    AudioHost host;
    stopping.store(true, std::memory_order_relaxed);
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    Pa_Terminate();
    stream = nullptr;
    running = false;
}

void PortAudioDevice::streamFinished(void* user)
{
    // Also called when the stream is stopped on purpose; only a stream that died on its own (the
    // sound server gone mid-race) is news. The game plays on without sound.
    const auto* self = static_cast<const PortAudioDevice*>(user);
    if (!self->stopping.load(std::memory_order_relaxed))
        std::cout << "PortAudioDevice Error: The sound stopped; playing on without it." << std::endl;
}

int PortAudioDevice::portAudioCallback(const void* input, void* output, unsigned long frameCount,
                                       const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* user)
{
    PortAudioCallback* callback = user != nullptr ? static_cast<PortAudioDevice*>(user)->callback : nullptr;
    if (callback != nullptr) {
        callback->getAudio(const_cast<float*>(static_cast<const float*>(input)), static_cast<float*>(output),
                           static_cast<int>(frameCount));
    }
    return paContinue;
}
