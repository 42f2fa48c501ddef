#include <gtest/gtest.h>

#include "platform/SteadyClock.h"

TEST(SteadyClock, CountsForwardAndIsNeverZero) {
    const uint32_t a = platform::steadyMilliseconds();
    const uint32_t b = platform::steadyMilliseconds();
    EXPECT_NE(a, 0u);
    EXPECT_LT(platform::millisecondsBetween(a, b), 1000u);
}

TEST(SteadyClock, ReplaceableAndSafeAcrossTheWrap) {
    uint32_t now = 0xFFFFFFF0u;
    auto previous = platform::setMillisecondSource([&now] { return now; });
    const uint32_t before = platform::steadyMilliseconds();
    now += 0x20; // wraps to 0x10
    const uint32_t after = platform::steadyMilliseconds();
    EXPECT_EQ(after, 0x10u);
    EXPECT_EQ(platform::millisecondsBetween(before, after), 0x20u);
    now = 0;
    EXPECT_EQ(platform::steadyMilliseconds(), 1u) << "0 is kept for 'not read yet'";
    platform::setMillisecondSource(previous);
    EXPECT_NE(platform::steadyMilliseconds(), 1u);
}
