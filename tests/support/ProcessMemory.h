// The test process's own resident memory, for checks that long play does not make it grow.
#pragma once

#include <cstddef>

namespace ProcessMemory {

// Resident bytes, from /proc/self/statm; 0 where that cannot be read.
std::size_t residentBytes();

} // namespace ProcessMemory
