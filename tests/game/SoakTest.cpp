// Long play in one process on the real game and the software drawer: a thousand trips from the
// title into a race and back, then two hundred whole races. The drawer's live images must come
// back to the same count every time, and the process's resident memory must stay flat.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "draw/software/SDLDrawer.h"
#include "game/screens/GamePlay.h"
#include "game/screens/StateManager.h"
#include "support/CaptureStdout.h"
#include "support/ProcessMemory.h"
#include "support/RealGame.h"

namespace {

// Leaves room for the allocator's own bookkeeping and fragmentation, which settle slowly; a leak
// of one picture per race (the smallest is a few kilobytes, the track 3 megabytes) across two
// hundred races goes far past it.
constexpr std::size_t memoryAllowance = 8u * 1024 * 1024;

long long grown(std::size_t now, std::size_t then)
{
    return static_cast<long long>(now) - static_cast<long long>(then);
}

} // namespace

TEST(Soak, AThousandTitleRaceTitleTripsThenTwoHundredRaces)
{
    CaptureStdout quiet; // the title picture's 24-bit line, once per title screen
    RealGame game;
    game.step();

    constexpr int trips = 1000;
    constexpr int warmUp = 20;
    std::size_t titleImages = 0;
    std::size_t raceImages = 0;
    std::size_t warmMemory = 0;
    for (int trip = 0; trip < trips; ++trip) {
        game.startRace();
        game.step();
        ASSERT_EQ(game.screen(), StateManager::Race);
        const std::size_t onRace = game.drawer().imageCount();
        game.escape();
        ASSERT_EQ(game.screen(), StateManager::Title) << "trip " << trip;
        game.step();
        const std::size_t onTitle = game.drawer().imageCount();
        if (trip == warmUp) {
            titleImages = onTitle;
            raceImages = onRace;
            warmMemory = ProcessMemory::residentBytes();
        } else if (trip > warmUp) {
            ASSERT_EQ(onRace, raceImages) << "trip " << trip;
            ASSERT_EQ(onTitle, titleImages) << "trip " << trip;
        }
    }
    const std::size_t afterTrips = ProcessMemory::residentBytes();
    std::fprintf(stderr, "soak: %d title-race-title trips; resident memory %zu bytes after %d, %zu after all (%+lld)\n",
                 trips, warmMemory, warmUp, afterTrips, grown(afterTrips, warmMemory));
    if (ProcessMemory::residentSizeIsTelling) {
        EXPECT_LT(afterTrips, warmMemory + memoryAllowance);
    }

    // Races without a single trap: the runners get away, and three such races end the game on
    // the title, where the next game starts. The runners' pictures are shared by every runner and
    // stay loaded once drawn, so the title's count is taken again after the first game.
    constexpr int races = 200;
    int longest = 0;
    std::size_t titleAfterRaces = 0;
    std::size_t smallest = afterTrips;
    std::size_t largest = afterTrips;
    std::size_t afterFirstRace = 0;
    for (int race = 0; race < races; ++race) {
        if (game.screen() == StateManager::Title)
            game.startRace();
        ASSERT_NE(game.race(), nullptr);
        const int frames = game.runRace();
        ASSERT_TRUE(game.race()->isRaceOver()) << "race " << race << " still running after " << frames << " frames";
        longest = std::max(longest, frames);
        game.player().clickOn();
        if (game.screen() == StateManager::Title) {
            game.step();
            if (titleAfterRaces == 0)
                titleAfterRaces = game.drawer().imageCount();
            ASSERT_EQ(game.drawer().imageCount(), titleAfterRaces) << "race " << race;
        }
        const std::size_t memory = ProcessMemory::residentBytes();
        // The first whole race also warms up what only long frames of one screen use, such as
        // the software drawer's still picture of the track (3 MiB).
        if (race == 0)
            afterFirstRace = memory;
        smallest = std::min(smallest, memory);
        largest = std::max(largest, memory);
    }
    EXPECT_GT(titleAfterRaces, titleImages) << "the runners' pictures were never drawn";
    const std::size_t afterRaces = ProcessMemory::residentBytes();
    std::fprintf(stderr,
                 "soak: %d races (the longest %d frames); resident memory between %zu and %zu bytes, %zu at the end "
                 "(%+lld since the trips' warm-up, %+lld since the first race)\n",
                 races, longest, smallest, largest, afterRaces, grown(afterRaces, warmMemory),
                 grown(afterRaces, afterFirstRace));
    if (ProcessMemory::residentSizeIsTelling) {
        EXPECT_LT(afterRaces, warmMemory + memoryAllowance);
    }
    EXPECT_FALSE(game.application().quitRequested());
}
