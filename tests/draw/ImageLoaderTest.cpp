// Decoding the embedded pictures: formats, messages, garbage, and the whole catalogue's sizes.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <memory>
#include <vector>

#include "draw/ImageLoader.h"
#include "draw/assets/Fonts.h"
#include "draw/assets/Images.h"
#include "support/CaptureStdout.h"

namespace {

struct Decoded {
    std::unique_ptr<unsigned char[]> pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string output;
};

Decoded decode(const unsigned char* data, unsigned int length)
{
    CaptureStdout capture;
    ImageLoader loader;
    LoadedImage image = loader.loadImage(data, length);
    return Decoded{std::move(image.pixels), image.width, image.height, capture.text()};
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
    }
    EXPECT_EQ(files.size(), 76u);
}

TEST(ImageLoader, PngGivesRgbaInMemoryOrder)
{
    const Decoded glyph = decode(Fonts::fonta_png, Fonts::fonta_png_length);
    ASSERT_NE(glyph.pixels, nullptr);
    // Glyphs are white shapes on transparent: every pixel's colour is white, the corner clear.
    EXPECT_EQ(glyph.pixels[3], 0) << "top-left pixel is transparent";
    int inked = 0;
    for (std::size_t i = 0; i < 64 * 64; ++i) {
        if (glyph.pixels[i * 4 + 3] == 0)
            continue;
        ++inked;
        ASSERT_EQ(glyph.pixels[i * 4 + 0], 255);
        ASSERT_EQ(glyph.pixels[i * 4 + 1], 255);
        ASSERT_EQ(glyph.pixels[i * 4 + 2], 255);
    }
    EXPECT_GT(inked, 100);
}

TEST(ImageLoader, JpegGetsAnOpaqueAlphaAndOneMessage)
{
    const Decoded background = decode(Images::background_jpg, Images::background_jpg_length);
    ASSERT_NE(background.pixels, nullptr);
    EXPECT_EQ(background.output, "ImageLoader: Image 24bit.  Assuming 24bit RGB format.\n");
    for (std::size_t i = 0; i < 1024u * 768u; ++i)
        ASSERT_EQ(background.pixels[i * 4 + 3], 255) << i;
}

TEST(ImageLoader, GarbageAndNothingGiveANullImageSilently)
{
    const unsigned char garbage[] = "this is neither a PNG nor a JPEG, just words";
    const Decoded fromGarbage = decode(garbage, sizeof garbage);
    EXPECT_EQ(fromGarbage.pixels, nullptr);
    EXPECT_EQ(fromGarbage.width, 0u);
    EXPECT_EQ(fromGarbage.height, 0u);
    EXPECT_EQ(fromGarbage.output, "");

    EXPECT_EQ(decode(nullptr, 0).pixels, nullptr);
    // A PNG cut short.
    const Decoded truncated = decode(Images::story_png, 40);
    EXPECT_EQ(truncated.pixels, nullptr);
}

TEST(ImageLoader, PngChunksThatOverrunTheDataOrHugeSidesAreRefusedBeforeDecoding)
{
    const std::vector<unsigned char> hurdle(Images::hurdle_png, Images::hurdle_png + Images::hurdle_png_length);
    ASSERT_NE(decode(hurdle.data(), static_cast<unsigned int>(hurdle.size())).pixels, nullptr);

    // The chunk after the header claims two gigabytes: libpng would read on far past the data (a
    // second here, minutes for some of the fuzzer's finds).
    std::vector<unsigned char> overrun = hurdle;
    const std::size_t secondChunk = 8 + 12 + 13;
    overrun[secondChunk] = 0x7F;
    overrun[secondChunk + 1] = 0xFF;
    EXPECT_EQ(decode(overrun.data(), static_cast<unsigned int>(overrun.size())).pixels, nullptr);

    // A header asking for a picture 4097 pixels wide, one more than any picture may have.
    std::vector<unsigned char> wide = hurdle;
    wide[16] = 0x00;
    wide[17] = 0x00;
    wide[18] = 0x10;
    wide[19] = 0x01;
    EXPECT_EQ(decode(wide.data(), static_cast<unsigned int>(wide.size())).pixels, nullptr);

    // No end chunk: the data stops after the last full chunk, as a cut-off file does.
    EXPECT_EQ(decode(hurdle.data(), static_cast<unsigned int>(hurdle.size() - 12)).pixels, nullptr);
}

TEST(ImageLoader, OnlyPngAndJpegAreDecodedFromMemory)
{
    // A whole, sound BMP is still refused: SDL_image's other decoders never see embedded data.
    const std::vector<unsigned char> sound = bitmap(8, 8, 32);
    EXPECT_EQ(decode(sound.data(), static_cast<unsigned int>(sound.size())).pixels, nullptr);

    // 27 bytes of BMP header asking for 2048 by 256 pixels that are not there: SDL allocated and
    // cleared the whole picture before finding the data missing.
    const unsigned char hollow[] = {0x42, 0x4D, 0xF6, 0x00, 0xFE, 0xFF, 0xFF, 0xB9, 0x00, 0x02, 0x04, 0x00, 0x9B, 0xFC,
                                    0x28, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x18};
    const Decoded fromHollow = decode(hollow, sizeof hollow);
    EXPECT_EQ(fromHollow.pixels, nullptr);
    EXPECT_EQ(fromHollow.output, "");

    // A JPEG's start marker alone, or a PNG signature with one byte changed, is not enough.
    const unsigned char startOnly[] = {0xFF, 0xD8};
    EXPECT_EQ(decode(startOnly, sizeof startOnly).pixels, nullptr);
    std::vector<unsigned char> misnamed(Images::hurdle_png, Images::hurdle_png + Images::hurdle_png_length);
    misnamed[1] = 'Q';
    EXPECT_EQ(decode(misnamed.data(), static_cast<unsigned int>(misnamed.size())).pixels, nullptr);
}

TEST(ImageLoader, PictureFilesWiderOrTallerThan4096AreRefused)
{
    const std::string path = ::testing::TempDir() + "/brickwrath-wide.bmp";
    const auto load = [&](int width, int height) {
        const std::vector<unsigned char> bytes = bitmap(width, height, 32);
        FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        return ImageLoader().loadImage(path).width;
    };
    EXPECT_EQ(load(4096, 1), 4096u);
    EXPECT_EQ(load(1, 4096), 1u);
    EXPECT_EQ(load(4097, 1), 0u);
    EXPECT_EQ(load(1, 4097), 0u);
    std::remove(path.c_str());
}

TEST(ImageLoader, JpegFrameHeadersAskingForHugeSidesAreRefusedBeforeDecoding)
{
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

TEST(ImageLoader, OtherDepthsAreRefusedWithAMessage)
{
    const Decoded image = decode(greyPng, sizeof greyPng);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0u);
    EXPECT_EQ(image.output, "ImageLoader: Image not 32bits.\n");
}

TEST(ImageLoader, FilesMustBe32Bit)
{
    const std::string path = ::testing::TempDir() + "/brickwrath-glyph.png";
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(Fonts::fontq_png, 1, Fonts::fontq_png_length, file);
        std::fclose(file);
    }
    CaptureStdout capture;
    ImageLoader loader;
    const LoadedImage image = loader.loadImage(path);
    EXPECT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width, 64u);
    EXPECT_EQ(loader.loadImage(path + ".missing").pixels, nullptr);
    std::remove(path.c_str());
}
