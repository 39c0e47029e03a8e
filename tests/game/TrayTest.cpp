// The tray: thresholds, and click areas that exclude the icons' edges.
#include <gtest/gtest.h>

#include "game/race/Tray.h"
#include "game/traps/Trap.h"

TEST(Tray, EachKindIsOfferedFromItsThresholdAndCostsLess)
{
    const int thresholds[] = {4, 5, 6, 8, 12, 15, 20};
    for (int k = 0; k < Tray::KindCount; ++k) {
        const Tray::Kind kind = static_cast<Tray::Kind>(k);
        EXPECT_FALSE(Tray::offers(kind, thresholds[k] - 1)) << k;
        EXPECT_TRUE(Tray::offers(kind, thresholds[k])) << k;
        EXPECT_LT(Tray::create(kind, nullptr)->getCost(), thresholds[k]) << k;
    }
    for (int k = 0; k < Tray::KindCount; ++k)
        EXPECT_FALSE(Tray::offers(static_cast<Tray::Kind>(k), 3)); // the first race: hurdles only
}

TEST(Tray, ClickAreasAreTheIconsInsides)
{
    struct Icon {
        Tray::Kind kind;
        int left, top, right, bottom; // the icon's rectangle
    };
    const Icon icons[] = {
        {Tray::Mud, 10, 40, 74, 115},      {Tray::Ghost, 84, 40, 148, 120},   {Tray::Rake, 158, 40, 222, 118},
        {Tray::Biffo, 232, 40, 296, 122},  {Tray::Spikes, 306, 40, 370, 124}, {Tray::Mine, 380, 40, 444, 118},
        {Tray::BigMine, 10, 125, 74, 242},
    };
    for (const Icon& icon : icons) {
        SCOPED_TRACE(icon.kind);
        const int midX = (icon.left + icon.right) / 2;
        const int midY = (icon.top + icon.bottom) / 2;
        EXPECT_EQ(Tray::kindAt(20, icon.left + 1, midY), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, icon.right - 1, midY), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, midX, icon.top + 1), icon.kind);
        EXPECT_EQ(Tray::kindAt(20, midX, icon.bottom - 1), icon.kind);
        EXPECT_NE(Tray::kindAt(20, icon.left, midY), icon.kind);
        EXPECT_NE(Tray::kindAt(20, icon.right, midY), icon.kind);
        EXPECT_NE(Tray::kindAt(20, midX, icon.top), icon.kind);
        EXPECT_NE(Tray::kindAt(20, midX, icon.bottom), icon.kind);
    }
}

TEST(Tray, OnlyOfferedIconsCanBeClicked)
{
    EXPECT_EQ(Tray::kindAt(4, 40, 80), Tray::Mud);
    EXPECT_EQ(Tray::kindAt(4, 115, 80), Tray::KindCount);
    EXPECT_EQ(Tray::kindAt(19, 40, 180), Tray::KindCount);
    EXPECT_EQ(Tray::kindAt(3, 40, 80), Tray::KindCount);
    EXPECT_EQ(Tray::kindAt(20, 600, 80), Tray::KindCount);
}

TEST(Tray, MakesTheKindClicked)
{
    EXPECT_EQ(Tray::create(Tray::Mud, nullptr)->getCost(), 2);
    EXPECT_EQ(Tray::create(Tray::Ghost, nullptr)->getCost(), 3);
    EXPECT_EQ(Tray::create(Tray::Biffo, nullptr)->getCost(), 4);
    EXPECT_EQ(Tray::create(Tray::KindCount, nullptr), nullptr);
}
