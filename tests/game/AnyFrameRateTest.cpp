// The same game at any frame rate: a whole game through the real screens, with the runners'
// counters fixed, played at 1, 2, 3 and 4 steps a drawn frame and at a seeded mix of 1 to 5, as
// the loop takes them when frames come late. The race after every step, drawn or not, must be the
// same in all of them: every runner, Harry, every hurdle, every trap, the wall and the budget.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "game/screens/GamePlay.h"
#include "game/screens/RaceSnapshot.h"
#include "game/screens/StateManager.h"
#include "support/RecordingDrawer.h"
#include "support/ScriptedPlayer.h"

namespace {

// The player acts only between frames, at steps that every one of the fixed rates reaches (a
// multiple of 60); the mixed rate cuts a frame short there too, as a frame that came just then would.
constexpr int actEvery = 60;

struct Play {
    std::vector<std::string> afterEachStep; // the race's snapshot, or the screen away from the race
    std::vector<int> crushedPerRace;
    int trapsFired = 0;
    bool harryRaced = false;
};

class GameAtRate {
public:
    explicit GameAtRate(std::function<int()> stepsPerFrame) : stepsPerFrame(std::move(stepsPerFrame)) {}

    Play play()
    {
        ScriptedPlayer::fixCounters();
        screens->restart();
        steps(actEvery);
        player.startGame();
        for (int race = 0; race < 24 && screens->screenIndex() == StateManager::Race; ++race) {
            steps(actEvery);
            place();
            steps(actEvery);
            player.go();
            while (!this->race()->isRaceOver())
                steps(actEvery);
            record.harryRaced = record.harryRaced || this->race()->isHarryRace();
            int crushed = 0;
            for (int lane = 0; lane < 8; ++lane)
                crushed += this->race()->getRunner(lane).isCrushed() ? 1 : 0;
            record.crushedPerRace.push_back(this->race()->isHarryRace() ? -1 : crushed);
            for (const auto& trap : this->race()->getTraps())
                record.trapsFired += trap->isTriggered() ? 1 : 0;
            // What the page compares: the outcome holds while the pictures go on moving.
            const std::string outcome = RaceSnapshot::outcome(*this->race());
            steps(actEvery);
            EXPECT_EQ(RaceSnapshot::outcome(*this->race()), outcome);
            player.clickOn();
        }
        steps(actEvery);
        screens->restart();
        return record;
    }

private:
    GamePlay* race() const { return dynamic_cast<GamePlay*>(screens->currentScreen()); }

    // Mines, rakes and ghosts where points allow, with a mud and a boxing glove once there are many; what is
    // left moves hurdles back between two jump points, where the runners trip on them. Harry gets a
    // rake in front of his start, then the spikes.
    void place()
    {
        GamePlay& screen = *race();
        int points = screen.getPoints();
        if (screen.isHarryRace()) {
            player.dropTrapAhead(points >= 10 && record.harryRaced ? Tray::Spikes : Tray::Rake, 0, 5);
            return;
        }
        // The mud and the glove go in front of what the first two lanes get.
        if (points >= 9) {
            player.dropTrapAhead(Tray::Mud, 0, 1);
            points -= 2;
        }
        if (points >= 14) {
            player.dropTrapAhead(Tray::Biffo, 1, 10);
            points -= 4;
        }
        int lane = 0;
        if (points >= 24) {
            player.dropTrapAhead(Tray::BigMine, lane++, 30);
            points -= 10;
        }
        if (points >= 18) {
            player.dropTrapAhead(Tray::Mine, lane++, 30);
            points -= 10;
        }
        for (; points >= 6 && lane < 8; ++lane, points -= 3)
            player.dropTrapAhead(Tray::Rake, lane, 1);
        for (; points >= 5 && lane < 8; ++lane, points -= 3)
            player.dropTrapAhead(Tray::Ghost, lane, 1);
        const int perLane = points == 4 ? 2 : points;
        for (; points >= 2 && lane < 8; ++lane)
            for (int i = 0; i < perLane && points > 0; ++i, --points)
                player.shiftHurdle(screen.getHurdle(5 * lane + i));
    }

    // `count` steps, in frames of the rate's sizes, each frame's last step drawn.
    void steps(int count)
    {
        for (int taken = 0; taken < count;) {
            const int frame = std::min(stepsPerFrame(), count - taken);
            for (int i = 1; i < frame; ++i)
                take([this] { screens->step(); });
            take([this] { screens->draw(&drawer); });
            taken += frame;
        }
    }

    void take(const std::function<void()>& step)
    {
        step();
        const GamePlay* screen = race();
        record.afterEachStep.push_back(screen != nullptr ? RaceSnapshot::of(*screen)
                                                         : "screen " + std::to_string(screens->screenIndex()));
    }

    std::function<int()> stepsPerFrame;
    StateManager* screens = StateManager::getInstance();
    RecordingDrawer drawer;
    ScriptedPlayer::ScreenHand hand;
    ScriptedPlayer player{hand};
    Play record;
};

// The first step at which two plays differ, with both snapshots, or nothing.
std::string firstDifference(const Play& one, const Play& other)
{
    for (std::size_t i = 0; i < std::min(one.afterEachStep.size(), other.afterEachStep.size()); ++i)
        if (one.afterEachStep[i] != other.afterEachStep[i])
            return "step " + std::to_string(i + 1) + ":\n" + one.afterEachStep[i] + "against\n" +
                   other.afterEachStep[i];
    if (one.afterEachStep.size() != other.afterEachStep.size())
        return "one play is " + std::to_string(one.afterEachStep.size()) + " steps, the other " +
               std::to_string(other.afterEachStep.size());
    return "";
}

} // namespace

TEST(AnyFrameRate, EveryStepOfAWholeGameIsTheSameAtEveryRate)
{
    const Play drawnEveryStep = GameAtRate([] { return 1; }).play();
    // The game played has what the rates could tell apart: trips, traps that fire, several races
    // and Harry.
    EXPECT_GE(drawnEveryStep.crushedPerRace.size(), 4u);
    EXPECT_TRUE(drawnEveryStep.harryRaced);
    EXPECT_GE(drawnEveryStep.trapsFired, 10);
    EXPECT_EQ(drawnEveryStep.afterEachStep.back(), "screen 2"); // won: the ending

    for (const int rate : {2, 3, 4}) {
        SCOPED_TRACE(std::to_string(rate) + " steps a frame");
        const Play play = GameAtRate([rate] { return rate; }).play();
        EXPECT_EQ(play.crushedPerRace, drawnEveryStep.crushedPerRace);
        EXPECT_EQ(firstDifference(drawnEveryStep, play), "");
    }
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> sizes(1, 5);
    const Play mixed = GameAtRate([&] { return sizes(random); }).play();
    EXPECT_EQ(mixed.crushedPerRace, drawnEveryStep.crushedPerRace);
    EXPECT_EQ(firstDifference(drawnEveryStep, mixed), "");
}
