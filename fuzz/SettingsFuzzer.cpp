// Feeds arbitrary bytes to the settings file reader: it must never stall, crash or read past a line.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/ConfigLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader alone: building a ConfigLoader would touch the player's home folder.
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const ConfigLoader config(in);
    (void)config;
    return 0;
}
