// The game's named counters: when observers are told, what the score adds up, and reset.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game/GameCounter.h"

namespace {

class Recorder : public CounterNotification {
public:
    void notify(const std::string& name, int count) override { heard.emplace_back(name, count); }
    std::vector<std::pair<std::string, int>> heard;
};

// The counters are shared by the whole process: every test takes its own names (none that the race
// screen counts with) and gives its registrations back before its observers go.
class GameCounterTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const auto& [name, interval, observer] : registrations)
            counters->unregisterNotification(name, interval, observer);
    }
    void watch(const std::string& name, int interval, CounterNotification* observer)
    {
        counters->registerNotification(name, interval, observer);
        registrations.emplace_back(name, interval, observer);
    }

    GameCounter* counters = GameCounter::getInstance();
    std::vector<std::tuple<std::string, int, CounterNotification*>> registrations;
};

using Heard = std::vector<std::pair<std::string, int>>;

} // namespace

TEST_F(GameCounterTest, ObserversAreToldOnlyWhenTheCountLandsOnAMultiple)
{
    Recorder recorder;
    watch("Toppled", 5, &recorder);
    for (int i = 0; i < 5; ++i)
        counters->incrementCount("Toppled", 1);
    EXPECT_EQ(recorder.heard, (Heard{{"Toppled", 5}}));

    // Stepping over a multiple without landing on it (3 to 6) tells nobody; going down onto one (5)
    // counts, and so does standing still on one.
    watch("Tripped", 5, &recorder);
    counters->incrementCount("Tripped", 3);
    counters->incrementCount("Tripped", 3);
    counters->incrementCount("Tripped", -1);
    counters->incrementCount("Tripped", 0);
    counters->incrementCount("Tripped", -15);
    EXPECT_EQ(recorder.heard, (Heard{{"Toppled", 5}, {"Tripped", 5}, {"Tripped", 5}, {"Tripped", -10}}));
    EXPECT_EQ(counters->getCount("Toppled"), 5) << "other counters are left alone";
}

TEST_F(GameCounterTest, RegistrationsAreToldInOrderAndRemovedOneAtATime)
{
    Recorder first;
    Recorder second;
    watch("Jumps", 2, &first);
    watch("Jumps", 3, &second);
    watch("Jumps", 2, &first); // the same observer twice is told twice
    counters->incrementCount("Jumps", 6);
    EXPECT_EQ(first.heard, (Heard{{"Jumps", 6}, {"Jumps", 6}}));
    EXPECT_EQ(second.heard, (Heard{{"Jumps", 6}}));

    // Only a registration with the same interval and observer goes, and only the first of them.
    counters->unregisterNotification("Jumps", 3, &first);
    counters->unregisterNotification("Jumps", 2, &first);
    counters->incrementCount("Jumps", 6);
    EXPECT_EQ(first.heard.size(), 3u);
    EXPECT_EQ(second.heard.size(), 2u);
    counters->unregisterNotification("No such counter", 2, &first);
}

TEST_F(GameCounterTest, ScoreLeavesOutFighterAndTimeAndResetZeroesTheCountsButKeepsTheObservers)
{
    counters->reset();
    EXPECT_EQ(counters->getCount("Never used"), 0);
    counters->incrementCount("Fighter", 7);
    counters->incrementCount("Time", 100);
    counters->incrementCount("Bonus", 3);
    EXPECT_EQ(counters->getScore(), 3);
    counters->incrementCount("time", 4); // the names are compared exactly
    EXPECT_EQ(counters->getScore(), 7);
    EXPECT_EQ(counters->getCount("Fighter"), 7);

    Recorder threes;
    Recorder sevens;
    watch("Laps", 3, &threes);
    watch("Laps", 7, &sevens);
    counters->incrementCount("Laps", 5);
    counters->reset();
    EXPECT_EQ(counters->getCount("Laps"), 0);
    EXPECT_EQ(counters->getScore(), 0);
    // 0 is a multiple of every interval.
    counters->incrementCount("Laps", 0);
    EXPECT_EQ(threes.heard, (Heard{{"Laps", 0}}));
    EXPECT_EQ(sevens.heard, (Heard{{"Laps", 0}}));
    counters->incrementCount("Laps", 3);
    EXPECT_EQ(threes.heard.size(), 2u);
    EXPECT_EQ(sevens.heard.size(), 1u);
}

TEST_F(GameCounterTest, ObserversMayLeaveFromInsideNotify)
{
    struct Quitter : CounterNotification {
        GameCounter* counters = nullptr;
        int told = 0;
        void notify(const std::string& name, int) override
        {
            ++told;
            counters->unregisterNotification(name, 1, this);
        }
    } quitter;
    quitter.counters = counters;
    Recorder stays;
    counters->registerNotification("Leaving", 1, &quitter);
    watch("Leaving", 1, &stays);
    counters->incrementCount("Leaving", 1);
    counters->incrementCount("Leaving", 1);
    EXPECT_EQ(quitter.told, 1);
    EXPECT_EQ(stays.heard.back(), (std::pair<std::string, int>{"Leaving", 2}));
}

TEST_F(GameCounterTest, OddIntervalsAndExtremeCountsAreSafe)
{
    Recorder zero;
    Recorder minusOne;
    watch("Edges", 0, &zero);
    watch("Edges", -1, &minusOne);
    counters->incrementCount("Edges", 4);
    EXPECT_TRUE(zero.heard.empty()) << "only 0 is a multiple of 0";
    counters->incrementCount("Edges", -4);
    EXPECT_EQ(zero.heard, (Heard{{"Edges", 0}}));

    counters->incrementCount("Edges", INT_MIN);
    EXPECT_EQ(counters->getCount("Edges"), INT_MIN);
    EXPECT_EQ(minusOne.heard.back().second, INT_MIN);
    counters->incrementCount("Edges", -1);
    EXPECT_EQ(counters->getCount("Edges"), INT_MIN) << "counts stop at the ends instead of wrapping";

    // The score is clamped once, at the end, so it does not depend on the order of the names.
    counters->reset();
    counters->incrementCount("Edges a", INT_MAX);
    counters->incrementCount("Edges b", 1);
    counters->incrementCount("Edges c", -1);
    EXPECT_EQ(counters->getScore(), INT_MAX);
    counters->incrementCount("Edges c", INT_MIN);
    counters->incrementCount("Edges d", INT_MIN);
    EXPECT_EQ(counters->getScore(), INT_MIN);
    counters->reset();
}
