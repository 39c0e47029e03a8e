// Pictures decoded ahead on one thread and taken on another: each is handed over once, with the
// same pixels a decode at the time of drawing gives.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "draw/DecodedPictures.h"
#include "draw/assets/Fonts.h"
#include "draw/assets/Images.h"
#include "support/CaptureStdout.h"

namespace {

struct Embedded {
    const unsigned char* data;
    unsigned int length;
};

std::vector<unsigned char> decodedNow(Embedded picture)
{
    ImageLoader loader;
    const LoadedImage image = loader.loadImage(picture.data, picture.length);
    const std::unique_ptr<unsigned char[]> owned(image.pixels);
    return {image.pixels, image.pixels + static_cast<std::size_t>(image.width) * image.height * 4};
}

std::vector<unsigned char> taken(DecodedPictures& pictures, Embedded picture)
{
    const LoadedImage image = pictures.take(picture.data, picture.length);
    const std::unique_ptr<unsigned char[]> owned(image.pixels);
    return {image.pixels, image.pixels + static_cast<std::size_t>(image.width) * image.height * 4};
}

const Embedded background{Images::background_jpg, Images::background_jpg_length};
const Embedded hurdle{Images::hurdle_png, Images::hurdle_png_length};

} // namespace

TEST(DecodedPictures, APictureDecodedAheadIsHandedOverOnceThenDecodedAgain)
{
    DecodedPictures pictures;
    std::ostringstream report;
    pictures.decodeAhead(hurdle.data, hurdle.length, report);
    pictures.decodeAhead(hurdle.data, hurdle.length, report); // a game started twice in one process
    EXPECT_EQ(pictures.waiting(), 1u);

    const std::vector<unsigned char> expected = decodedNow(hurdle);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(taken(pictures, hurdle), expected);
    EXPECT_EQ(pictures.waiting(), 0u);
    // Nothing left for a second slot with the same picture: it decodes its own.
    EXPECT_EQ(taken(pictures, hurdle), expected);
    // A picture nobody decoded ahead is decoded when it is taken.
    EXPECT_EQ(taken(pictures, background), decodedNow(background));
}

TEST(DecodedPictures, WhatTheDecoderNoticesGoesToTheReportNotToStandardOutput)
{
    DecodedPictures pictures;
    std::ostringstream report;
    CaptureStdout capture;
    pictures.decodeAhead(background.data, background.length, report); // a JPEG: 24 bits a pixel
    EXPECT_EQ(report.str(), "ImageLoader: Image 24bit.  Assuming 24bit RGB format.\n");
    EXPECT_EQ(capture.text(), "");
}

TEST(DecodedPictures, DamagedDataIsNotKeptAndGivesTheNullPicture)
{
    DecodedPictures pictures;
    std::vector<unsigned char> damaged(Images::hurdle_png, Images::hurdle_png + 40); // header, no pixels
    std::ostringstream report;
    pictures.decodeAhead(damaged.data(), static_cast<std::uint32_t>(damaged.size()), report);
    EXPECT_EQ(pictures.waiting(), 0u);
    const LoadedImage image = pictures.take(damaged.data(), static_cast<std::uint32_t>(damaged.size()));
    EXPECT_EQ(image.pixels, nullptr);
}

// The game's own hand-over: every glyph decoded on a thread while this one takes them, last first,
// some before their turn on the other thread. Each comes out whole, once; what was decoded ahead
// and never taken is freed with the store (the leak checker watches).
TEST(DecodedPictures, TakingWhileAnotherThreadDecodesGivesEveryPictureWhole)
{
    const std::vector<Embedded> glyphs = {
        {Fonts::fonta_png, Fonts::fonta_png_length},
        {Fonts::fontb_png, Fonts::fontb_png_length},
        {Fonts::fontc_png, Fonts::fontc_png_length},
        {Fonts::font0_png, Fonts::font0_png_length},
        {Fonts::font9_png, Fonts::font9_png_length},
        {Fonts::fontperiod_png, Fonts::fontperiod_png_length},
        {Fonts::fontquestion_png, Fonts::fontquestion_png_length},
    };
    std::vector<std::vector<unsigned char>> expected;
    for (const Embedded& glyph : glyphs)
        expected.push_back(decodedNow(glyph));

    for (int round = 0; round < 20; ++round) {
        DecodedPictures pictures;
        std::ostringstream report;
        std::thread decoder([&] {
            for (const Embedded& glyph : glyphs)
                pictures.decodeAhead(glyph.data, glyph.length, report);
            pictures.decodeAhead(background.data, background.length, report); // never taken
        });
        for (std::size_t i = glyphs.size(); i-- > 0;)
            EXPECT_EQ(taken(pictures, glyphs[i]), expected[i]) << "glyph " << i << ", round " << round;
        decoder.join();
    }
}
