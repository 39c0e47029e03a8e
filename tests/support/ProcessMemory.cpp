// Reads the second field of /proc/self/statm (resident pages) and turns it into bytes.
#include "support/ProcessMemory.h"

#include <fstream>
#include <unistd.h>

namespace ProcessMemory {

std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t total = 0;
    std::size_t resident = 0;
    if (!(statm >> total >> resident))
        return 0;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

} // namespace ProcessMemory
