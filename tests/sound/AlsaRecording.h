// A recording sound card for tests on machines without one: an ALSA configuration, owned by the
// test, whose default device writes every frame it is given to a file (raw 32-bit float stereo)
// over ALSA's null device. Create it before the first audio stream of the process is opened.
#pragma once

#include "SoundFixtures.h"

#include <cstddef>
#include <string>
#include <vector>

class AlsaRecording {
public:
    // The one recording device of the test program: ALSA reads its configuration once.
    static AlsaRecording& shared();

    AlsaRecording();

    // Frames written to the recording so far; each stream opened on the device starts it afresh.
    std::size_t frames() const;
    // Waits until at least n frames are written; false if that takes longer than `seconds`.
    bool waitForFrames(std::size_t n, int seconds) const;
    // The recording as interleaved stereo floats.
    std::vector<float> samples() const;

private:
    SoundFixtures::ScratchFolder folder;
    std::string recording;
};
