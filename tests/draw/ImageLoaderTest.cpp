// Decoding the embedded pictures: formats, messages, garbage, and the whole catalogue's sizes.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "draw/ImageLoader.h"
#include "draw/assets/Fonts.h"
#include "draw/assets/Images.h"
#include "support/CaptureStdout.h"

namespace {

// A picture decoded from memory, with what the loader printed meanwhile.
struct Decoded : LoadedImage {
    std::string output;
};

Decoded decode(const unsigned char* data, unsigned int length)
{
    CaptureStdout capture;
    LoadedImage image = ImageLoader().loadImage(data, length);
    return Decoded{std::move(image), capture.text()};
}

// The sides a PNG states in its header: big-endian at bytes 16 and 20.
std::uint32_t pngSide(const unsigned char* data, int at)
{
    return static_cast<std::uint32_t>(data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]);
}

// A 4 by 4 grey PNG: one byte a pixel, which SDL_image decodes but the drawers cannot use.
const unsigned char greyPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00, 0x8C, 0x9A, 0xC1, 0xA2, 0x00, 0x00, 0x00, 0x10, 0x49,
    0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x6C, 0x60, 0x60, 0x60, 0x60, 0x62, 0x40, 0x21, 0x00, 0x09, 0xE4, 0x00, 0x88,
    0xBA, 0x17, 0xE1, 0xD0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Writes a BMP to memory: a format SDL_image knows, but not one the game embeds.
std::vector<unsigned char> bitmap(int width, int height, int bitsPerPixel)
{
    // With an alpha mask, 32-bit pictures are saved, and read back, as 32-bit.
    const Uint32 alpha = bitsPerPixel == 32 ? 0xFF000000 : 0;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bitsPerPixel, alpha ? 0xFF0000 : 0,
                                                alpha ? 0xFF00 : 0, alpha ? 0xFF : 0, alpha);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * 4 + 4096);
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_SaveBMP_RW(surface, out, 0);
    bytes.resize(static_cast<std::size_t>(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return bytes;
}

} // namespace

TEST(ImageLoader, EveryEmbeddedFileDecodesAtTheSizeItStates)
{
    // tools/check_assets.py holds what each size must be; here the decoder must keep it.
    std::vector<Images::File> files(Images::all, Images::all + Images::count);
    for (const Fonts::File& glyph : Fonts::all)
        files.push_back({glyph.name, glyph.data, glyph.length});
    for (const Images::File& file : files) {
        SCOPED_TRACE(file.name);
        const Decoded image = decode(file.data, file.length);
        ASSERT_NE(image.pixels, nullptr);
        const bool jpeg = std::string(file.name) == "background_jpg";
        EXPECT_EQ(image.width, jpeg ? 1024u : pngSide(file.data, 16)); // the background fills the window
        EXPECT_EQ(image.height, jpeg ? 768u : pngSide(file.data, 20));
        EXPECT_EQ(image.output, jpeg ? "ImageLoader: Image 24bit.  Assuming 24bit RGB format.\n" : "");
        // A JPEG has no alpha: it comes out opaque. Glyphs are white shapes on clear pixels with
        // the top-left clear: the alpha comes last.
        const bool glyph = std::string_view(file.name).starts_with("font");
        int inked = 0;
        for (std::size_t i = 0; i < std::size_t{image.width} * image.height; ++i) {
            const unsigned char* pixel = &image.pixels[i * 4];
            inked += pixel[3] != 0;
            ASSERT_TRUE(!jpeg || pixel[3] == 255) << i;
            ASSERT_TRUE(!glyph || pixel[3] == 0 || std::min({pixel[0], pixel[1], pixel[2]}) == 255) << i;
        }
        EXPECT_TRUE(!glyph || (image.pixels[3] == 0 && inked > 100)) << inked;
    }
    EXPECT_EQ(files.size(), 77u);
}

TEST(ImageLoader, DamagedOrForeignDataGivesANullImage)
{
    const std::vector<unsigned char> hurdle(Images::hurdle_png, Images::hurdle_png + Images::hurdle_png_length);
    ASSERT_NE(decode(hurdle.data(), static_cast<unsigned int>(hurdle.size())).pixels, nullptr);
    const auto changed = [&hurdle](std::initializer_list<std::pair<std::size_t, unsigned char>> bytes) {
        std::vector<unsigned char> copy = hurdle;
        for (const auto& [at, value] : bytes)
            copy[at] = value;
        return copy;
    };
    const std::size_t secondChunk = 8 + 12 + 13;
    const unsigned char garbage[] = "this is neither a PNG nor a JPEG, just words";
    // 27 bytes of BMP header asking for 2048 by 256 pixels that are not there: SDL allocated and
    // cleared the whole picture before finding the data missing.
    const unsigned char hollow[] = {0x42, 0x4D, 0xF6, 0x00, 0xFE, 0xFF, 0xFF, 0xB9, 0x00, 0x02, 0x04, 0x00, 0x9B, 0xFC,
                                    0x28, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x18};
    const struct {
        const char* what;
        std::vector<unsigned char> data;
        const char* output = "";
    } cases[] = {
        {"words", {garbage, garbage + sizeof garbage}},
        {"a PNG cut short", {Images::story_png, Images::story_png + 40}},
        // libpng would read on far past the data (a second here, minutes for some of the fuzzer's finds).
        {"the chunk after the header claiming two gigabytes", changed({{secondChunk, 0x7F}, {secondChunk + 1, 0xFF}})},
        {"a header asking for 4097 pixels, one more than any picture may have",
         changed({{16, 0x00}, {17, 0x00}, {18, 0x10}, {19, 0x01}})},
        {"no end chunk, as in a cut-off file", {hurdle.begin(), hurdle.end() - 12}},
        // SDL_image's other decoders never see embedded data.
        {"a whole, sound BMP", bitmap(8, 8, 32)},
        {"a BMP header alone", {hollow, hollow + sizeof hollow}},
        {"a JPEG's start marker alone", {0xFF, 0xD8}},
        {"a PNG signature with one byte changed", changed({{1, 'Q'}})},
        {"a grey PNG", {greyPng, greyPng + sizeof greyPng}, "ImageLoader: Image not 32bits.\n"},
    };
    for (const auto& c : cases) {
        const Decoded image = decode(c.data.data(), static_cast<unsigned int>(c.data.size()));
        EXPECT_EQ(image.pixels, nullptr) << c.what;
        EXPECT_EQ(image.width, 0u) << c.what;
        EXPECT_EQ(image.height, 0u) << c.what;
        EXPECT_EQ(image.output, c.output) << c.what;
    }
    EXPECT_EQ(decode(nullptr, 0).pixels, nullptr);

    // A JPEG frame header asking for huge sides is refused before decoding.
    const std::vector<unsigned char> background(Images::background_jpg,
                                                Images::background_jpg + Images::background_jpg_length);
    // Where the frame header gives the sides, found by walking the segments.
    std::size_t frame = 2;
    while (frame + 4 < background.size() && !(background[frame + 1] >= 0xC0 && background[frame + 1] <= 0xC2))
        frame += 2 + (background[frame + 2] << 8 | background[frame + 3]);
    ASSERT_LT(frame + 9, background.size());
    ASSERT_EQ(background[frame + 5] << 8 | background[frame + 6], 768);

    // 52992 rows of 1024: libjpeg would decode 160 megapixels from this 4-byte change.
    std::vector<unsigned char> tall = background;
    tall[frame + 5] = 0xCF;
    tall[frame + 6] = 0x00;
    EXPECT_EQ(decode(tall.data(), static_cast<unsigned int>(tall.size())).pixels, nullptr);

    // Padding bytes before a marker are allowed, as the decoder allows them.
    std::vector<unsigned char> padded = background;
    padded.insert(padded.begin() + static_cast<std::ptrdiff_t>(frame), {0xFF, 0xFF});
    const Decoded image = decode(padded.data(), static_cast<unsigned int>(padded.size()));
    EXPECT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.height, 768u);
}

TEST(ImageLoader, PictureFilesOfAnyFormatUpTo4096Wide)
{
    const std::string path = ::testing::TempDir() + "/brickwrath-picture";
    const auto load = [&](const std::vector<unsigned char>& bytes) {
        FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        CaptureStdout quiet;
        return ImageLoader().loadImage(path);
    };
    const LoadedImage glyph = load({Fonts::fontq_png, Fonts::fontq_png + Fonts::fontq_png_length});
    EXPECT_NE(glyph.pixels, nullptr);
    EXPECT_EQ(glyph.width, 64u);
    EXPECT_EQ(load(bitmap(4096, 1, 32)).width, 4096u);
    EXPECT_EQ(load(bitmap(1, 4096, 32)).width, 1u);
    EXPECT_EQ(load(bitmap(4097, 1, 32)).width, 0u);
    EXPECT_EQ(load(bitmap(1, 4097, 32)).width, 0u);
    EXPECT_EQ(ImageLoader().loadImage(path + ".missing").pixels, nullptr);
    std::remove(path.c_str());
}
