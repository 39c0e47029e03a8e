// The seven traps: what each does to the runner that reaches it, the sound it plays, that it fires
// once, the big mine's radius, and the pictures each draws before, while and after it fires. The
// tray, icon by icon: from which budget it is offered, its click area without the edges, and the
// trap it makes, at its price.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "game/SoundLog.h"
#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "game/race/Tray.h"
#include "game/traps/BiffoTrap.h"
#include "game/traps/BigMineTrap.h"
#include "game/traps/GhostTrap.h"
#include "game/traps/SpikesTrap.h"
#include "support/RecordingDrawer.h"

namespace {

struct TrapTest : ::testing::Test {
    void SetUp() override
    {
        for (int lane = 0; lane < 8; ++lane)
            runners[lane].initPosition(192 + 31 * lane, 422 + 31 * lane);
    }
    // One step of a trap, and the draw calls of the frame that shows it.
    const std::vector<DrawCall>& draw(Trap& trap, bool placing)
    {
        trap.step();
        return drawer.record([&](Drawer* to) { trap.draw(to, placing); });
    }
    std::array<Hurdler, 8> runners;
    RecordingDrawer drawer;
};

} // namespace

TEST_F(TrapTest, EachKindDoesItsThingWithItsSoundAndFiresOnlyOnce)
{
    // What a runner at 285, 515 is left with. A runner that dies cries itself; that is the only
    // sound of the spikes.
    struct Case {
        Tray::Kind kind;
        Sounds::SoundType sound; // NoFile: the trap itself is silent
        bool crushed;
        float tripLeft, slowLeft, x, y;
    };
    const Case cases[] = {
        {Tray::Biffo, Sounds::Biffo, false, 0.0f, 0.0f, 285.0f - 75.0f, 515.0f + 50.0f},
        {Tray::Mine, Sounds::Explosion, true, 0.0f, 0.0f, 285.0f, 515.0f},
        {Tray::BigMine, Sounds::Explosion, true, 0.0f, 0.0f, 285.0f, 515.0f},
        {Tray::Ghost, Sounds::Ghost, false, 256.0f, 0.0f, 285.0f, 515.0f},
        {Tray::Mud, Sounds::NoFile, false, 0.0f, 160.0f, 285.0f, 515.0f},
        {Tray::Rake, Sounds::Boing, false, 384.0f, 0.0f, 285.0f, 515.0f},
        {Tray::Spikes, Sounds::NoFile, true, 0.0f, 0.0f, 285.0f, 515.0f},
    };
    Hurdler& runner = runners[3];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::unique_ptr<Trap> trap = Tray::create(c.kind, runners);
        runner.initPosition(192 + 93, 422 + 93);
        // Far from the other runners, so the big mine only has the one runner.
        trap->setPosition(900, 100);
        SoundLog sounds;
        trap->trigger(&runner);
        EXPECT_TRUE(trap->isTriggered());
        EXPECT_EQ(runner.isCrushed(), c.crushed);
        EXPECT_EQ(runner.isTripped(), c.tripLeft > 0.0f);
        EXPECT_EQ(runner.getTripLeft(), c.tripLeft);
        EXPECT_EQ(runner.getSlowLeft(), c.slowLeft);
        EXPECT_EQ(runner.getX(), c.x);
        EXPECT_EQ(runner.getY(), c.y);
        EXPECT_EQ(sounds.count(Sounds::Die), c.crushed ? 1 : 0);
        EXPECT_EQ(sounds.count(c.sound), c.sound == Sounds::NoFile ? 0 : 1);
        EXPECT_EQ(sounds.total(), sounds.count(Sounds::Die) + sounds.count(c.sound));

        // The next runner over the spent trap is not touched and hears nothing.
        Hurdler& next = runners[5];
        next.initPosition(500, 300);
        SoundLog later;
        trap->trigger(&next);
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
    for (int frame = 0; frame < 200; ++frame) {
        for (const DrawCall& call : draw(ghost, false)) {
            ++shown;
            EXPECT_TRUE(drawer.drawsAt(call, PICTURE(ghost_png), 315, 303));
        }
    }
    EXPECT_EQ(shown, 96);
    EXPECT_EQ(ghost.getShowLeft(), 0);
}

TEST_F(TrapTest, BigMineSparesSeventyFiveCrushesSeventyFourPointSixSevenAndSparesNoneForHarry)
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
    const bool crushed[] = {true, false, true, false, true, true, false, false};
    for (int lane = 0; lane < 8; ++lane)
        EXPECT_EQ(runners[lane].isCrushed(), crushed[lane]) << lane;
    EXPECT_EQ(sounds.count(Sounds::Die), 3);
    EXPECT_EQ(sounds.count(Sounds::Explosion), 1);

    // Set off by Harry: he is crushed, and all eight are tested.
    Harry harry;
    harry.initPosition(400, 300);
    BigMineTrap second(runners);
    second.setPosition(400, 300);
    for (int lane = 0; lane < 8; ++lane)
        runners[lane].initPosition(400 + 20 * lane, 300); // within 75 up to lane 3
    second.trigger(&harry);
    EXPECT_TRUE(harry.isCrushed());
    for (int lane = 0; lane < 8; ++lane)
        EXPECT_EQ(runners[lane].isCrushed(), lane <= 3) << lane;
}

TEST_F(TrapTest, EachKindsPictureWhilePlacingDuringTheRaceAndOnceFired)
{
    const Seen hidden{nullptr, 0, 0, 0};
    struct Case {
        Tray::Kind kind;
        Seen placing, racing, fired; // at 300, 333; the biffo's punch stays, the ghost shows for a while
    };
    const Case cases[] = {
        {Tray::Biffo, {PICTURE(biffo_png), 300, 333}, hidden, {PICTURE(biffo_png), 315, 303}},
        {Tray::Ghost, {PICTURE(ghost_png), 315, 303}, hidden, {PICTURE(ghost_png), 315, 303}},
        {Tray::Mud, {PICTURE(mud_png), 300, 333}, {PICTURE(mud_png), 300, 333}, {PICTURE(mud_png), 300, 333}},
        {Tray::Rake,
         {PICTURE(rakedown_png), 315, 303},
         {PICTURE(rakedown_png), 315, 303},
         {PICTURE(rakeup_png), 300, 313}},
        {Tray::Spikes,
         {PICTURE(spikesclosed_png), 300, 333},
         {PICTURE(spikesclosed_png), 300, 333},
         {PICTURE(spikesopen_png), 300, 333}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::unique_ptr<Trap> trap = Tray::create(c.kind, runners);
        trap->setPosition(300, 333);
        auto expectSeen = [&](bool placing, const Seen& seen) {
            const std::vector<DrawCall>& calls = draw(*trap, placing);
            ASSERT_EQ(calls.size(), seen.data != nullptr ? 1u : 0u) << (placing ? "placing" : "racing");
            if (seen.data != nullptr) {
                EXPECT_TRUE(drawer.drawsAt(calls[0], seen));
            }
        };
        expectSeen(true, c.placing);
        expectSeen(false, c.racing);
        runners[0].initPosition(192, 422);
        trap->trigger(&runners[0]);
        for (int draw = 0; draw < 90; ++draw)
            expectSeen(false, c.fired);
    }
}

// The mine's starburst shrinks from twice its size; the big mine's cloud grows from nothing to
// twice its size and rises as it grows. Both are gone after 41 steps.
TEST_F(TrapTest, MineBlastsLastFortyOneSteps)
{
    for (const Tray::Kind kind : {Tray::Mine, Tray::BigMine}) {
        SCOPED_TRACE(kind);
        const bool big = kind == Tray::BigMine;
        const std::unique_ptr<Trap> mine = Tray::create(kind, runners);
        mine->setPosition(300, 333);
        EXPECT_TRUE(drawer.drawsAt(draw(*mine, !big).at(0), PICTURE(mine_png), 300, 333));
        mine->trigger(&runners[0]);
        std::vector<DrawCall> blasts;
        for (int frame = 0; frame < 60; ++frame)
            for (const DrawCall& call : draw(*mine, false))
                blasts.push_back(call);
        ASSERT_EQ(blasts.size(), 41u);
        for (const DrawCall& blast : blasts) {
            EXPECT_TRUE(big ? drawer.isPicture(blast.id, PICTURE(bigmine_png))
                            : drawer.isPicture(blast.id, PICTURE(mineexplode_png)));
            EXPECT_EQ(blast.x, 300);
            EXPECT_EQ(blast.y, big ? 333 + static_cast<int>(-30.0f * blast.scaleX) : 333);
            EXPECT_EQ(blast.scaleX, blast.scaleY);
        }
        EXPECT_EQ(blasts.front().scaleX, big ? 0.0f : 2.0f);
        EXPECT_GT(blasts.back().scaleX, big ? 1.99f : 0.0f);
        EXPECT_LT(blasts.back().scaleX, big ? 2.0f : 1e-3f);
    }
}

TEST_F(TrapTest, EveryKindLoadsAllItsPicturesOnItsFirstDraw)
{
    SpikesTrap spikes;
    draw(spikes, true);
    EXPECT_EQ(drawer.imagesLoaded(), 2u);
    EXPECT_TRUE(drawer.isPicture(SpikesTrap::imageUp.id(), PICTURE(spikesopen_png)));
    BiffoTrap biffo;
    EXPECT_TRUE(draw(biffo, false).empty()); // nothing to show, loaded all the same
    EXPECT_EQ(drawer.imagesLoaded(), 3u);
}

TEST(Tray, EachIconIsOfferedFromItsThresholdClickedInsideItsEdgesAndMakesItsTrapAtItsPrice)
{
    struct Icon {
        Tray::Kind kind;
        int left, top, right, bottom; // the icon's rectangle
        int threshold, cost;
    };
    const Icon icons[] = {
        {Tray::Mud, 10, 40, 74, 115, 4, 2},        {Tray::Ghost, 84, 40, 148, 120, 5, 3},
        {Tray::Rake, 158, 40, 222, 118, 6, 3},     {Tray::Biffo, 232, 40, 296, 122, 8, 4},
        {Tray::Spikes, 306, 40, 370, 124, 12, 10}, {Tray::Mine, 380, 40, 444, 118, 15, 10},
        {Tray::BigMine, 10, 125, 74, 242, 20, 10},
    };
    for (const Icon& icon : icons) {
        SCOPED_TRACE(icon.kind);
        const int midX = (icon.left + icon.right) / 2;
        const int midY = (icon.top + icon.bottom) / 2;
        EXPECT_FALSE(Tray::offers(icon.kind, icon.threshold - 1));
        EXPECT_TRUE(Tray::offers(icon.kind, icon.threshold));
        EXPECT_EQ(Tray::kindAt(icon.threshold - 1, midX, midY), Tray::KindCount);
        EXPECT_EQ(Tray::kindAt(icon.threshold, midX, midY), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, icon.left + 1, midY), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, icon.right - 1, midY), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, midX, icon.top + 1), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, midX, icon.bottom - 1), icon.kind);
        EXPECT_NE(Tray::kindAt(20, icon.left, midY), icon.kind);
        EXPECT_NE(Tray::kindAt(20, icon.right, midY), icon.kind);
        EXPECT_NE(Tray::kindAt(20, midX, icon.top), icon.kind);
        EXPECT_NE(Tray::kindAt(20, midX, icon.bottom), icon.kind);
        EXPECT_EQ(Tray::create(icon.kind, {})->getCost(), icon.cost);
    }
    // Nothing is made from outside the icons.
    EXPECT_EQ(Tray::kindAt(20, 600, 80), Tray::KindCount);
    EXPECT_EQ(Tray::create(Tray::KindCount, {}), nullptr);
}
