// One open Ogg Vorbis file and its decoder, shared by the effect bank and the music player so that
// both open files, report on them and release them the same way.
#pragma once

#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <iosfwd>
#include <string>

class VorbisFile {
public:
    VorbisFile();
    // Reports to `report` rather than to standard output.
    explicit VorbisFile(std::ostream& report) : report(&report) {}
    ~VorbisFile();
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;

    // Where the lines about this file go from now on.
    void reportTo(std::ostream& stream) { report = &stream; }

    // Opens path, or reports in one line why not; everything taken is then released and the file
    // stays closed. Success is reported by reportLoaded, once the caller has accepted the file.
    bool open(const std::string& name);
    // The "Loaded file" line, and a warning when the file's rate is not the game's.
    void reportLoaded();
    void close();
    bool isOpen() const { return file != nullptr; }

    // Length in frames of the first logical stream; 0 when the decoder cannot tell.
    std::uint64_t firstStreamFrames();

    // Decodes up to maxFrames frames. Returns the frame count (0 at the end, negative on a decoding
    // error) and points channels at one array per channel of the logical stream in `link`. After
    // an error that is not a hole in the data it reports the file once and gives nothing more.
    long read(int maxFrames, float*** channels, int* channelCount, int* link);

    bool seek(std::uint64_t frame);

private:
    std::ostream* report;
    FILE* file = nullptr;
    OggVorbis_File decoder{};
    std::string path;
    // Set by a decoding error other than a hole: the file gives nothing more.
    bool failed = false;
};
