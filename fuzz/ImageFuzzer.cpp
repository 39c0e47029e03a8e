// Feeds arbitrary bytes to the in-memory picture decoder that turns embedded files into pixels.
#include <cstddef>
#include <cstdint>

#include "draw/ImageLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1u << 20)
        return 0;
    ImageLoader loader;
    const LoadedImage image = loader.loadImage(data, static_cast<std::uint32_t>(size));
    if (image.pixels != nullptr && image.width > 0 && image.height > 0) {
        // Touch the last byte so a buffer shorter than width * height * 4 is caught.
        volatile unsigned char last = image.pixels[static_cast<std::size_t>(image.width) * image.height * 4 - 1];
        (void)last;
    }
    return 0;
}
