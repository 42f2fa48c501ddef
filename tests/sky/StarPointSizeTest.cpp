#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sky/StarPointSize.h"

TEST(StarPointSize, FollowsTheMagnitudeScaleDownToTheSmallestSize) {
    EXPECT_FLOAT_EQ(starPointSize(0.0f), 4.0f);
    EXPECT_NEAR(starPointSize(1.0f), 3.40, 0.005);
    EXPECT_NEAR(starPointSize(3.0f), 2.38, 0.005);
    EXPECT_NEAR(starPointSize(6.0f), 1.24, 0.005);
    EXPECT_FLOAT_EQ(starPointSize(7.0f), 1.1f);
    EXPECT_GT(starPointSize(-1.5f), 4.0f);
}

TEST(StarPointSize, FaintAndMeaninglessMagnitudesGetTheSmallestSizeNotNaN) {
    for (float m : {15.99f, 16.0f, 16.5f, 20.0f, 255.0f, std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::quiet_NaN()})
        EXPECT_FLOAT_EQ(starPointSize(m), 1.1f) << m;
}
