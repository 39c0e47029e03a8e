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
    std::fprintf(stderr, "soak: resident memory %zu bytes after %d trips, %zu after %d\n", warmMemory, warmUp,
                 afterTrips, trips);
    if (ProcessMemory::residentSizeIsTelling) {
        EXPECT_LT(afterTrips, warmMemory + memoryAllowance);
    }

    // Races without a single trap: the runners get away, and three such races end the game on
    // the title, where the next game starts. The runners' pictures are shared by every runner and
    // stay loaded once drawn, so the title's count is taken again after the first game.
    constexpr int races = 200;
    std::size_t titleAfterRaces = 0;
    for (int race = 0; race < races; ++race) {
        if (game.screen() == StateManager::Title)
            game.startRace();
        ASSERT_NE(game.race(), nullptr);
        const int frames = game.runRace();
        ASSERT_TRUE(game.race()->isRaceOver()) << "race " << race << " still running after " << frames << " frames";
        game.player().clickOn();
        if (game.screen() == StateManager::Title) {
            game.step();
            if (titleAfterRaces == 0)
                titleAfterRaces = game.drawer().imageCount();
            ASSERT_EQ(game.drawer().imageCount(), titleAfterRaces) << "race " << race;
        }
    }
    EXPECT_GT(titleAfterRaces, titleImages) << "the runners' pictures were never drawn";
    const std::size_t afterRaces = ProcessMemory::residentBytes();
    std::fprintf(stderr, "soak: resident memory %zu bytes after %d races\n", afterRaces, races);
    if (ProcessMemory::residentSizeIsTelling) {
        EXPECT_LT(afterRaces, warmMemory + memoryAllowance);
    }
    EXPECT_FALSE(game.application().quitRequested());
}
