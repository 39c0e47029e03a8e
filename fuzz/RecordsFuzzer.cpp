// Feeds arbitrary bytes to the records file's reader: it must never crash or read past the text,
// and whatever it takes must be in range and write back as exactly the bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/RecordsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<Records::Best> best = RecordsFile::parse(text);
    if (!best)
        return 0;
    if (best->crushed < 0 || best->races < 0 || best->crushed > RecordsFile::largest ||
        best->races > RecordsFile::largest || RecordsFile::format(*best) != text)
        std::abort();
    return 0;
}
