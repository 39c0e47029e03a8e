// The tray, icon by icon: from which budget it is offered, its click area without the edges, and
// the trap it makes, at its price.
#include <gtest/gtest.h>

#include "game/race/Tray.h"
#include "game/traps/Trap.h"

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
    // The first race offers hurdles only, and nothing is made from outside the icons.
    for (const Icon& icon : icons)
        EXPECT_FALSE(Tray::offers(icon.kind, 3));
    EXPECT_EQ(Tray::kindAt(20, 600, 80), Tray::KindCount);
    EXPECT_EQ(Tray::create(Tray::KindCount, {}), nullptr);
}
