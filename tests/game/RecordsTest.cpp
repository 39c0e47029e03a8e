// The player's records: what a game's end beats, the news the next screen gets, what the listener
// hears, and the title's line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Records.h"

namespace {

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        records->restore({});
        records->setListener([this](const Records::Best& best) { heard.push_back(best); });
    }
    void TearDown() override
    {
        records->setListener(nullptr);
        records->restore({});
    }

    Records* records = Records::getInstance();
    std::vector<Records::Best> heard;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(RecordsTest, MoreCrushedBeatsTheBestAndFewerRacesOnlyInAWonGame)
{
    // The first game with a runner crushed sets a record; none crushed is no record at all.
    EXPECT_FALSE(records->gameEnded(0, false, 3));
    EXPECT_TRUE(records->takeNews().empty());
    EXPECT_TRUE(records->gameEnded(5, false, 6));
    EXPECT_EQ(records->best(), (Records::Best{5, 0}));
    EXPECT_EQ(records->takeNews(), Lines{"5 runners crushed"});
    EXPECT_TRUE(records->takeNews().empty()); // given once

    // Equal is no record; fewer races in a lost game are no record either.
    EXPECT_FALSE(records->gameEnded(5, false, 2));
    EXPECT_EQ(records->best(), (Records::Best{5, 0}));

    // A first won game sets the races whatever it crushed; both at once are two lines of news.
    EXPECT_TRUE(records->gameEnded(12, true, 4));
    EXPECT_EQ(records->best(), (Records::Best{12, 4}));
    EXPECT_EQ(records->takeNews(), (Lines{"12 runners crushed", "won in 4 races"}));

    // A won game that took more races, or as many, beats nothing with as few crushed.
    EXPECT_FALSE(records->gameEnded(9, true, 5));
    EXPECT_FALSE(records->gameEnded(12, true, 4));
    EXPECT_TRUE(records->takeNews().empty());
    // Fewer races alone, then more crushed alone: each beats its own record only.
    EXPECT_TRUE(records->gameEnded(9, true, 2));
    EXPECT_EQ(records->best(), (Records::Best{12, 2}));
    EXPECT_EQ(records->takeNews(), Lines{"won in 2 races"});
    EXPECT_TRUE(records->gameEnded(40, false, 30));
    EXPECT_EQ(records->best(), (Records::Best{40, 2}));
    EXPECT_EQ(records->takeNews(), Lines{"40 runners crushed"});

    // The listener heard the new best values once per game that beat one, never otherwise.
    EXPECT_EQ(heard, (std::vector<Records::Best>{{5, 0}, {12, 4}, {12, 2}, {40, 2}}));
}

TEST(RecordsLine, SaysOnlyTheRecordsThereAreInTheGamesGlyphs)
{
    EXPECT_EQ(Records::line({}), "");
    EXPECT_EQ(Records::line({1, 0}), "best 1 crushed");
    EXPECT_EQ(Records::line({32, 11}), "best 32 crushed, won in 11 races");
    for (const std::string& text : {Records::line({32, 11}), Records::joined({"1 runner crushed", "won in 2 races"})})
        for (char c : text)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        std::string(" .,!?+-").find(c) != std::string::npos)
                << "no glyph for '" << c << "' in " << text;
    Records::getInstance()->restore({});
    Records::getInstance()->gameEnded(1, false, 3);
    EXPECT_EQ(Records::getInstance()->takeNews(), Lines{"1 runner crushed"});
    Records::getInstance()->restore({});
}
