// Test helpers for the sound tests: Ogg Vorbis files made on the spot, decoding them the plain way
// for comparison, and what the music player should add to a block.
#pragma once

#include "sound/Sounds.h"
#include "support/TempHome.h"

#include <string>
#include <vector>

namespace SoundFixtures {

// A temporary folder (and HOME) for sound files, named as the game names its sounds folder: with a
// slash at the end.
struct ScratchFolder : TempHome {
    std::string folder() const { return path() + "/"; }
    std::string file(const std::string& name) const { return folder() + name; }
};

// Encodes interleaved samples (channels per frame) as one Ogg Vorbis stream; pagePerPacket makes
// many small pages instead of a few large ones.
std::vector<unsigned char> encodeOgg(const std::vector<float>& interleaved, int channels, int rate = 44100,
                                     int serial = 1, bool pagePerPacket = false);
// Writes stereo at 44100 frames a second.
void writeOgg(const std::string& path, const std::vector<float>& interleaved);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readBytes(const std::string& path);

// Every frame of the file's first logical stream as interleaved stereo (one channel played on
// both sides), decoded directly with libvorbisfile.
std::vector<float> decodeFirstStream(const std::string& path);

// The frames of a decoded effect, interleaved.
std::vector<float> samplesOf(const Sounds::SoundFile& file);

// A recognisable stereo signal: a tone whose pitch and level depend on `seed`, different on the
// two sides, starting at full level so that its first frames are clearly not silence.
std::vector<float> testSignal(int frames, int seed, int channels = 2);

// What the music player should add for each frame: the decoded file looped, times the gain (rising
// by a millionth a frame from zero), times one half.
class ExpectedMusic {
public:
    explicit ExpectedMusic(std::vector<float> decoded) : file(std::move(decoded)) {}
    // Checks the next `frames` frames of the music against `block`.
    void check(const std::vector<float>& block, int frames);
    std::size_t frames() const { return frame; }

private:
    std::vector<float> file;
    std::size_t frame = 0;
    float gain = 0.0f;
};

} // namespace SoundFixtures
