// Sound files and devices that are not as they should be: a missing sounds folder, files that are
// corrupt, empty, truncated, one-channel, at another rate or made to crash the decoder, and no
// audio device at all. Each leaves a line on standard output and the game plays on.
#include "app/Application.h"
#include "game/screens/StateManager.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"
#include "support/RecordingDrawer.h"
#include "support/ScriptedPlayer.h"
#include "support/TempHome.h"

#include <ogg/ogg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

using SoundFixtures::ScratchFolder;

namespace {

// Short music: a player with three small buffers and no pause on the way out.
BackgroundMusic::Pacing quickPlayer()
{
    BackgroundMusic::Pacing pacing;
    pacing.bufferFrames = 1000;
    pacing.stopMilliseconds = 0;
    return pacing;
}

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

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

} // namespace

TEST(SoundFaults, MissingSoundsFolderLeavesEveryEffectSilentAndNoMusic)
{
    ScratchFolder scratch;
    const std::string folder = scratch.file("no such folder/");
    CaptureStdout out;
    Sounds bank(folder);
    BackgroundMusic music(folder + "music.ogg", quickPlayer());
    const std::string text = out.text();

    for (int type = 0; type < Sounds::typeCount; ++type) {
        const auto t = static_cast<Sounds::SoundType>(type);
        EXPECT_EQ(bank.getFile(t).frames, 0u);
        if (const char* name = Sounds::fileName(t)) {
            EXPECT_NE(text.find("vorbisfile: fopen could not open file: " + folder + name + "\n"), std::string::npos)
                << name;
        }
    }
    EXPECT_NE(text.find("vorbisfile: fopen could not open file: " + folder + "music.ogg\n"), std::string::npos);
    EXPECT_FALSE(music.hasMusic());

    // Every effect asked for takes a slot for one block, adds nothing, and frees it again.
    for (int type = 0; type < Sounds::typeCount; ++type)
        bank.playSound(static_cast<Sounds::SoundType>(type));
    std::vector<float> block(512, 0.0f);
    music.audioBlock(block.data(), 256);
    bank.getAudio(block.data(), 256);
    EXPECT_EQ(block, std::vector<float>(512, 0.0f));
    EXPECT_EQ(bank.getActiveVoiceCount(), 0);
}

TEST(SoundFaults, BrokenFilesAreReportedByBothLoadersAndNeverCrashThem)
{
    ScratchFolder folder;
    // Many small pages, so that a file cut short keeps its headers and some sound.
    const std::vector<unsigned char> good =
        SoundFixtures::encodeOgg(SoundFixtures::testSignal(100000, 4), 2, 44100, 1, true);
    std::vector<unsigned char> corrupt = good;
    for (std::size_t i = 0; i < corrupt.size(); i += 7)
        corrupt[i] ^= 0x5A;

    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
        std::string line; // what both loaders say first
        bool plays;       // whether anything is left to play
    };
    const std::string source = BRICKWRATH_SOURCE_DIR;
    const std::vector<Case> cases = {
        {"corrupt.ogg", corrupt, "vorbisfile: Could not open file: ", false},
        {"empty.ogg", {}, "vorbisfile: Could not open file: ", false},
        {"truncated.ogg",
         std::vector<unsigned char>(good.begin(), good.begin() + static_cast<long>(good.size() * 3 / 5)),
         "vorbisfile: Loaded file: ", true},
        {"flat-codebook.ogg", fileWithFlatCodebook(), "vorbisfile: Could not open file: ", false},
        // Inputs the fuzzers once crashed the decoder with.
        {"regression-dimension-0", SoundFixtures::readBytes(source + "/fuzz/corpus/effects/regression-dimension-0"),
         "vorbisfile: Could not open file: ", false},
        {"regression-bad-codebook", SoundFixtures::readBytes(source + "/fuzz/corpus/effects/regression-bad-codebook"),
         "vorbisfile: Could not open file: ", false},
        // Its bad setup is only found by seeking: the stream begins again inside the file.
        {"regression-restarted-stream",
         SoundFixtures::readBytes(source + "/fuzz/corpus/effects/regression-restarted-stream"),
         "vorbisfile: Could not open file: ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        SoundFixtures::writeBytes(path, c.bytes);
        {
            CaptureStdout out;
            Sounds::SoundFile effect;
            Sounds::loadFile(path, &effect);
            EXPECT_EQ(firstLine(out.text()), c.line + path);
            EXPECT_EQ(effect.frames > 0, c.plays);
            if (c.plays) {
                EXPECT_LT(effect.frames, 100000u);
            }
        }
        {
            CaptureStdout out;
            BackgroundMusic music(path, quickPlayer());
            EXPECT_EQ(firstLine(out.text()), c.line + path);
            EXPECT_EQ(music.hasMusic(), c.plays);
            std::vector<float> block(2 * 800, 0.0f);
            for (int i = 0; i < 4; ++i)
                music.audioBlock(block.data(), 800);
        }
    }
}

namespace {

// The Ogg page checksum: CRC-32 with polynomial 0x04c11db7, not reflected, starting at 0.
std::uint32_t oggChecksum(const unsigned char* page, std::size_t size)
{
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint32_t>(page[i]) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    return crc;
}

// A valid file whose last page claims `frames` frames: the length the decoder reports.
std::vector<unsigned char> withStatedLength(std::vector<unsigned char> bytes, std::uint64_t frames)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], "OggS", 4) == 0)
            last = i;
    unsigned char* page = &bytes[last];
    const std::size_t segments = page[26];
    std::size_t size = 27 + segments;
    for (std::size_t i = 0; i < segments; ++i)
        size += page[27 + i];
    for (int i = 0; i < 8; ++i)
        page[6 + i] = static_cast<unsigned char>(frames >> (8 * i));
    std::memset(page + 22, 0, 4);
    const std::uint32_t crc = oggChecksum(page, size);
    for (int i = 0; i < 4; ++i)
        page[22 + i] = static_cast<unsigned char>(crc >> (8 * i));
    return bytes;
}

} // namespace

TEST(SoundFaults, EffectThatClaimsAnEnormousLengthIsNotAllocated)
{
    ScratchFolder folder;
    // Many small pages: the length is read from the last one, counted from the first.
    const std::vector<unsigned char> good =
        SoundFixtures::encodeOgg(SoundFixtures::testSignal(20000, 9), 2, 44100, 1, true);
    const std::string path = folder.file("long.ogg");

    // Ten minutes at 48000 frames a second still loads (padded with silence)...
    SoundFixtures::writeBytes(path, withStatedLength(good, 10ull * 60 * 48000));
    {
        CaptureStdout quiet;
        Sounds::SoundFile effect;
        Sounds::loadFile(path, &effect);
        EXPECT_EQ(effect.frames, 10u * 60 * 48000);
    }
    // ...but a length of two billion frames is refused instead of allocating 16 GB, and so is a
    // length of zero, each in one line that names the file and the reason.
    const std::pair<std::uint64_t, std::string> refused[] = {
        {2000000000ull, "Sounds: Effect not loaded, its stated length of 2000000000 frames is more than any "
                        "effect could have: "},
        {0, "Sounds: Effect not loaded, its length is zero or unknown: "},
    };
    for (const auto& [frames, line] : refused) {
        SoundFixtures::writeBytes(path, withStatedLength(good, frames));
        CaptureStdout out;
        Sounds::SoundFile effect;
        Sounds::loadFile(path, &effect);
        EXPECT_EQ(effect.frames, 0u);
        EXPECT_EQ(effect.samples, nullptr);
        EXPECT_EQ(out.text(), line + path + "\n");
    }
}

TEST(SoundFaults, OneChannelPlaysOnBothSidesAndOtherRatesPlayWithAWarning)
{
    ScratchFolder folder;
    struct Case {
        std::string name;
        int channels;
        int rate;
        std::string warning;
    };
    const Case cases[] = {
        {"mono.ogg", 1, 44100, ""},
        {"slow.ogg", 2, 22050, "vorbisfile: File is at 22050 frames a second, not 44100, and will sound faster: "},
        {"fast.ogg", 2, 48000, "vorbisfile: File is at 48000 frames a second, not 44100, and will sound slower: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        SoundFixtures::writeOgg(path, SoundFixtures::testSignal(4000, 1, c.channels), c.channels, c.rate);
        const std::vector<float> decoded = SoundFixtures::decodeFirstStream(path);
        const std::string expected =
            "vorbisfile: Loaded file: " + path + "\n" + (c.warning.empty() ? "" : c.warning + path + "\n");

        CaptureStdout out;
        Sounds::SoundFile effect;
        Sounds::loadFile(path, &effect);
        EXPECT_EQ(out.text(), expected);
        // Played as it is, frame for frame, at the game's rate.
        ASSERT_EQ(effect.frames, 4000u);
        EXPECT_EQ(std::vector<float>(effect.samples.get(), effect.samples.get() + 8000), decoded);

        CaptureStdout musicOut;
        BackgroundMusic music(path, quickPlayer());
        EXPECT_EQ(musicOut.text(), expected);
        EXPECT_TRUE(music.hasMusic());
    }
}

// No sound card at all: PortAudio finds no device it can open. The game says so once and a whole
// game (three races lost, back to the title) runs silent, every effect still asked for.
TEST(SoundFaults, NoAudioDevicePlaysAWholeGameSilently)
{
    ScratchFolder folder;
    const std::string config = folder.file("asound.conf");
    std::ofstream(config) << "pcm.!default { type hw card 31 }\nctl.!default { type hw card 31 }\n";
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    TempHome home;

    CaptureStdout out;
    Application app({"-s", "-w", "640", "-h", "480", "-nm"});
    app.framePacer().setEnabled(false);
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
    Sounds* bank = Sounds::getInstance();
    const int jumpsBefore = bank->requests(Sounds::Jump);
    const int grindsBefore = bank->requests(Sounds::WallGrinding);

    player.frames(2);
    player.startGame();
    ASSERT_EQ(screens->screenIndex(), StateManager::Race);
    for (int race = 0; race < 3; ++race) {
        ASSERT_EQ(screens->screenIndex(), StateManager::Race) << race;
        player.go();
        player.frames(1000); // longer than any race
        player.clickOn();
    }
    EXPECT_EQ(screens->screenIndex(), StateManager::Title);
    EXPECT_GT(bank->requests(Sounds::Jump), jumpsBefore);
    EXPECT_GT(bank->requests(Sounds::WallGrinding), grindsBefore);
    // With no mixer to end them, the voices fill the slots, and once all are busy the rest are
    // dropped, as they should be.
    int asked = 0;
    for (int type = 0; type < Sounds::typeCount; ++type)
        asked += bank->requests(static_cast<Sounds::SoundType>(type));
    EXPECT_EQ(bank->getActiveVoiceCount(), std::min(asked, Sounds::voiceCount));
    screens->restart();
}
