#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/CursorPosition.h"

TEST(CursorPosition, GoesThroughTheReplaceableMover) {
    std::vector<std::pair<int, int>> moves;
    auto previous = platform::setCursorMover([&moves](int x, int y) { moves.emplace_back(x, y); });
    platform::setCursorPos(320, 240);
    platform::setCursorPos(-5, 7);
    platform::setCursorMover(previous);
    platform::setCursorPos(1, 1); // the toolkit's cursor; no window needed
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0], std::make_pair(320, 240));
    EXPECT_EQ(moves[1], std::make_pair(-5, 7));
}
