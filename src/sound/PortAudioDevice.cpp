// The game's audio output stream, with the 48000 frames a second fallback.
#include "sound/PortAudioDevice.h"

#include "platform/AudioHost.h"
#include "platform/PortAudioCallback.h"

#include <iostream>

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
    input.suggestedLatency = 0.0;
    input.hostApiSpecificStreamInfo = nullptr;
    PaStreamParameters output = input;
    output.device = outputDevice;
    output.channelCount = outputChannels;

    if (Pa_IsFormatSupported(nullptr, &output, sampleRate) == paInvalidSampleRate) {
        std::cout << "44100Hz samplerate not supported, using 48000Hz." << std::endl;
        sampleRate = 48000.0;
        if (Pa_IsFormatSupported(nullptr, &output, sampleRate) == paInvalidSampleRate)
            std::cout << "48000Hz not supported either?" << std::endl;
    }

    const PaError opened = Pa_OpenStream(
        &stream, inputChannels >= 1 ? &input : nullptr, outputChannels > 0 ? &output : nullptr, sampleRate,
        paFramesPerBufferUnspecified, paNoFlag, &PortAudioDevice::portAudioCallback, callback);
    if (opened != paNoError) {
        std::cout << "PortAudioDevice Error: Could not open stream." << std::endl;
        stream = nullptr;
        Pa_Terminate();
        return false;
    }
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
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    Pa_Terminate();
    stream = nullptr;
    running = false;
}

int PortAudioDevice::portAudioCallback(const void* input, void* output, unsigned long frameCount,
                                       const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* user)
{
    if (user != nullptr) {
        static_cast<PortAudioCallback*>(user)->getAudio(const_cast<float*>(static_cast<const float*>(input)),
                                                        static_cast<float*>(output), static_cast<int>(frameCount));
    }
    return paContinue;
}
