// Walks the codebooks of each setup header (the third header packet of every logical stream) as the
// Vorbis I format lays them out, looking only at their dimensions.
#include "sound/VorbisSetupCheck.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

int bitsFor(long value)
{
    int bits = 0;
    for (; value > 0; value >>= 1)
        ++bits;
    return bits;
}

// r to the power `dimensions`, stopping early once it passes `limit`.
long long powerUpTo(long long r, long dimensions, long long limit)
{
    long long power = 1;
    for (long d = 0; d < dimensions && power <= limit; ++d)
        power *= r;
    return power;
}

// The largest r with r^dimensions <= entries, as the format sizes a lattice lookup table.
long long latticeValues(long entries, long dimensions)
{
    if (entries < 1)
        return 0;
    auto r = static_cast<long long>(std::floor(std::pow(static_cast<double>(entries), 1.0 / dimensions)));
    while (r > 1 && powerUpTo(r, dimensions, entries) > entries)
        --r;
    while (powerUpTo(r + 1, dimensions, entries) <= entries)
        ++r;
    return r;
}

// Skips `bits` bits; false when the packet ends first.
bool skipBits(oggpack_buffer* in, long long bits)
{
    constexpr long long step = 1 << 24;
    for (; bits > 0; bits -= step) {
        oggpack_adv(in, static_cast<int>(bits < step ? bits : step));
        if (oggpack_look1(in) < 0)
            return false;
    }
    return true;
}

} // namespace

bool VorbisSetupCheck::setupUsable(const unsigned char* packet, long bytes)
{
    if (bytes < 8 || packet[0] != 5 || std::memcmp(packet + 1, "vorbis", 6) != 0)
        return true; // not a setup header: the decoder will say so
    oggpack_buffer in;
    oggpack_readinit(&in, const_cast<unsigned char*>(packet + 7), bytes - 7);
    const long books = oggpack_read(&in, 8) + 1;
    for (long book = 0; book < books; ++book) {
        if (oggpack_read(&in, 24) != 0x564342)
            return true; // broken beyond this point; the decoder refuses it
        const long dimensions = oggpack_read(&in, 16);
        const long entries = oggpack_read(&in, 24);
        if (dimensions < 0 || entries < 0)
            return true;
        if (dimensions == 0)
            return false;
        // The codeword lengths must make a whole prefix code, as the decoder's codebook set-up
        // demands: their Kraft sum, in units of 2^-32, exactly 2^32. One entry of length 1 is the
        // one exception it allows.
        std::uint64_t kraft = 0;
        long usedEntries = 0;
        long lastLength = 0;
        if (oggpack_read(&in, 1) == 1) { // lengths given as runs
            long entry = 0;
            long length = oggpack_read(&in, 5) + 1;
            while (entry < entries) {
                const long run = oggpack_read(&in, bitsFor(entries - entry));
                if (run < 0 || length > 32)
                    return run < 0;
                entry += run;
                usedEntries += run;
                lastLength = length;
                kraft += static_cast<std::uint64_t>(run) << (32 - length);
                ++length;
            }
        } else {
            const bool sparse = oggpack_read(&in, 1) == 1;
            for (long entry = 0; entry < entries; ++entry) {
                const long used = sparse ? oggpack_read(&in, 1) : 1;
                if (used < 0)
                    return true;
                if (used == 0)
                    continue;
                const long length = oggpack_read(&in, 5) + 1;
                if (length <= 0)
                    return true;
                ++usedEntries;
                lastLength = length;
                kraft += std::uint64_t{1} << (32 - length);
            }
        }
        if (kraft != (std::uint64_t{1} << 32) && !(usedEntries == 1 && lastLength == 1))
            return false;
        const long lookup = oggpack_read(&in, 4);
        if (lookup == 1 || lookup == 2) {
            oggpack_read(&in, 32); // minimum
            oggpack_read(&in, 32); // delta
            const long valueBits = oggpack_read(&in, 4) + 1;
            oggpack_read(&in, 1);
            const long long values =
                lookup == 1 ? latticeValues(entries, dimensions) : static_cast<long long>(entries) * dimensions;
            if (!skipBits(&in, values * valueBits))
                return true;
        } else if (lookup != 0) {
            return true;
        }
    }
    return true;
}

namespace {

// Reads pages in order from the start of `data`, as the decoder does once it has sought there, and
// checks the setup header of the logical stream whose first page starts right there. True when the
// data starts with no such page.
bool streamStartingHereUsable(const unsigned char* data, std::size_t size)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    ogg_stream_state stream{};
    bool started = false;
    bool usable = true;
    bool checked = false;
    int packets = 0;
    std::size_t fed = 0;
    while (!checked) {
        ogg_page page;
        const int result = ogg_sync_pageout(&sync, &page);
        if (result == 0) {
            if (fed >= size)
                break;
            const std::size_t chunk = std::min<std::size_t>(4096, size - fed);
            std::memcpy(ogg_sync_buffer(&sync, static_cast<long>(chunk)), data + fed, chunk);
            ogg_sync_wrote(&sync, static_cast<long>(chunk));
            fed += chunk;
            continue;
        }
        if (!started) {
            // No whole page here, or one that does not begin a stream: nothing starts at this spot.
            if (result < 0 || !ogg_page_bos(&page))
                break;
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            started = true;
        }
        if (result < 0 || ogg_page_serialno(&page) != stream.serialno)
            continue;
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (!checked && ogg_stream_packetout(&stream, &packet) > 0) {
            if (++packets == 3) {
                usable = VorbisSetupCheck::setupUsable(packet.packet, packet.bytes);
                checked = true;
            }
        }
    }
    if (started)
        ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
    return usable;
}

} // namespace

bool VorbisSetupCheck::codebooksUsable(std::FILE* file)
{
    std::vector<unsigned char> data;
    unsigned char buffer[4096];
    for (std::size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        data.insert(data.end(), buffer, buffer + got);
    std::rewind(file);
    // The decoder seeks about the file to find where each stream begins, and reads on from any page
    // it lands on, even one hidden inside another page's data: every place a page could start is
    // a place a stream's headers could be read from.
    static constexpr unsigned char capture[] = {'O', 'g', 'g', 'S'};
    for (auto found = data.begin();; ++found) {
        found = std::search(found, data.end(), std::begin(capture), std::end(capture));
        if (found == data.end())
            return true;
        const auto at = static_cast<std::size_t>(found - data.begin());
        if (!streamStartingHereUsable(data.data() + at, data.size() - at))
            return false;
    }
    return true;
}
