// Test helpers for the sound tests: Ogg Vorbis files made on the spot, decoding them the plain way
// for comparison, and a scratch folder that cleans up after itself.
#pragma once

#include <string>
#include <vector>

namespace SoundFixtures {

// A folder under /tmp, removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path followed by a slash, the way the game names its sounds folder.
    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + name; }

private:
    std::string folder;
};

// Encodes interleaved samples (channels per frame) as one Ogg Vorbis stream; pagePerPacket makes
// many small pages instead of a few large ones.
std::vector<unsigned char> encodeOgg(const std::vector<float>& interleaved, int channels, int rate = 44100,
                                     int serial = 1, bool pagePerPacket = false);
void writeOgg(const std::string& path, const std::vector<float>& interleaved, int channels, int rate = 44100,
              int serial = 1);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readBytes(const std::string& path);

// Every frame of the file's first logical stream as interleaved stereo (one channel played on
// both sides), decoded directly with libvorbisfile.
std::vector<float> decodeFirstStream(const std::string& path);

// A recognisable stereo signal: a tone whose pitch and level depend on `seed`, different on the
// two sides, starting at full level so that its first frames are clearly not silence.
std::vector<float> testSignal(int frames, int seed, int channels = 2);

} // namespace SoundFixtures
