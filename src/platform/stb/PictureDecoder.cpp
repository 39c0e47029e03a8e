// stb_image decodes in the browser and on Windows: Emscripten's SDL_image goes through a canvas and
// its surfaces cannot be locked while OpenGL draws, and on Windows it spares shipping SDL_image and
// its codecs. stb reports how many channels the picture held, which decides, as SDL_image's surface
// format does on Linux, whether the game takes it.
#include "platform/PictureDecoder.h"

#include <climits>
#include <cstring>

#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STB_IMAGE_IMPLEMENTATION
#define STBI_MAX_DIMENSIONS 4096
#include <stb_image.h>

namespace {

// stb always hands back four channels when asked; a grey or grey-alpha picture is one SDL_image
// would give as eight or sixteen bits a pixel, which the game does not take.
DecodedPicture fromStb(stbi_uc* pixels, int width, int height, int channels)
{
    DecodedPicture result;
    if (pixels == nullptr)
        return result;
    result.width = static_cast<std::uint32_t>(width);
    result.height = static_cast<std::uint32_t>(height);
    result.bytesPerPixel = channels;
    if (channels == 3 || channels == 4) {
        const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        result.rgba.reset(new unsigned char[size]);
        std::memcpy(result.rgba.get(), pixels, size);
    }
    stbi_image_free(pixels);
    return result;
}

} // namespace

DecodedPicture PictureDecoder::fromMemory(const unsigned char* data, std::uint32_t length, const char*)
{
    if (length > static_cast<std::uint32_t>(INT_MAX))
        return {};
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(length), &width, &height, &channels, 4);
    return fromStb(pixels, width, height, channels);
}

DecodedPicture PictureDecoder::fromFile(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    return fromStb(pixels, width, height, channels);
}
