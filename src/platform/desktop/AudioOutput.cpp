// On Linux the game plays through PortAudio.
#include "platform/AudioOutput.h"

#include "sound/PortAudioDevice.h"

std::unique_ptr<AudioOutput> AudioOutput::create()
{
    return std::make_unique<PortAudioDevice>();
}
