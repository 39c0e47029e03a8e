// The effect bank: which file lands in which entry, what it reports, and the mixer's voices on
// exact sample values.
#include "sound/Sounds.h"

#include "SoundFixtures.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <vector>

using SoundFixtures::samplesOf;
using SoundFixtures::ScratchFolder;

namespace {

// Distinct lengths, so an entry shows which file it came from.
constexpr std::array<int, Sounds::typeCount> lengths = {700, 5000, 300, 2000, 100, 120, 900, 400, 0, 3700, 6000};

void writeEffects(const ScratchFolder& folder)
{
    for (int type = 0; type < Sounds::typeCount; ++type)
        if (const char* name = Sounds::fileName(static_cast<Sounds::SoundType>(type)))
            SoundFixtures::writeOgg(folder.file(name), SoundFixtures::testSignal(lengths[type], type));
}

// Mixes `frames` frames into a fresh silent block and returns it.
std::vector<float> mixBlock(Sounds& bank, int frames)
{
    std::vector<float> block(2 * static_cast<std::size_t>(frames) + 2, 0.0f);
    bank.getAudio(block.data(), frames);
    return block;
}

class SoundsMixing : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeEffects(folder);
        CaptureStdout quiet;
        bank = std::make_unique<Sounds>(folder.folder());
    }

    ScratchFolder folder;
    std::unique_ptr<Sounds> bank;
};

} // namespace

TEST(SoundsLoading, EachFileGoesToItsOwnEntryAndMissingOrBrokenOnesStaySilent)
{
    ScratchFolder folder;
    writeEffects(folder);
    std::remove(folder.file("ghost.ogg").c_str());
    SoundFixtures::writeBytes(folder.file("jump.ogg"), {'n', 'o', 't', ' ', 'o', 'g', 'g', '\n'});
    CaptureStdout out;
    Sounds bank(folder.folder());

    const std::vector<std::string> names = {"biffo.ogg",     "boing.ogg",       "die.ogg",   "explosion.ogg",
                                            "footstep1.ogg", "footstep2.ogg",   "ghost.ogg", "jump.ogg",
                                            "trip.ogg",      "WallGrinding.ogg"};
    std::string expected;
    for (const std::string& name : names) {
        expected += (name == "ghost.ogg"  ? "vorbisfile: fopen could not open file: "
                     : name == "jump.ogg" ? "vorbisfile: Could not open file: "
                                          : "vorbisfile: Loaded file: ") +
                    folder.file(name) + "\n";
    }
    EXPECT_EQ(out.text(), expected);
    for (int type = 0; type < Sounds::typeCount; ++type) {
        const auto t = static_cast<Sounds::SoundType>(type);
        SCOPED_TRACE(type);
        const bool empty = t == Sounds::NoFile || t == Sounds::Ghost || t == Sounds::Jump;
        EXPECT_EQ(samplesOf(bank.getFile(t)),
                  empty ? std::vector<float>() : SoundFixtures::decodeFirstStream(folder.file(Sounds::fileName(t))));
    }

    // Loaded off the main thread, the bank reports to a stream of its own and nothing reaches
    // standard output, where the main thread's lines are being written.
    std::ostringstream report;
    const Sounds elsewhere(folder.folder(), report);
    EXPECT_EQ(report.str(), expected);
    EXPECT_EQ(out.text(), expected);
}

TEST_F(SoundsMixing, VoiceRunsSeamlesslyAcrossBlocksAndEndsOnItsLastFrameAndThe129thRequestIsDropped)
{
    const std::vector<float> boing = samplesOf(bank->getFile(Sounds::Boing));
    bank->playSound(Sounds::Boing);
    std::vector<float> heard;
    const int sizes[] = {1, 0, 257, 512, 3, 1000, 2, 1999};
    int total = 0;
    for (int size : sizes) {
        const std::vector<float> block = mixBlock(*bank, size);
        heard.insert(heard.end(), block.begin(), block.begin() + 2 * size);
        total += size;
        EXPECT_TRUE(bank->isVoiceActive(0)) << "still " << 5000 - total << " frames to go";
    }
    // The last 1226 frames end inside this block; the rest of it is left as it was.
    std::vector<float> block(2 * 2000, 0.5f);
    bank->getAudio(block.data(), 2000);
    EXPECT_EQ(heard, std::vector<float>(boing.begin(), boing.begin() + 2 * 3774));
    for (int i = 0; i < 2 * 1226; ++i)
        ASSERT_EQ(block[i], 0.5f + boing[2 * 3774 + i]) << i;
    for (std::size_t i = 2 * 1226; i < block.size(); ++i)
        ASSERT_EQ(block[i], 0.5f) << i;
    EXPECT_FALSE(bank->isVoiceActive(0));
    EXPECT_EQ(bank->getActiveVoiceCount(), 0);
    // With no voice left the mixer leaves a block as it is.
    const std::vector<float> before = block;
    bank->getAudio(block.data(), 2000);
    EXPECT_EQ(block, before);

    // With every slot free again, a 129th request is dropped until a slot frees.
    for (int i = 0; i < 129; ++i)
        bank->playSound(Sounds::Biffo);
    EXPECT_EQ(bank->getActiveVoiceCount(), 128);

    // 128 voices of the same effect, summed in slot order; a 129th would show in the sum.
    const std::vector<float> biffo = samplesOf(bank->getFile(Sounds::Biffo));
    const std::vector<float> full = mixBlock(*bank, 16);
    for (int i = 0; i < 32; ++i) {
        float sum = 0.0f;
        for (int v = 0; v < 128; ++v)
            sum += biffo[i];
        ASSERT_EQ(full[i], sum) << i;
    }

    bank->playSound(Sounds::Die); // still full: dropped
    mixBlock(*bank, 700 - 16);
    EXPECT_EQ(bank->getActiveVoiceCount(), 0) << "the dropped request must not have taken a slot";

    bank->playSound(Sounds::Die);
    EXPECT_TRUE(bank->isVoiceActive(0));
    EXPECT_EQ(bank->getActiveVoiceCount(), 1);
}

TEST_F(SoundsMixing, EmptyVoiceEndsEvenOnABlockOfNoFramesAndTheLowestFreeSlotIsTakenNext)
{
    bank->playSound(Sounds::Footstep1); // slot 0, 100 frames
    bank->playSound(Sounds::Boing);     // slot 1
    bank->playSound(Sounds::NoFile);    // slot 2, nothing to play
    bank->playSound(Sounds::Footstep2); // slot 3, 120 frames
    bank->playSound(Sounds::Boing);     // slot 4
    std::vector<float> untouched(8, 0.25f);
    bank->getAudio(untouched.data(), 0);
    EXPECT_EQ(untouched, std::vector<float>(8, 0.25f));
    EXPECT_FALSE(bank->isVoiceActive(2));
    EXPECT_EQ(bank->getActiveVoiceCount(), 4);

    // No voice moved: each starts at its first frame, the two boings together.
    const std::vector<float> step1 = samplesOf(bank->getFile(Sounds::Footstep1));
    const std::vector<float> step2 = samplesOf(bank->getFile(Sounds::Footstep2));
    const std::vector<float> boing = samplesOf(bank->getFile(Sounds::Boing));
    std::vector<float> block = mixBlock(*bank, 120);
    for (int i = 0; i < 240; ++i)
        ASSERT_EQ(block[i], (((0.0f + (i < 200 ? step1[i] : 0.0f)) + boing[i]) + step2[i]) + boing[i]) << i;
    EXPECT_FALSE(bank->isVoiceActive(0));
    EXPECT_FALSE(bank->isVoiceActive(3));

    bank->playSound(Sounds::Trip);
    EXPECT_TRUE(bank->isVoiceActive(0));
    bank->playSound(Sounds::Boing);
    EXPECT_TRUE(bank->isVoiceActive(2));
    EXPECT_FALSE(bank->isVoiceActive(3));

    // Slot 0 now plays the trip and slot 2 a third boing, each from its first frame, with the other
    // two boings going on.
    const std::vector<float> trip = samplesOf(bank->getFile(Sounds::Trip));
    block = mixBlock(*bank, 50);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(block[i], ((0.0f + trip[i]) + boing[240 + i]) + boing[i] + boing[240 + i]) << i;
}
