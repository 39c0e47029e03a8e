// One open Ogg Vorbis file and its decoder, with the game's messages about opening it.
#include "sound/VorbisFile.h"

#include "sound/VorbisSetupCheck.h"

#include <cstdio>
#include <iostream>

namespace {

// The rate the game's audio stream asks for.
constexpr long gameRate = 44100;

} // namespace

VorbisFile::VorbisFile() : report(&std::cout) {}

VorbisFile::~VorbisFile()
{
    close();
}

bool VorbisFile::open(const std::string& name)
{
    close();
    FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) {
        *report << "vorbisfile: fopen could not open file: " << name << std::endl;
        return false;
    }
    // On failure ov_open leaves the file to us. A file the decoder would crash on is refused as
    // if it were no Ogg Vorbis file at all.
    if (!VorbisSetupCheck::codebooksUsable(f) || ov_open(f, &decoder, nullptr, 0) < 0) {
        *report << "vorbisfile: Could not open file: " << name << std::endl;
        std::fclose(f);
        return false;
    }
    if (ov_streams(&decoder) <= 0) {
        ov_clear(&decoder);
        *report << "vorbisfile: There are no streams in this file?" << std::endl;
        return false;
    }
    file = f;
    failed = false;
    path = name;
    return true;
}

void VorbisFile::reportLoaded()
{
    if (file == nullptr)
        return;
    *report << "vorbisfile: Loaded file: " << path << std::endl;
    // Nothing is resampled: a file at another rate plays all the same, at the wrong speed and pitch.
    const vorbis_info* info = ov_info(&decoder, 0);
    if (info != nullptr && info->rate != gameRate) {
        *report << "vorbisfile: File is at " << info->rate << " frames a second, not " << gameRate
                << ", and will sound " << (info->rate < gameRate ? "faster" : "slower") << ": " << path << std::endl;
    }
}

void VorbisFile::close()
{
    if (file != nullptr) {
        ov_clear(&decoder); // also closes the file
        file = nullptr;
    }
}

std::uint64_t VorbisFile::firstStreamFrames()
{
    if (file == nullptr)
        return 0;
    const ogg_int64_t total = ov_pcm_total(&decoder, 0);
    return total > 0 ? static_cast<std::uint64_t>(total) : 0;
}

long VorbisFile::read(int maxFrames, float*** channels, int* channelCount, int* link)
{
    if (file == nullptr)
        return 0;
    if (failed)
        return 0;
    const long n = ov_read_float(&decoder, channels, maxFrames, link);
    if (n < 0 && n != OV_HOLE) {
        // A decoder that could not set itself up for a stream must not be asked again: libvorbis
        // 1.3.7 then decodes with half-made codebooks and divides by zero. A hole (a lost page)
        // is harmless; decoding goes on after it.
        failed = true;
        *report << "vorbisfile: Could not decode file: " << path << std::endl;
    }
    if (n > 0) {
        const vorbis_info* info = ov_info(&decoder, *link);
        *channelCount = info != nullptr ? info->channels : 0;
    }
    return n;
}

bool VorbisFile::seek(std::uint64_t frame)
{
    return file != nullptr && !failed && ov_pcm_seek(&decoder, static_cast<ogg_int64_t>(frame)) == 0;
}
