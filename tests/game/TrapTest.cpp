// The seven traps: what each does to the runner that reaches it, the sound it plays, that it fires
// once, the big mine's radius, and the pictures each draws before, while and after it fires.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "draw/assets/Images.h"
#include "game/SoundLog.h"
#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "game/traps/BiffoTrap.h"
#include "game/traps/BigMineTrap.h"
#include "game/traps/GhostTrap.h"
#include "game/traps/MineTrap.h"
#include "game/traps/MudTrap.h"
#include "game/traps/RakeTrap.h"
#include "game/traps/SpikesTrap.h"
#include "support/RecordingDrawer.h"

namespace {

// One frame's draw calls of a trap.
std::vector<DrawCall> drawTrap(RecordingDrawer& drawer, Trap& trap, bool placing)
{
    drawer.beginDrawing();
    trap.draw(&drawer, placing);
    drawer.endDrawing();
    return drawer.calls();
}

struct TrapTest : ::testing::Test {
    void SetUp() override
    {
        for (int lane = 0; lane < 8; ++lane) {
            runners[lane].setSpeed(1.0f);
            runners[lane].initPosition(192 + 31 * lane, 422 + 31 * lane);
        }
    }
    std::array<Hurdler, 8> runners;
    RecordingDrawer drawer;
};

} // namespace

TEST_F(TrapTest, EachKindDoesItsThingWithItsSoundAndFiresOnlyOnce)
{
    Hurdler& runner = runners[3];
    const auto crushed = [](const Hurdler& hit) { EXPECT_TRUE(hit.isCrushed()); };
    struct Case {
        const char* name;
        std::unique_ptr<Trap> trap;
        Sounds::SoundType sound; // NoFile: the trap itself is silent
        std::function<void(const Hurdler&)> effect;
    };
    Case cases[] = {
        {"biffo", std::make_unique<BiffoTrap>(), Sounds::Biffo,
         [](const Hurdler& hit) { // knocked 75 back and 50 down from 285, 515
             EXPECT_EQ(hit.getX(), 285.0f - 75.0f);
             EXPECT_EQ(hit.getY(), 515.0f + 50.0f);
         }},
        {"mine", std::make_unique<MineTrap>(), Sounds::Explosion, crushed},
        {"big mine", std::make_unique<BigMineTrap>(runners), Sounds::Explosion, crushed},
        {"ghost", std::make_unique<GhostTrap>(), Sounds::Ghost,
         [](const Hurdler& hit) {
             EXPECT_TRUE(hit.isTripped());
             EXPECT_EQ(hit.getTripLeft(), 256.0f);
         }},
        {"mud", std::make_unique<MudTrap>(), Sounds::NoFile,
         [](const Hurdler& hit) {
             EXPECT_FALSE(hit.isTripped());
             EXPECT_EQ(hit.getSlowLeft(), 160.0f);
         }},
        {"rake", std::make_unique<RakeTrap>(), Sounds::Boing,
         [](const Hurdler& hit) { EXPECT_EQ(hit.getTripLeft(), 384.0f); }},
        {"spikes", std::make_unique<SpikesTrap>(), Sounds::NoFile, crushed},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        runner.initPosition(192 + 93, 422 + 93);
        // Far from the other runners, so the big mine only has the one runner.
        c.trap->setPosition(900, 100);
        SoundLog sounds;
        c.trap->trigger(&runner);
        EXPECT_TRUE(c.trap->isTriggered());
        c.effect(runner);
        // A runner that dies cries itself; that is the only sound of the spikes.
        const int own = c.sound == Sounds::NoFile ? 0 : 1;
        const int died = runner.isCrushed() ? 1 : 0;
        EXPECT_EQ(sounds.count(Sounds::Die), died);
        if (c.sound != Sounds::NoFile) {
            EXPECT_EQ(sounds.count(c.sound), 1);
        }
        EXPECT_EQ(sounds.total(), own + died);

        // The next runner over the spent trap is not touched and hears nothing.
        Hurdler& next = runners[5];
        next.initPosition(500, 300);
        SoundLog later;
        c.trap->trigger(&next);
        EXPECT_EQ(later.total(), 0);
        EXPECT_FALSE(next.isCrushed());
        EXPECT_FALSE(next.isTripped());
        EXPECT_EQ(next.getSlowLeft(), 0.0f);
        EXPECT_EQ(next.getX(), 500.0f);
    }
}

TEST_F(TrapTest, AGhostForARunnerThatHasJustGotUpIsSpentAllTheSame)
{
    Hurdler& runner = runners[0];
    runner.trip();
    while (runner.isTripped())
        runner.move();
    GhostTrap ghost;
    ghost.setPosition(300, 333);
    SoundLog sounds;
    ghost.trigger(&runner);
    EXPECT_FALSE(runner.isTripped());
    EXPECT_EQ(sounds.count(Sounds::Ghost), 1);
    EXPECT_TRUE(ghost.isTriggered());
    int shown = 0;
    for (int draw = 0; draw < 200; ++draw) {
        const std::vector<DrawCall> calls = drawTrap(drawer, ghost, false);
        if (!calls.empty()) {
            ++shown;
            EXPECT_EQ(calls[0].x, 315);
            EXPECT_EQ(calls[0].y, 303);
        }
    }
    EXPECT_EQ(shown, 96);
    EXPECT_EQ(ghost.getShowLeft(), 0);
}

TEST_F(TrapTest, BigMineSparesSeventyFiveAndCrushesSeventyFourPointSixSeven)
{
    BigMineTrap mine(runners);
    mine.setPosition(400, 300);
    runners[1].initPosition(325, 300); // exactly 75 to the left
    runners[2].initPosition(326, 290); // 74 left, 10 up: about 74.67
    runners[3].initPosition(400, 375); // 75 straight below
    runners[4].initPosition(400, 226); // 74 above
    runners[5].initPosition(326, 290);
    runners[5].crush(); // already dead inside the radius: crushed again, no second cry
    for (int lane : {6, 7})
        runners[lane].initPosition(700, 100);
    SoundLog sounds;
    mine.trigger(&runners[0]);
    EXPECT_TRUE(runners[0].isCrushed());
    EXPECT_FALSE(runners[1].isCrushed());
    EXPECT_TRUE(runners[2].isCrushed());
    EXPECT_FALSE(runners[3].isCrushed());
    EXPECT_TRUE(runners[4].isCrushed());
    EXPECT_TRUE(runners[5].isCrushed());
    EXPECT_FALSE(runners[6].isCrushed());
    EXPECT_EQ(sounds.count(Sounds::Die), 3);
    EXPECT_EQ(sounds.count(Sounds::Explosion), 1);
}

TEST_F(TrapTest, BigMineSetOffByHarryCrushesHimAndTestsAllEight)
{
    Harry harry;
    harry.initPosition(400, 300);
    BigMineTrap mine(runners);
    mine.setPosition(400, 300);
    for (int lane = 0; lane < 8; ++lane)
        runners[lane].initPosition(400 + 20 * lane, 300); // within 75 up to lane 3
    mine.trigger(&harry);
    EXPECT_TRUE(harry.isCrushed());
    for (int lane = 0; lane < 8; ++lane)
        EXPECT_EQ(runners[lane].isCrushed(), lane <= 3) << lane;
}

TEST_F(TrapTest, EachKindsPictureWhilePlacingDuringTheRaceAndOnceFired)
{
    struct Seen {
        const unsigned char* picture; // null: nothing drawn
        unsigned int length;
        int x, y;
    };
#define SEEN(name, x, y)                                                                                               \
    Seen                                                                                                               \
    {                                                                                                                  \
        Images::name, Images::name##_length, x, y                                                                      \
    }
    const Seen hidden{nullptr, 0, 0, 0};
    struct Case {
        const char* name;
        std::unique_ptr<Trap> trap;
        Seen placing, racing, fired; // at 300, 333; the biffo's punch stays, the ghost shows for a while
    };
    Case cases[] = {
        {"biffo", std::make_unique<BiffoTrap>(), SEEN(biffo_png, 300, 333), hidden, SEEN(biffo_png, 315, 303)},
        {"ghost", std::make_unique<GhostTrap>(), SEEN(ghost_png, 315, 303), hidden, SEEN(ghost_png, 315, 303)},
        {"mud", std::make_unique<MudTrap>(), SEEN(mud_png, 300, 333), SEEN(mud_png, 300, 333), SEEN(mud_png, 300, 333)},
        {"rake", std::make_unique<RakeTrap>(), SEEN(rakedown_png, 315, 303), SEEN(rakedown_png, 315, 303),
         SEEN(rakeup_png, 300, 313)},
        {"spikes", std::make_unique<SpikesTrap>(), SEEN(spikesclosed_png, 300, 333), SEEN(spikesclosed_png, 300, 333),
         SEEN(spikesopen_png, 300, 333)},
    };
#undef SEEN
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.trap->setPosition(300, 333);
        auto expectSeen = [&](bool placing, const Seen& seen) {
            const std::vector<DrawCall> calls = drawTrap(drawer, *c.trap, placing);
            ASSERT_EQ(calls.size(), seen.picture != nullptr ? 1u : 0u) << (placing ? "placing" : "racing");
            if (seen.picture != nullptr) {
                EXPECT_TRUE(drawer.isPicture(calls[0].id, seen.picture, seen.length));
                EXPECT_EQ(calls[0].x, seen.x);
                EXPECT_EQ(calls[0].y, seen.y);
            }
        };
        expectSeen(true, c.placing);
        expectSeen(false, c.racing);
        runners[0].initPosition(192, 422);
        c.trap->trigger(&runners[0]);
        for (int draw = 0; draw < 90; ++draw)
            expectSeen(false, c.fired);
    }
}

TEST_F(TrapTest, MineStarburstShrinksFromTwoOverFortyOneDraws)
{
    MineTrap mine;
    mine.setPosition(300, 333);
    DrawCall armed = drawTrap(drawer, mine, true).at(0);
    EXPECT_TRUE(drawer.isPicture(armed.id, Images::mine_png, Images::mine_png_length));
    EXPECT_EQ(armed.x, 300);
    mine.trigger(&runners[0]);
    std::vector<float> scales;
    for (int draw = 0; draw < 60; ++draw) {
        for (const DrawCall& call : drawTrap(drawer, mine, false)) {
            EXPECT_TRUE(drawer.isPicture(call.id, Images::mineexplode_png, Images::mineexplode_png_length));
            EXPECT_EQ(call.x, 300);
            EXPECT_EQ(call.y, 333);
            EXPECT_EQ(call.scaleX, call.scaleY);
            scales.push_back(call.scaleX);
        }
    }
    ASSERT_EQ(scales.size(), 41u);
    EXPECT_EQ(scales.front(), 2.0f);
    EXPECT_GT(scales.back(), 0.0f);
    EXPECT_LT(scales.back(), 1e-3f);
}

TEST_F(TrapTest, BigMineCloudGrowsAndRisesOverFortyOneDraws)
{
    BigMineTrap mine(runners);
    mine.setPosition(300, 333);
    DrawCall armed = drawTrap(drawer, mine, false).at(0);
    EXPECT_TRUE(drawer.isPicture(armed.id, Images::mine_png, Images::mine_png_length));
    EXPECT_EQ(armed.y, 333);
    mine.trigger(&runners[0]);
    std::vector<DrawCall> clouds;
    for (int draw = 0; draw < 60; ++draw)
        for (const DrawCall& call : drawTrap(drawer, mine, false))
            clouds.push_back(call);
    ASSERT_EQ(clouds.size(), 41u);
    EXPECT_TRUE(drawer.isPicture(clouds[0].id, Images::bigmine_png, Images::bigmine_png_length));
    EXPECT_EQ(clouds[0].scaleX, 0.0f);
    EXPECT_EQ(clouds[0].y, 333);
    for (const DrawCall& cloud : clouds) {
        EXPECT_EQ(cloud.x, 300);
        EXPECT_EQ(cloud.y, 333 + static_cast<int>(-30.0f * cloud.scaleX));
    }
    EXPECT_LT(clouds.back().scaleX, 2.0f);
    EXPECT_GT(clouds.back().scaleX, 1.99f);
    EXPECT_LT(clouds.back().y, 333 - 58);
}

TEST_F(TrapTest, EveryKindLoadsAllItsPicturesOnItsFirstDraw)
{
    RecordingDrawer fresh;
    SpikesTrap spikes;
    fresh.beginDrawing();
    spikes.draw(&fresh, true);
    fresh.endDrawing();
    EXPECT_EQ(fresh.imagesLoaded(), 2u);
    EXPECT_TRUE(fresh.isPicture(SpikesTrap::imageUp.id(), Images::spikesopen_png, Images::spikesopen_png_length));
    BiffoTrap biffo;
    fresh.beginDrawing();
    biffo.draw(&fresh, false); // nothing to show, loaded all the same
    fresh.endDrawing();
    EXPECT_EQ(fresh.imagesLoaded(), 3u);
    EXPECT_TRUE(fresh.calls().empty());
}
