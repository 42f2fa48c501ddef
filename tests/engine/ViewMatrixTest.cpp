#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/ViewMatrix.h"

namespace {

// a * b, both column-major.
void multiply(const float* a, const float* b, float* out) {
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[column * 4 + k];
            out[column * 4 + row] = sum;
        }
}

} // namespace

TEST(ViewMatrix, InvertsTurnsMirrorsScalesAndTranslations) {
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    // A turn about z, a stretch of y by 2, a mirror of z, then a translation.
    const float m[16] = {c, s, 0, 0, -2 * s, 2 * c, 0, 0, 0, 0, -1, 0, 1, -2, 3, 1};
    float inverse[16];
    ASSERT_TRUE(viewmatrix::invertAffine(m, inverse));
    float product[16];
    multiply(m, inverse, product);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(product[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-6f) << i;
    EXPECT_EQ(inverse[3], 0.0f);
    EXPECT_EQ(inverse[7], 0.0f);
    EXPECT_EQ(inverse[11], 0.0f);
    EXPECT_EQ(inverse[15], 1.0f);
}

TEST(ViewMatrix, ASingularViewKeepsTheLastInverse) {
    const float shift[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1};
    viewmatrix::store(shift);
    EXPECT_EQ(viewmatrix::get()[12], 5.0f);
    EXPECT_EQ(viewmatrix::getInverse()[12], -5.0f);
    const float flat[16] = {1, 0, 0, 0, 0, 1e-13f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float out[16];
    std::fill(out, out + 16, 7.0f);
    EXPECT_FALSE(viewmatrix::invertAffine(flat, out));
    EXPECT_EQ(out[0], 7.0f);
    viewmatrix::store(flat);
    EXPECT_EQ(viewmatrix::get()[5], 1e-13f);
    EXPECT_EQ(viewmatrix::getInverse()[12], -5.0f);
}
