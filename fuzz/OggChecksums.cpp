// Ogg page checksums: CRC-32 with polynomial 0x04c11db7, no reflection, starting from zero, over
// the whole page with its own checksum field taken as zero.
#include "OggChecksums.h"

#include <array>
#include <cstring>

namespace {

std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t r = i << 24;
        for (int bit = 0; bit < 8; ++bit) {
            r = (r & 0x80000000u) != 0 ? (r << 1) ^ 0x04c11db7u : r << 1;
        }
        table[i] = r;
    }
    return table;
}

std::uint32_t checksum(const std::uint8_t* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = makeTable();
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xff];
    }
    return crc;
}

} // namespace

void OggChecksums::mend(std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t fixedHeader = 27;
    for (std::size_t at = 0; at + fixedHeader <= size; ++at) {
        if (std::memcmp(data + at, "OggS", 4) != 0) {
            continue;
        }
        const std::size_t segments = data[at + 26];
        if (at + fixedHeader + segments > size) {
            return;
        }
        std::size_t length = fixedHeader + segments;
        for (std::size_t s = 0; s < segments; ++s) {
            length += data[at + fixedHeader + s];
        }
        if (at + length > size) {
            return;
        }
        std::memset(data + at + 22, 0, 4);
        const std::uint32_t crc = checksum(data + at, length);
        for (int i = 0; i < 4; ++i) {
            data[at + 22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
        }
        at += length - 1;
    }
}

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// The sound fuzzers' mutator: libFuzzer's own changes, then, three times in four, the checksums
// mended so that the change reaches the decoder; the fourth keeps the checksum test in play.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed)
{
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 4 != 0) {
        OggChecksums::mend(data, size);
    }
    return size;
}
