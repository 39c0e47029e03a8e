// The seven traps: what each does to the runner that reaches it, the sound it plays, that it fires
// once, the big mine's radius, and the pictures each draws before, while and after it fires.
#include <gtest/gtest.h>

#include <array>
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

    struct Case {
        const char* name;
        std::unique_ptr<Trap> trap;
        Sounds::SoundType sound; // NoFile: the trap itself is silent
    };
    Case cases[] = {
        {"biffo", std::make_unique<BiffoTrap>(), Sounds::Biffo},
        {"mine", std::make_unique<MineTrap>(), Sounds::Explosion},
        {"big mine", std::make_unique<BigMineTrap>(runners.data()), Sounds::Explosion},
        {"ghost", std::make_unique<GhostTrap>(), Sounds::Ghost},
        {"mud", std::make_unique<MudTrap>(), Sounds::NoFile},
        {"rake", std::make_unique<RakeTrap>(), Sounds::Boing},
        {"spikes", std::make_unique<SpikesTrap>(), Sounds::NoFile},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        runner.initPosition(192 + 93, 422 + 93);
        // Far from the other runners, so the big mine only has the one runner.
        c.trap->setPosition(900, 100);
        SoundLog sounds;
        c.trap->trigger(&runner);
        EXPECT_TRUE(c.trap->isTriggered());
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

TEST_F(TrapTest, EffectsOnTheRunner)
{
    Hurdler& runner = runners[0];

    BiffoTrap biffo;
    biffo.trigger(&runner);
    EXPECT_EQ(runner.getX(), 192.0f - 75.0f);
    EXPECT_EQ(runner.getY(), 422.0f + 50.0f);

    runner.initPosition(192, 422);
    GhostTrap ghost;
    ghost.trigger(&runner);
    EXPECT_TRUE(runner.isTripped());
    EXPECT_EQ(runner.getTripLeft(), 256.0f);
    EXPECT_EQ(ghost.getShowLeft(), 96);

    runner.initPosition(192, 422);
    RakeTrap rake;
    rake.trigger(&runner);
    EXPECT_EQ(runner.getTripLeft(), 384.0f);

    runner.initPosition(192, 422);
    MudTrap mud;
    mud.trigger(&runner);
    EXPECT_FALSE(runner.isTripped());
    EXPECT_EQ(runner.getSlowLeft(), 160.0f);

    for (Trap* killer : std::initializer_list<Trap*>{new MineTrap, new SpikesTrap}) {
        runner.initPosition(192, 422);
        killer->trigger(&runner);
        EXPECT_TRUE(runner.isCrushed());
        EXPECT_TRUE(killer->isTriggered());
        delete killer;
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
    BigMineTrap mine(runners.data());
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
    BigMineTrap mine(runners.data());
    mine.setPosition(400, 300);
    for (int lane = 0; lane < 8; ++lane)
        runners[lane].initPosition(400 + 20 * lane, 300); // within 75 up to lane 3
    mine.trigger(&harry);
    EXPECT_TRUE(harry.isCrushed());
    for (int lane = 0; lane < 8; ++lane)
        EXPECT_EQ(runners[lane].isCrushed(), lane <= 3) << lane;
}

TEST_F(TrapTest, BiffoIsHiddenDuringTheRaceUntilItPunches)
{
    BiffoTrap biffo;
    biffo.setPosition(300, 333);
    std::vector<DrawCall> calls = drawTrap(drawer, biffo, true);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(drawer.isPicture(calls[0].id, Images::biffo_png, Images::biffo_png_length));
    EXPECT_EQ(calls[0].x, 300);
    EXPECT_EQ(calls[0].y, 333);
    EXPECT_TRUE(drawTrap(drawer, biffo, false).empty());
    biffo.trigger(&runners[0]);
    for (int draw = 0; draw < 500; ++draw) {
        calls = drawTrap(drawer, biffo, false);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].x, 315);
        EXPECT_EQ(calls[0].y, 303);
    }
}

TEST_F(TrapTest, GhostWhilePlacingIsDrawnUpAndToTheRightAndHiddenDuringTheRace)
{
    GhostTrap ghost;
    ghost.setPosition(300, 333);
    const std::vector<DrawCall> calls = drawTrap(drawer, ghost, true);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(drawer.isPicture(calls[0].id, Images::ghost_png, Images::ghost_png_length));
    EXPECT_EQ(calls[0].x, 315);
    EXPECT_EQ(calls[0].y, 303);
    EXPECT_TRUE(drawTrap(drawer, ghost, false).empty());
}

TEST_F(TrapTest, MudLooksTheSameBeforeAndAfterAndRakeAndSpikesChangeTheirPicture)
{
    MudTrap mud;
    RakeTrap rake;
    SpikesTrap spikes;
    for (Trap* trap : std::initializer_list<Trap*>{&mud, &rake, &spikes})
        trap->setPosition(300, 333);

    auto only = [&](Trap& trap, bool placing) {
        const std::vector<DrawCall> calls = drawTrap(drawer, trap, placing);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? DrawCall{} : calls[0];
    };
    DrawCall call = only(mud, true);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::mud_png, Images::mud_png_length));
    EXPECT_EQ(call.x, 300);
    EXPECT_EQ(call.y, 333);
    call = only(rake, false);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::rakedown_png, Images::rakedown_png_length));
    EXPECT_EQ(call.x, 315);
    EXPECT_EQ(call.y, 303);
    call = only(spikes, false);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::spikesclosed_png, Images::spikesclosed_png_length));
    EXPECT_EQ(call.x, 300);

    for (Trap* trap : std::initializer_list<Trap*>{&mud, &rake, &spikes}) {
        runners[0].initPosition(192, 422);
        trap->trigger(&runners[0]);
    }
    call = only(mud, false);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::mud_png, Images::mud_png_length));
    EXPECT_EQ(call.x, 300);
    EXPECT_EQ(call.y, 333);
    call = only(rake, false);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::rakeup_png, Images::rakeup_png_length));
    EXPECT_EQ(call.x, 300);
    EXPECT_EQ(call.y, 313);
    call = only(spikes, false);
    EXPECT_TRUE(drawer.isPicture(call.id, Images::spikesopen_png, Images::spikesopen_png_length));
    EXPECT_EQ(call.x, 300);
    EXPECT_EQ(call.y, 333);
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
    BigMineTrap mine(runners.data());
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
