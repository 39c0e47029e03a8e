// The audio host on Linux: PortAudio's default host API, quiet probing, and a standard error that
// leaves out PortAudio's complaints from its audio thread.
#include "platform/AudioHost.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// PortAudio's line for a failed call inside the library, as its ALSA host prints one when the
// sound server goes away under a running stream: "Expression '...' failed in '...', line: 3665".
bool isLibraryComplaint(std::string_view line)
{
    return line.starts_with("Expression '") && line.find("' failed in '") != std::string_view::npos;
}

ssize_t writeWithoutComplaints(void*, const char* data, std::size_t size)
{
    std::string_view rest(data, size);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        while (!isLibraryComplaint(line) && !line.empty()) {
            const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
            if (written <= 0)
                break;
            line.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    return static_cast<ssize_t>(size);
}

// The library prints through the C library's stderr, which glibc lets a program replace: from the
// first stream on, it is an unbuffered stream (one write for each print, as stderr's own) onto the
// same file descriptor that drops those lines. Everything else, and whatever is written to the
// descriptor itself (a sanitizer's report), reaches standard error as before.
void filterLibraryComplaints()
{
    static const bool installed = [] {
        cookie_io_functions_t io{};
        io.write = &writeWithoutComplaints;
        std::FILE* filtered = fopencookie(nullptr, "w", io);
        if (filtered == nullptr)
            return false;
        std::setvbuf(filtered, nullptr, _IONBF, 0);
        std::fflush(stderr);
        stderr = filtered;
        return true;
    }();
    (void)installed;
}

} // namespace

AudioHost::AudioHost()
{
    // ALSA prints from the audio thread too (underruns), so its handler stays off for good.
    snd_lib_error_set_handler(&ignoreAlsaError);
    // A missing JACK server is not worth starting one for a game.
    setenv("JACK_NO_START_SERVER", "1", 0);
    filterLibraryComplaints();
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
