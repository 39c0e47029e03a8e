// One open Ogg Vorbis file and its decoder, with the game's messages about opening it.
#include "sound/VorbisFile.h"

#include <cstdio>
#include <iostream>

VorbisFile::~VorbisFile()
{
    close();
}

bool VorbisFile::open(const std::string& path)
{
    close();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        std::cout << "vorbisfile: fopen could not open file: " << path << std::endl;
        return false;
    }
    // On failure ov_open leaves the file to us.
    if (ov_open(f, &decoder, nullptr, 0) < 0) {
        std::cout << "vorbisfile: Could not open file: " << path << std::endl;
        std::fclose(f);
        return false;
    }
    if (ov_streams(&decoder) <= 0) {
        ov_clear(&decoder);
        std::cout << "vorbisfile: There are no streams in this file?" << std::endl;
        return false;
    }
    file = f;
    std::cout << "vorbisfile: Loaded file: " << path << std::endl;
    return true;
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
    if (file == nullptr) {
        return 0;
    }
    const ogg_int64_t total = ov_pcm_total(&decoder, 0);
    return total > 0 ? static_cast<std::uint64_t>(total) : 0;
}

long VorbisFile::read(int maxFrames, float*** channels, int* channelCount, int* link)
{
    if (file == nullptr) {
        return 0;
    }
    const long n = ov_read_float(&decoder, channels, maxFrames, link);
    if (n > 0) {
        const vorbis_info* info = ov_info(&decoder, *link);
        *channelCount = info != nullptr ? info->channels : 0;
    }
    return n;
}

bool VorbisFile::seek(std::uint64_t frame)
{
    return file != nullptr && ov_pcm_seek(&decoder, static_cast<ogg_int64_t>(frame)) == 0;
}
