// Sound files and devices that are not as they should be: files that are missing, corrupt, empty,
// truncated, made to crash the decoder, one-channel, chained or at another rate, and no audio
// device at all. Each leaves a line on standard output and the game plays on.
#include "app/Application.h"
#include "game/screens/StateManager.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"
#include "support/RecordingDrawer.h"
#include "support/ScriptedPlayer.h"

#include <ogg/ogg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using SoundFixtures::ScratchFolder;

namespace {

// Sets the checksum of the page that starts at `page` after its bytes were changed.
void mendPage(std::vector<unsigned char>& bytes, std::size_t page)
{
    ogg_page view;
    view.header = bytes.data() + page;
    view.header_len = 27 + bytes[page + 26];
    view.body = view.header + view.header_len;
    view.body_len = 0;
    for (int s = 0; s < bytes[page + 26]; ++s)
        view.body_len += bytes[page + 27 + s];
    ogg_page_checksum_set(&view);
}

// A good file whose first codebook claims dimension 0; libvorbis takes it and divides by zero.
std::vector<unsigned char> fileWithFlatCodebook()
{
    std::vector<unsigned char> bytes = SoundFixtures::encodeOgg(SoundFixtures::testSignal(3000, 2), 2);
    const unsigned char setup[] = {5, 'v', 'o', 'r', 'b', 'i', 's'};
    const auto at = std::search(bytes.begin(), bytes.end(), std::begin(setup), std::end(setup)) - bytes.begin();
    // Codebook count (one byte), then the first book: "BCV" and its dimension in two bytes.
    bytes[at + 11] = 0;
    bytes[at + 12] = 0;
    std::size_t page = static_cast<std::size_t>(at);
    while (std::memcmp(bytes.data() + page, "OggS", 4) != 0)
        --page;
    mendPage(bytes, page);
    return bytes;
}

// A valid file whose last page claims `frames` frames: the length the decoder reports.
std::vector<unsigned char> withStatedLength(std::vector<unsigned char> bytes, std::uint64_t frames)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], "OggS", 4) == 0)
            last = i;
    for (int i = 0; i < 8; ++i)
        bytes[last + 6 + i] = static_cast<unsigned char>(frames >> (8 * i));
    mendPage(bytes, last);
    return bytes;
}

} // namespace

// Every kind of file through both loaders: what each says, and that what plays, frame for frame at
// the game's rate, is the file's first stream as libvorbisfile decodes it.
TEST(SoundFaults, EachKindOfFileIsReportedByBothLoadersAndWhatPlaysIsItsFirstStream)
{
    ScratchFolder folder;
    // Many small pages, so that a file cut short keeps its headers and some sound.
    const std::vector<unsigned char> good =
        SoundFixtures::encodeOgg(SoundFixtures::testSignal(100000, 4), 2, 44100, 1, true);
    std::vector<unsigned char> corrupt = good;
    for (std::size_t i = 0; i < corrupt.size(); i += 7)
        corrupt[i] ^= 0x5A;
    const auto tone = [](int channels, int rate) {
        return SoundFixtures::encodeOgg(SoundFixtures::testSignal(4000, 1, channels), channels, rate, 11);
    };
    std::vector<unsigned char> chained = tone(2, 44100);
    SoundFixtures::writeBytes(folder.file("first.ogg"), chained);
    const auto second = SoundFixtures::encodeOgg(SoundFixtures::testSignal(6000, 6), 2, 44100, 12);
    chained.insert(chained.end(), second.begin(), second.end());
    const auto corpus = [](const std::string& name) {
        return SoundFixtures::readBytes(BRICKWRATH_SOURCE_DIR "/fuzz/corpus/effects/" + name);
    };

    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
        std::vector<std::string> effect, music; // how the lines of each loader start; the path ends them
        bool plays;
    };
    const std::vector<std::string> missing = {"vorbisfile: fopen could not open file: "};
    const std::vector<std::string> refused = {"vorbisfile: Could not open file: "};
    const std::vector<std::string> loaded = {"vorbisfile: Loaded file: "};
    const std::vector<std::string> slow = {
        loaded[0], "vorbisfile: File is at 22050 frames a second, not 44100, and will sound faster: "};
    const std::vector<std::string> fast = {
        loaded[0], "vorbisfile: File is at 48000 frames a second, not 44100, and will sound slower: "};
    const std::vector<Case> cases = {
        {"missing.ogg", {}, missing, missing, false},
        {"text.ogg", {'O', 'g', 'g', '?', ' ', 'n', 'o', '\n'}, refused, refused, false},
        {"corrupt.ogg", corrupt, refused, refused, false},
        {"empty.ogg", {}, refused, refused, false},
        // Headers and an end, but not one frame of sound: looping it would seek to the start for ever.
        {"headers-only.ogg",
         SoundFixtures::encodeOgg({}, 2),
         {"Sounds: Effect not loaded, its length is zero or unknown: "},
         {loaded[0], "vorbisfile: No music could be decoded from file: "},
         false},
        {"flat-codebook.ogg", fileWithFlatCodebook(), refused, refused, false},
        // Inputs the fuzzers once crashed the decoder with.
        {"regression-dimension-0", corpus("regression-dimension-0"), refused, refused, false},
        {"regression-bad-codebook", corpus("regression-bad-codebook"), refused, refused, false},
        // Its bad setup is only found by seeking: the stream begins again inside the file.
        {"regression-restarted-stream", corpus("regression-restarted-stream"), refused, refused, false},
        {"truncated.ogg", std::vector<unsigned char>(good.begin(), good.begin() + good.size() * 3 / 5), loaded, loaded,
         true},
        {"mono.ogg", tone(1, 44100), loaded, loaded, true},
        {"slow.ogg", tone(2, 22050), slow, slow, true},
        {"fast.ogg", tone(2, 48000), fast, fast, true},
        // A longer stream chained after the first: only the first is the sound.
        {"chained.ogg", chained, loaded, loaded, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        if (c.name != "missing.ogg")
            SoundFixtures::writeBytes(path, c.bytes);
        const auto linesAbout = [&](const std::vector<std::string>& starts) {
            std::string lines;
            for (const std::string& start : starts)
                lines += start + path + "\n";
            return lines;
        };
        const std::vector<float> decoded =
            c.plays ? SoundFixtures::decodeFirstStream(c.name == "chained.ogg" ? folder.file("first.ogg") : path)
                    : std::vector<float>();
        CaptureStdout out;
        Sounds::SoundFile effect;
        Sounds::loadFile(path, &effect);
        EXPECT_EQ(out.text(), linesAbout(c.effect));
        EXPECT_EQ(SoundFixtures::samplesOf(effect), decoded);

        // The player made off the main thread reports the opening on the stream it is given. It
        // loops the sound, several times round in the ring's first three buffers; one with
        // nothing to play leaves the block alone.
        std::ostringstream report;
        {
            BackgroundMusic::Pacing noPauseOnTheWayOut;
            noPauseOnTheWayOut.stopMilliseconds = 0;
            BackgroundMusic music(path, noPauseOnTheWayOut, report);
            EXPECT_EQ(music.hasMusic(), c.plays);
            SoundFixtures::ExpectedMusic heard(decoded);
            for (int b = 0; b < 6; ++b) {
                std::vector<float> block(2 * 5000, c.plays ? 0.0f : 0.25f);
                music.audioBlock(block.data(), 5000);
                if (c.plays) {
                    ASSERT_NO_FATAL_FAILURE(heard.check(block, 5000));
                } else {
                    EXPECT_EQ(block, std::vector<float>(2 * 5000, 0.25f));
                }
            }
        }
        EXPECT_EQ(report.str(), linesAbout(c.music));
        EXPECT_EQ(out.text(), linesAbout(c.effect)) << "only the effect's lines";
    }
}

TEST(SoundFaults, EffectIsPaddedWithSilenceToItsStatedLengthUnlessThatIsEnormous)
{
    ScratchFolder folder;
    // Many small pages: the length is read from the last one, counted from the first. The body of
    // a page in the middle is spoiled: its checksum fails, and the decoder skips it.
    std::vector<unsigned char> good = SoundFixtures::encodeOgg(SoundFixtures::testSignal(20000, 9), 2, 44100, 1, true);
    std::vector<std::size_t> pages;
    for (std::size_t i = 0; i + 4 <= good.size(); ++i)
        if (std::memcmp(&good[i], "OggS", 4) == 0)
            pages.push_back(i);
    ASSERT_GE(pages.size(), 6u);
    const std::size_t page = pages[pages.size() / 2];
    good[page + 27 + good[page + 26] + 10] ^= 0xFF;
    const std::string path = folder.file("long.ogg");

    // Ten minutes at 48000 frames a second still loads: what the file delivers, then silence...
    SoundFixtures::writeBytes(path, withStatedLength(good, 10ull * 60 * 48000));
    const std::vector<float> delivered = SoundFixtures::decodeFirstStream(path);
    ASSERT_LT(delivered.size(), 2u * 20000) << "the spoiled page should have cost some frames";
    {
        CaptureStdout quiet;
        Sounds::SoundFile effect;
        Sounds::loadFile(path, &effect);
        ASSERT_EQ(effect.frames, 10u * 60 * 48000);
        const float* samples = effect.samples.get();
        EXPECT_TRUE(std::equal(delivered.begin(), delivered.end(), samples));
        const std::vector<float> silence(1 << 16, 0.0f);
        for (std::size_t at = delivered.size(), total = 2 * effect.frames; at < total; at += silence.size())
            ASSERT_EQ(std::memcmp(samples + at, silence.data(), std::min(silence.size(), total - at) * 4), 0) << at;
    }
    // ...but a length of two billion frames is refused in one line, instead of allocating 16 GB.
    SoundFixtures::writeBytes(path, withStatedLength(good, 2000000000ull));
    CaptureStdout out;
    Sounds::SoundFile effect;
    Sounds::loadFile(path, &effect);
    EXPECT_EQ(effect.frames, 0u);
    EXPECT_EQ(effect.samples, nullptr);
    EXPECT_EQ(out.text(), "Sounds: Effect not loaded, its stated length of 2000000000 frames is more than any "
                          "effect could have: " +
                              path + "\n");
}

// No sound card at all: PortAudio finds no device it can open. The game says so once and a whole
// game (three races lost, back to the title) runs silent, every effect still asked for.
TEST(SoundFaults, NoAudioDevicePlaysAWholeGameSilently)
{
    ScratchFolder folder; // also the player's HOME
    const std::string config = folder.file("asound.conf");
    std::ofstream(config) << "pcm.!default { type hw card 31 }\nctl.!default { type hw card 31 }\n";
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);

    CaptureStdout out;
    Application app({"-s", "-w", "640", "-h", "480", "-nm"});
    EXPECT_NE(out.text().find("PortAudioDevice Error: "), std::string::npos) << out.text();

    // The screens draw into a recording drawer: the software drawer would only make the test slow.
    StateManager* screens = StateManager::getInstance();
    screens->restart();
    RecordingDrawer drawer;
    ScriptedPlayer::ScreenHand hand;
    ScriptedPlayer player(hand, [&] {
        drawFrames(drawer, 1);
        return true;
    });

    player.frames(2);
    player.startGame();
    for (int race = 0; race < 3; ++race) {
        ASSERT_EQ(screens->screenIndex(), StateManager::Race) << race;
        player.go();
        player.frames(1000); // longer than any race
        player.clickOn();
    }
    EXPECT_EQ(screens->screenIndex(), StateManager::Title);
    // The game asked for its effects; with no mixer to end them, each holds a slot, up to 128.
    Sounds* bank = Sounds::getInstance();
    int asked = 0;
    for (int type = 0; type < Sounds::typeCount; ++type)
        asked += bank->requests(static_cast<Sounds::SoundType>(type));
    EXPECT_GT(asked, 0);
    EXPECT_EQ(bank->getActiveVoiceCount(), std::min(asked, Sounds::voiceCount));
    screens->restart();
}
