#include "app/WindowArrangement.h"

#include <gtest/gtest.h>

#include <QRegion>
#include <algorithm>

namespace {

// A 1280 x 1024 screen with a 24 px panel at the bottom; the control window's
// frame at (149, 130), its bars ending 96 px below its frame's top.
const QRect room(0, 0, 1280, 1000);
const QRect control(149, 130, 969, 739);
const int barsBottom = 130 + 95;
const QSize glFrame(642, 505);

TEST(WindowArrangement, OnlyAFrameOverTheTitleOrTheBarsIsInTheWay) {
    const WindowArrangement a(room, control, barsBottom, 20);
    EXPECT_TRUE(a.hidesTheBars(QRect(QPoint(99, 80), glFrame)));
    EXPECT_TRUE(a.hidesTheBars(QRect(QPoint(600, 225), glFrame)));
    EXPECT_FALSE(a.hidesTheBars(QRect(QPoint(600, 226), glFrame)));
    EXPECT_FALSE(a.hidesTheBars(QRect(QPoint(1118, 0), glFrame)));
    EXPECT_FALSE(a.hidesTheBars(QRect(QPoint(0, 0), QSize(149, 1000))));
}

TEST(WindowArrangement, BesideTheControlWindowWhereTheScreenHasRoom) {
    const QRect wide(0, 0, 1920, 1200);
    const WindowArrangement a(wide, control, barsBottom, 20);
    EXPECT_EQ(a.place(glFrame, 1), QPoint(1118, 130));
    // The second on the other side, below the bars where it has no room.
    EXPECT_EQ(a.place(glFrame, 2), QPoint(0, 246));

    // Room on the left only.
    const WindowArrangement left(wide, QRect(1000, 100, 900, 700), 200, 20);
    EXPECT_EQ(left.place(glFrame, 1), QPoint(1000 - 642, 100));
    EXPECT_EQ(left.place(glFrame, 2), QPoint(1920 - 642, 221));

    // Room on both sides: one on each.
    const WindowArrangement both(QRect(0, 0, 2600, 1200), QRect(700, 100, 900, 700), 200, 20);
    EXPECT_EQ(both.place(glFrame, 1), QPoint(1600, 100));
    EXPECT_EQ(both.place(glFrame, 2), QPoint(700 - 642 - 20, 120));
}

TEST(WindowArrangement, BelowTheBarsOnTheWiderSideOtherwise) {
    const WindowArrangement a(room, control, barsBottom, 20);
    for (int n : {1, 2}) {
        const QRect placed(a.place(glFrame, n), glFrame);
        EXPECT_FALSE(a.hidesTheBars(placed)) << n;
        EXPECT_TRUE(room.contains(placed)) << n;
        // Part of it, its title's left or right end among it, stays in sight
        // beside the control window.
        EXPECT_FALSE(QRegion(placed).subtracted(control).isEmpty()) << n;
    }
    // 162 px on the right against 149 on the left; the second on the left.
    EXPECT_EQ(a.place(glFrame, 1), QPoint(1280 - 642, 226));
    EXPECT_EQ(a.place(glFrame, 2), QPoint(0, 246));
    // Each title in sight, over a stretch to click on, whichever is in front.
    for (int n : {1, 2}) {
        const QRect placed(a.place(glFrame, n), glFrame);
        const QRect title(placed.topLeft(), QSize(glFrame.width(), 20));
        int widest = 0;
        for (const QRect& part : QRegion(title).subtracted(QRect(a.place(glFrame, 3 - n), glFrame)))
            widest = std::max(widest, part.width());
        EXPECT_GE(widest, 40) << n;
    }

    // Near the screen's bottom edge it stays below the bars.
    const WindowArrangement corner(room, QRect(900, 600, 380, 400), 700, 20);
    const QRect placed(corner.place(glFrame, 1), glFrame);
    EXPECT_FALSE(corner.hidesTheBars(placed));
    EXPECT_EQ(placed.topLeft(), QPoint(0, 701));
    EXPECT_EQ(a.place(QSize(642, 1200), 1).y(), barsBottom + 1);
}

TEST(WindowArrangement, TheControlWindowGoesWhereTheWindowBesideItKeepsInSight) {
    const QSize frame(976, 740);
    // Side by side, the pair in the middle.
    EXPECT_EQ(WindowArrangement::controlPlace(QRect(0, 0, 1920, 1200), frame, glFrame),
              QPoint((1920 - 976 - 642) / 2, (1200 - 740) / 2));
    // Too narrow for both: at the right edge, the other window on the left.
    EXPECT_EQ(WindowArrangement::controlPlace(QRect(0, 30, 1024, 738), frame, glFrame),
              QPoint(1024 - 976, 30));
    // Larger than the room: its title and menu bar at the room's corner.
    EXPECT_EQ(WindowArrangement::controlPlace(QRect(10, 20, 800, 600), frame, glFrame),
              QPoint(10, 20));
}

// A window's client area with its frame: made to fit the room, though not
// below the least size its contents allow, then moved in just enough.
TEST(WindowArrangement, AWindowIsMadeToFitTheRoomThenMovedIn) {
    const QMargins frame(1, 20, 1, 5);
    const struct {
        const char* what;
        QRect client;
        QSize least;
        QRect fitted;
    } cases[] = {
        {"within", QRect(101, 120, 640, 480), QSize(300, 200), QRect(101, 120, 640, 480)},
        {"past the corner", QRect(1000, 800, 640, 480), QSize(), QRect(639, 515, 640, 480)},
        {"past the top left", QRect(-50, -30, 640, 480), QSize(), QRect(1, 20, 640, 480)},
        {"larger", QRect(50, 60, 1400, 1100), QSize(300, 200), QRect(1, 20, 1278, 975)},
        {"wider than the room allows", QRect(50, 60, 1400, 1100), QSize(1300, 700),
         QRect(1, 20, 1300, 975)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowArrangement::within(room, c.client, frame, c.least), c.fitted) << c.what;
}

} // namespace
