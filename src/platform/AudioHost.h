// The audio host on Linux: which PortAudio host API the game plays through, and keeping the audio
// libraries' probing chatter (ALSA and JACK complaints about missing cards and servers) off the
// player's terminal while the device is opened and closed.
#pragma once

class AudioHost {
public:
    // While an AudioHost lives, standard error is sent to /dev/null; the game's own lines go to
    // standard output and are untouched. From the first one on, the library's complaints from its
    // audio thread (a stream whose server went away) are left out of standard error for good.
    AudioHost();
    ~AudioHost();
    AudioHost(const AudioHost&) = delete;
    AudioHost& operator=(const AudioHost&) = delete;

    // There is no Core Audio here: the library's default host API stands in (ALSA on most systems).
    static int hostApiIndex();

private:
    int savedStderr = -1;
};
