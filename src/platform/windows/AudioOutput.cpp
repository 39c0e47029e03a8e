// Windows' audio output: SDL 1.2 has no float samples, so the mixer's floats go out as 16-bit ones.
#include "platform/sdl/SdlAudioOutput.h"

#include <SDL/SDL.h>

std::unique_ptr<AudioOutput> AudioOutput::create()
{
    return std::make_unique<SdlAudioOutput>(AUDIO_S16SYS);
}
