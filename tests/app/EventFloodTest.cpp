// A hundred thousand mouse events thrown at the real game: every one is handled before the next
// frame, frames keep coming, and neither the drawer's images nor the process's memory grow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "draw/software/SDLDrawer.h"
#include "game/screens/StateManager.h"
#include "support/CaptureStdout.h"
#include "support/ProcessMemory.h"
#include "support/RealGame.h"

namespace {

// Fills SDL's queue with up to `count` mouse events spread over the window, every fiftieth a
// click; returns how many it took (SDL's queue holds a limited number).
int pushMouseEvents(int count, int seed)
{
    int pushed = 0;
    for (; pushed < count; ++pushed) {
        const int n = seed + pushed;
        const int x = (n * 37) % 1024;
        const int y = (n * 53) % 768;
        const bool ok =
            n % 50 == 0 ? ScriptedPlayer::EventHand::pushClick(x, y) : ScriptedPlayer::EventHand::pushMove(x, y);
        if (!ok)
            break;
        if (n % 50 == 0)
            ++pushed; // a click is two events
    }
    return pushed;
}

} // namespace

TEST(EventFlood, AHundredThousandMouseEventsAreDrainedBetweenFramesWithMemoryFlat)
{
    CaptureStdout quiet;
    RealGame game;
    // Pictures shared by every runner or trap stay loaded once drawn, so the drawer's count is
    // compared on a fresh race screen after a fifth of the flood and after all of it.
    auto imagesOnAFreshRace = [&game] {
        StateManager::getInstance()->restart();
        game.step();
        game.startRace();
        game.step();
        return game.drawer().imageCount();
    };
    std::size_t warmImages = 0;

    // SDL's queue holds far fewer than a hundred thousand events (128 in sdl12-compat), so they
    // arrive in batches of as many as it takes, each followed by one loop turn. The clicks may
    // start races and leave them; the game must go on drawing whatever screen they lead to.
    constexpr int total = 100000;
    constexpr int batch = 10000;
    int sent = 0;
    int largestBatch = 0;
    std::size_t warmMemory = 0;
    while (sent < total) {
        const int pushed = pushMouseEvents(std::min(batch, total - sent), sent);
        ASSERT_GT(pushed, 0) << "SDL took no event at all";
        largestBatch = std::max(largestBatch, pushed);
        sent += pushed;
        const unsigned long framesBefore = game.application().framesDrawn();
        ASSERT_TRUE(game.step());
        EXPECT_TRUE(ScriptedPlayer::EventHand::queueEmpty()) << "events left after the loop turn, at " << sent;
        EXPECT_EQ(game.application().framesDrawn(), framesBefore + 1);
        if (warmMemory == 0 && sent >= total / 5) {
            warmMemory = ProcessMemory::residentBytes();
            warmImages = imagesOnAFreshRace();
        }
    }
    const std::size_t memory = ProcessMemory::residentBytes();
    std::fprintf(stderr,
                 "mouse flood: %d events in batches of up to %d; resident memory %zu bytes after a fifth, "
                 "%zu after the last (%+lld)\n",
                 sent, largestBatch, warmMemory, memory,
                 static_cast<long long>(memory) - static_cast<long long>(warmMemory));
    if (ProcessMemory::residentSizeIsTelling) {
        EXPECT_LT(memory, warmMemory + 4u * 1024 * 1024);
    }

    EXPECT_EQ(imagesOnAFreshRace(), warmImages);
}
