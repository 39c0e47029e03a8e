// Mends the checksums of the Ogg pages in a fuzz input. A page whose checksum fails is skipped
// whole, so nearly every random change to a sound file would only ever test that one check.
#pragma once

#include <cstddef>
#include <cstdint>

namespace OggChecksums {

// Sets the checksum of every complete page found in data[0, size).
void mend(std::uint8_t* data, std::size_t size);

} // namespace OggChecksums
