// The browser's audio output: Emscripten's SDL takes the mixer's floats as they are.
#include "platform/sdl/SdlAudioOutput.h"

#include <SDL/SDL.h>

std::unique_ptr<AudioOutput> AudioOutput::create()
{
    return std::make_unique<SdlAudioOutput>(AUDIO_F32);
}
