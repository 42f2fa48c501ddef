#include "app/WindowArrangement.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(a.place(glFrame, 2), QPoint(1138, 150));

    // Room on the left only.
    const WindowArrangement left(wide, QRect(1000, 100, 900, 700), 200, 20);
    EXPECT_EQ(left.place(glFrame, 1), QPoint(1000 - 642, 100));
}

TEST(WindowArrangement, CascadedBelowTheBarsAndInsideTheScreenOtherwise) {
    const WindowArrangement a(room, control, barsBottom, 20);
    for (int n : {1, 2}) {
        const QRect placed(a.place(glFrame, n), glFrame);
        EXPECT_FALSE(a.hidesTheBars(placed)) << n;
        EXPECT_TRUE(room.contains(placed)) << n;
    }
    EXPECT_EQ(a.place(glFrame, 1), QPoint(169, 226));
    EXPECT_EQ(a.place(glFrame, 2), QPoint(189, 246));

    // Near the screen's right edge the window is pushed back in; near its
    // bottom edge it stays below the bars.
    const WindowArrangement corner(room, QRect(900, 600, 380, 400), 700, 20);
    const QRect placed(corner.place(glFrame, 1), glFrame);
    EXPECT_FALSE(corner.hidesTheBars(placed));
    EXPECT_EQ(placed.topLeft(), QPoint(1280 - 642, 701));
    EXPECT_EQ(a.place(QSize(642, 1200), 1).y(), barsBottom + 1);
}

} // namespace
