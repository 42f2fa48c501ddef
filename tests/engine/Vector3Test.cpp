#include <gtest/gtest.h>

#include <cmath>

#include "engine/Vector3.h"

TEST(Vector3, ArithmeticAndProducts) {
    Vector3 v(1, 2, 3);
    v += Vector3(1, 1, 1);
    v -= Vector3(0, 0, 1);
    v *= 2.0;
    v /= 4.0;
    EXPECT_EQ(v, Vector3(1, 1.5, 1.5));
    EXPECT_EQ(-v, Vector3(-1, -1.5, -1.5));
    EXPECT_EQ(Vector3(1, 2, 3) - Vector3(3, 2, 1), Vector3(-2, 0, 2));
    EXPECT_EQ(Vector3(1, 2, 3) + Vector3(3, 2, 1), Vector3(4, 4, 4));
    EXPECT_EQ(Vector3(1, 2, 3) * 2.0, Vector3(2, 4, 6));
    EXPECT_EQ(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), Vector3(0, 0, -1));
    EXPECT_EQ(Vector3(1, 2, 3).dot(Vector3(4, 5, 6)), 32.0);
}

TEST(Vector3, EqualityIsExact) {
    EXPECT_NE(Vector3(0.1 + 0.2, 0, 0), Vector3(0.3, 0, 0));
    EXPECT_NE(Vector3(NAN, 0, 0), Vector3(NAN, 0, 0));
}

TEST(Vector3, NormalizeReturnsLengthAndLeavesZeroAlone) {
    Vector3 v(3, 0, 4);
    EXPECT_EQ(v.normalize(), 5.0);
    EXPECT_DOUBLE_EQ(v.length(), 1.0);
    EXPECT_EQ(v, Vector3(0.6, 0, 0.8));
    Vector3 zero;
    EXPECT_EQ(zero.normalize(), 0.0);
    EXPECT_EQ(zero, Vector3());
}
