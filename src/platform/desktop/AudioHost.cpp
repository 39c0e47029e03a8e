// The audio host on Linux: PortAudio's default host API, and quiet probing.
#include "platform/AudioHost.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

AudioHost::AudioHost()
{
    // ALSA prints from the audio thread too (underruns), so its handler stays off for good.
    snd_lib_error_set_handler(&ignoreAlsaError);
    // A missing JACK server is not worth starting one for a game.
    setenv("JACK_NO_START_SERVER", "1", 0);
    std::fflush(stderr);
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull < 0)
        return;
    savedStderr = ::dup(STDERR_FILENO);
    if (savedStderr >= 0)
        ::dup2(devNull, STDERR_FILENO);
    ::close(devNull);
}

AudioHost::~AudioHost()
{
    if (savedStderr >= 0) {
        std::fflush(stderr);
        ::dup2(savedStderr, STDERR_FILENO);
        ::close(savedStderr);
    }
}

int AudioHost::hostApiIndex()
{
    return Pa_GetDefaultHostApi();
}
