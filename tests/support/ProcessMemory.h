// The test process's own resident memory, for checks that long play does not make it grow.
#pragma once

#include <cstddef>

namespace ProcessMemory {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers hold freed memory back for a while to catch late uses, so the resident size
// grows under them whatever the game does; it is printed but not judged there.
constexpr bool residentSizeIsTelling = false;
#else
constexpr bool residentSizeIsTelling = true;
#endif

// Resident bytes, from /proc/self/statm; 0 where that cannot be read.
std::size_t residentBytes();

} // namespace ProcessMemory
