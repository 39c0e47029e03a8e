// A recording sound card for tests on machines without one: an ALSA configuration, owned by the
// test, whose default device writes every frame it is given to a file (raw 32-bit float stereo)
// over ALSA's null device. Create it before the first audio stream of the process is opened.
#pragma once

#include "SoundFixtures.h"

#include <SDL/SDL.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

class AlsaRecording {
public:
    // The one recording device of the test program: ALSA reads its configuration once.
    static AlsaRecording& shared()
    {
        static AlsaRecording card;
        return card;
    }

    // Frames written to the recording so far; each stream opened on the device starts it afresh.
    std::size_t frames() const
    {
        struct stat info {};
        return stat(recording.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) / (2 * sizeof(float)) : 0;
    }

    // Waits until at least n frames are written; false if that takes longer than `seconds`.
    bool waitForFrames(std::size_t n, int seconds) const
    {
        for (int waited = 0; frames() < n; waited += 10, SDL_Delay(10))
            if (waited >= seconds * 1000)
                return false;
        return true;
    }

    // The recording as interleaved stereo floats.
    std::vector<float> samples() const
    {
        std::ifstream in(recording, std::ios::binary);
        std::vector<float> out(frames() * 2);
        in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size() * sizeof(float)));
        out.resize(static_cast<std::size_t>(in.gcount()) / sizeof(float));
        return out;
    }

private:
    AlsaRecording() : recording(folder.file("recording.raw"))
    {
        const std::string config = folder.file("asound.conf");
        std::ofstream(config) << "pcm.!default { type file slave.pcm \"recorder_null\" file \"" << recording
                              << "\" format \"raw\" }\npcm.recorder_null { type null }\n";
        setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
    }

    SoundFixtures::ScratchFolder folder;
    std::string recording;
};
