// The music player: what it reports, and the ring of buffers on exact sample values while its
// thread refills them: looping, blocks across buffer edges and the fade-in. Odd and broken files
// are in SoundFaultsTest.
#include "sound/BackgroundMusic.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <vector>

using SoundFixtures::ExpectedMusic;
using SoundFixtures::ScratchFolder;

namespace {

// Waits until the music thread has refilled every released buffer, so that the next two buffers'
// worth of frames are fresh; gives up after a generous bound instead of hanging.
bool waitForRingFull(const BackgroundMusic& music)
{
    for (int tries = 0; tries < 4000; ++tries, SDL_Delay(5))
        if (!music.isRefillPending(0) && !music.isRefillPending(1) && !music.isRefillPending(2))
            return true;
    return false;
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
        std::vector<float> block(2 * static_cast<std::size_t>(size));
        music.audioBlock(block.data(), size);
        expected.check(block, size);
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
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(GetParam(), 4));
    ExpectedMusic expected(SoundFixtures::decodeFirstStream(path));

    CaptureStdout out;
    BackgroundMusic music(path);
    EXPECT_EQ(out.text(), "vorbisfile: Loaded file: " + path + "\n");
    ASSERT_TRUE(music.hasMusic());
    // Blocks of odd sizes straddle every buffer edge; seven buffers and more go round the ring.
    playAndCheck(music, expected, 90000, {4000, 7000, 11025, 1, 0, 9999, 512});
}

// Every frame against ExpectedMusic: the gain rising from zero by a millionth a frame, then held at
// one, the music mixed at half its level.
TEST(BackgroundMusic, FadesInOverAMillionFramesThenHoldsHalfLevel)
{
    ScratchFolder folder;
    const std::string path = folder.file("music.ogg");
    SoundFixtures::writeOgg(path, SoundFixtures::testSignal(5000, 2));
    ExpectedMusic expected(SoundFixtures::decodeFirstStream(path));
    CaptureStdout quiet;
    BackgroundMusic music(path);
    playAndCheck(music, expected, 1000000 + 22050, {1001, 11025});
}
