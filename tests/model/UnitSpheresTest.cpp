// The detail of a globe by its size on the screen: a coarse sphere only
// while its outline stays within a quarter pixel of the circle.
#include "model/UnitSpheres.h"

#include <cmath>

#include <gtest/gtest.h>

#include "model/OrbitMath.h"

TEST(UnitSpheresDetail, CoarseOutlineStaysWithinAQuarterPixel) {
    for (int full : {12, 24, 36}) {
        int previous = 0;
        for (double d = 0.05; d < 200.0; d *= 1.05) {
            const int n = UnitSpheres::slicesFor(d, full);
            EXPECT_LE(n, full) << d;
            EXPECT_GE(n, previous) << d << " px: a larger globe never gets fewer slices";
            previous = n;
            if (n < full)
                EXPECT_LE(0.5 * d * (1.0 - std::cos(kPi / n)), UnitSpheres::maxOutlineError) << d;
        }
        // Large globes are drawn in full.
        EXPECT_EQ(UnitSpheres::slicesFor(60.0, full), full);
    }
    // Tiny globes, the common case among thousands of small bodies, get the
    // coarsest step.
    EXPECT_EQ(UnitSpheres::slicesFor(1.5, 24), 6);
    EXPECT_EQ(UnitSpheres::slicesFor(3.5, 24), 6);
    EXPECT_EQ(UnitSpheres::slicesFor(10.0, 24), 12);
    // An unknown size (no projection this frame) keeps the full detail.
    EXPECT_EQ(UnitSpheres::slicesFor(0.0, 24), 24);
    EXPECT_EQ(UnitSpheres::slicesFor(-3.0, 24), 24);
    EXPECT_EQ(UnitSpheres::slicesFor(std::nan(""), 24), 24);
}
