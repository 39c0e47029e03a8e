// The music player: what it reports, and the ring of buffers on exact sample values while its
// thread refills them: looping, blocks across buffer edges, the fade-in and odd files.
#include "sound/BackgroundMusic.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <vector>

using SoundFixtures::ScratchFolder;

namespace {

// What the player should add for each frame: the file looped, times the gain, times one half.
class ExpectedMusic {
public:
    explicit ExpectedMusic(std::vector<float> decoded) : file(std::move(decoded)) {}

    void check(const std::vector<float>& block, int frames)
    {
        const std::size_t length = file.size() / 2;
        for (int i = 0; i < frames; ++i, ++frame) {
            const std::size_t at = frame % length;
            ASSERT_EQ(block[2 * i], file[2 * at] * gain * 0.5f) << "frame " << frame;
            ASSERT_EQ(block[2 * i + 1], file[2 * at + 1] * gain * 0.5f) << "frame " << frame;
            if (gain < 1.0f)
                gain += 0.000001f;
        }
    }

    std::size_t frames() const { return frame; }

private:
    std::vector<float> file;
    std::size_t frame = 0;
    float gain = 0.0f;
};

bool anyRefillPending(const BackgroundMusic& music)
{
    return music.isRefillPending(0) || music.isRefillPending(1) || music.isRefillPending(2);
}

// Waits until the music thread has refilled every released buffer, so that the next two buffers'
// worth of frames are fresh; gives up after a generous bound instead of hanging.
bool waitForRingFull(const BackgroundMusic& music)
{
    for (int tries = 0; tries < 4000 && anyRefillPending(music); ++tries)
        SDL_Delay(5);
    return !anyRefillPending(music);
}

std::vector<float> mix(BackgroundMusic& music, int frames)
{
    std::vector<float> block(2 * static_cast<std::size_t>(frames) + 2, 0.0f);
    music.audioBlock(block.data(), frames);
    return block;
}

// Mixes blocks of the given sizes round and round until `total` frames have been checked.
void playAndCheck(BackgroundMusic& music, ExpectedMusic& expected, std::size_t total, const std::vector<int>& sizes)
{
    std::size_t sinceWait = BackgroundMusic::defaultBufferFrames * 2;
    for (std::size_t k = 0; expected.frames() < total; ++k) {
        const int size = sizes[k % sizes.size()];
        if (sinceWait + static_cast<std::size_t>(size) > BackgroundMusic::defaultBufferFrames * 2) {
            ASSERT_TRUE(waitForRingFull(music)) << "the music thread never refilled its buffers";
            sinceWait = 0;
        }
        expected.check(mix(music, size), size);
        if (::testing::Test::HasFatalFailure())
            return;
        sinceWait += static_cast<std::size_t>(size);
    }
}

class MusicLooping : public ::testing::TestWithParam<int> {};

} // namespace

// Lengths: shorter than one buffer (repeated many times within each), a loop in the middle of the
// second buffer, and one longer than the whole ring.
INSTANTIATE_TEST_SUITE_P(Lengths, MusicLooping, ::testing::Values(1000, 15000, 40000));

TEST_P(MusicLooping, RingPlaysTheFileRoundAndRoundWithoutGapAcrossBufferEdges)
{
    ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(GetParam(), 4), 2);
    ExpectedMusic expected(SoundFixtures::decodeFirstStream(path));

    CaptureStdout out;
    BackgroundMusic music(path);
    EXPECT_EQ(out.text(), "vorbisfile: Loaded file: " + path + "\n");
    ASSERT_TRUE(music.hasMusic());
    // Blocks of odd sizes straddle every buffer edge; seven buffers and more go round the ring.
    playAndCheck(music, expected, 90000, {4000, 7000, 11025, 1, 0, 9999, 512});
}

TEST(BackgroundMusic, FadesInOverAMillionFramesThenHoldsHalfLevel)
{
    ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(5000, 2), 2);
    const std::vector<float> decoded = SoundFixtures::decodeFirstStream(path);
    ExpectedMusic expected(decoded);
    CaptureStdout quiet;
    BackgroundMusic music(path);

    // The first frames are nearly silent: frame 1000 carries a thousandth of the gain.
    std::vector<float> first = mix(music, 1001);
    EXPECT_EQ(first[0], 0.0f);
    EXPECT_NEAR(first[2000] / (decoded[2000] * 0.5f), 0.001f, 1e-6f);
    expected.check(first, 1001);

    playAndCheck(music, expected, 1000000 + 22050, {11025});
    // By now the gain has reached one: the music plays at exactly half its level.
    const std::vector<float> late = mix(music, 100);
    const std::size_t at = expected.frames() % 5000;
    for (int i = 0; i < 200; ++i)
        ASSERT_NEAR(late[i], decoded[2 * at + i] * 0.5f, 1e-6f) << i;
}

TEST(BackgroundMusic, OneChannelFilePlaysTheSameOnBothSides)
{
    ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(3000, 5, 1), 1);
    ExpectedMusic expected(SoundFixtures::decodeFirstStream(path)); // left copied to right
    CaptureStdout quiet;
    BackgroundMusic music(path);
    playAndCheck(music, expected, 40000, {6000});
}

TEST(BackgroundMusic, ChainedFileLoopsItsFirstStreamOnly)
{
    ScratchFolder folder;
    std::vector<unsigned char> bytes = SoundFixtures::encodeOgg(SoundFixtures::testSignal(3000, 1), 2, 44100, 21);
    SoundFixtures::writeBytes(folder.file("first.ogg"), bytes);
    const std::vector<unsigned char> second =
        SoundFixtures::encodeOgg(SoundFixtures::testSignal(4000, 3), 2, 44100, 22);
    bytes.insert(bytes.end(), second.begin(), second.end());
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeBytes(path, bytes);

    ExpectedMusic expected(SoundFixtures::decodeFirstStream(folder.file("first.ogg")));
    CaptureStdout quiet;
    BackgroundMusic music(path);
    playAndCheck(music, expected, 40000, {5000});
}

TEST(BackgroundMusic, FilesThatCannotPlayAreReportedAndLeaveTheBlockAlone)
{
    ScratchFolder folder;
    SoundFixtures::writeBytes(folder.file("text.ogg"), {'O', 'g', 'g', '?', ' ', 'n', 'o', '\n'});
    // Headers and an end, but not one frame of sound: looping it would seek to the start for ever.
    SoundFixtures::writeOgg(folder.file("empty.ogg"), {}, 2);

    struct Case {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"missing.ogg", "vorbisfile: fopen could not open file: " + folder.file("missing.ogg") + "\n"},
        {"text.ogg", "vorbisfile: Could not open file: " + folder.file("text.ogg") + "\n"},
        {"empty.ogg", "vorbisfile: Loaded file: " + folder.file("empty.ogg") + "\n" +
                          "vorbisfile: No music could be decoded from file: " + folder.file("empty.ogg") + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureStdout out;
        BackgroundMusic music(folder.file(c.name));
        EXPECT_EQ(out.text(), c.expected);
        EXPECT_FALSE(music.hasMusic());
        std::vector<float> block(64, 0.25f);
        music.audioBlock(block.data(), 32);
        EXPECT_EQ(block, std::vector<float>(64, 0.25f));

        // Made off the main thread, the player reports on the stream it is given instead.
        std::ostringstream report;
        const BackgroundMusic elsewhere(folder.file(c.name), BackgroundMusic::Pacing(), report);
        EXPECT_EQ(report.str(), c.expected);
        EXPECT_EQ(out.text(), c.expected);
    }
}

TEST(BackgroundMusic, OnlyTheOpeningGoesToTheStreamGiven)
{
    ScratchFolder folder;
    SoundFixtures::writeOgg(folder.file("tune.ogg"), SoundFixtures::testSignal(3000, 5), 2);
    CaptureStdout out;
    std::ostringstream report;
    {
        BackgroundMusic::Pacing pacing;
        pacing.stopMilliseconds = 0;
        const BackgroundMusic music(folder.file("tune.ogg"), pacing, report);
        EXPECT_TRUE(music.hasMusic());
    }
    EXPECT_EQ(report.str(), "vorbisfile: Loaded file: " + folder.file("tune.ogg") + "\n");
    EXPECT_EQ(out.text(), "");
}

TEST(BackgroundMusic, SoundsPathOfThisProgramIsBesideItsExecutable)
{
    // The build copies the sounds beside the test programs as it does beside the game.
    const std::string self = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(BackgroundMusic::getSoundsPath(), self + "/Contents/Resources/sounds/");
}
