// Test helpers for the sound tests: making, decoding and storing Ogg Vorbis files.
#include "SoundFixtures.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace SoundFixtures {

std::vector<unsigned char> encodeOgg(const std::vector<float>& interleaved, int channels, int rate, int serial,
                                     bool pagePerPacket)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0)
        throw std::runtime_error("vorbis_encode_init_vbr failed");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    std::vector<unsigned char> out;
    ogg_page page;
    auto pageOut = [&](bool flush) {
        while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
            out.insert(out.end(), page.header, page.header + page.header_len);
            out.insert(out.end(), page.body, page.body + page.body_len);
        }
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    pageOut(true);

    const long frames = static_cast<long>(interleaved.size()) / channels;
    for (long done = 0, chunk = 1; chunk > 0; done += chunk) {
        chunk = std::min<long>(1024, frames - done);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(chunk));
        for (long i = 0; i < chunk; ++i)
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = interleaved[static_cast<std::size_t>((done + i) * channels + c)];
        vorbis_analysis_wrote(&dsp, static_cast<int>(chunk)); // 0 ends the stream
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                pageOut(pagePerPacket);
            }
        }
    }
    pageOut(true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeOgg(const std::string& path, const std::vector<float>& interleaved)
{
    writeBytes(path, encodeOgg(interleaved, 2));
}

std::vector<float> samplesOf(const Sounds::SoundFile& file)
{
    return std::vector<float>(file.samples.get(), file.samples.get() + 2 * file.frames);
}

std::vector<float> decodeFirstStream(const std::string& path)
{
    std::vector<float> out;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0)
        return out;
    ov_pcm_seek(&vf, 0); // names the right logical stream from the first frame on
    for (;;) {
        float** pcm = nullptr;
        int link = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &link);
        if (n == 0 || link > 0)
            break;
        if (n < 0)
            continue;
        const int channels = ov_info(&vf, link)->channels;
        for (long j = 0; j < n; ++j) {
            out.push_back(pcm[0][j]);
            out.push_back(channels > 1 ? pcm[1][j] : pcm[0][j]);
        }
    }
    ov_clear(&vf);
    return out;
}

std::vector<float> testSignal(int frames, int seed, int channels)
{
    std::vector<float> out;
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double freq = 220.0 * (1 + seed % 7) + 110.0 * c;
            const double level = 0.2 + 0.05 * (seed % 5) + 0.05 * c;
            out.push_back(static_cast<float>(level * std::cos(2.0 * pi * freq * i / 44100.0)));
        }
    }
    return out;
}

void ExpectedMusic::check(const std::vector<float>& block, int frames)
{
    const std::size_t length = file.size() / 2;
    for (int i = 0; i < frames; ++i, ++frame) {
        const std::size_t at = frame % length;
        ASSERT_EQ(block[2 * i], file[2 * at] * gain * 0.5f) << "frame " << frame;
        ASSERT_EQ(block[2 * i + 1], file[2 * at + 1] * gain * 0.5f) << "frame " << frame;
        if (gain < 1.0f)
            gain += 0.000001f;
    }
}

} // namespace SoundFixtures
