// The test process's own resident memory, for checks that long play does not make it grow.
#pragma once

#include <cstddef>
#include <fstream>
#include <unistd.h>

namespace ProcessMemory {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers hold freed memory back for a while to catch late uses, so the resident size
// grows under them whatever the game does; it is printed but not judged there.
constexpr bool residentSizeIsTelling = false;
#else
constexpr bool residentSizeIsTelling = true;
#endif

// Resident bytes, the second field of /proc/self/statm in pages; 0 where that cannot be read.
inline std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t total = 0;
    std::size_t resident = 0;
    if (!(statm >> total >> resident))
        return 0;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

} // namespace ProcessMemory
