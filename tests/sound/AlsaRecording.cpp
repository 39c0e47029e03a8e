// A recording sound card for tests: ALSA's file plugin over its null device.
#include "AlsaRecording.h"

#include <SDL/SDL.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

AlsaRecording& AlsaRecording::shared()
{
    static AlsaRecording card;
    return card;
}

AlsaRecording::AlsaRecording() : recording(folder.file("recording.raw"))
{
    const std::string config = folder.file("asound.conf");
    std::ofstream(config) << "pcm.!default { type file slave.pcm \"recorder_null\" file \"" << recording
                          << "\" format \"raw\" }\npcm.recorder_null { type null }\n";
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}

std::size_t AlsaRecording::frames() const
{
    struct stat info {};
    if (stat(recording.c_str(), &info) != 0)
        return 0;
    return static_cast<std::size_t>(info.st_size) / (2 * sizeof(float));
}

bool AlsaRecording::waitForFrames(std::size_t n, int seconds) const
{
    for (int waited = 0; frames() < n; waited += 10) {
        if (waited >= seconds * 1000)
            return false;
        SDL_Delay(10);
    }
    return true;
}

std::vector<float> AlsaRecording::samples() const
{
    std::ifstream in(recording, std::ios::binary);
    std::vector<float> out(frames() * 2);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size() * sizeof(float)));
    out.resize(static_cast<std::size_t>(in.gcount()) / sizeof(float));
    return out;
}
