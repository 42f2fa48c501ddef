// The eclipse cones a sphere body casts, and the bodies that cast none.
#include "model/EclipseCones.h"

#include <cmath>

#include <gtest/gtest.h>

TEST(EclipseCones, EarthLikeBodyCastsConvergingUmbraAndWideningPenumbra) {
    // The Earth of model scale: Sun 0.093 AU, Earth 0.0426 AU, 1 AU apart.
    const double Rs = 0.093, R = 0.0426, D = 1.0;
    const EclipseCones c = EclipseCones::compute(Rs, R, D, 0.0);
    ASSERT_TRUE(c.valid);
    // Similar triangles: the umbra ends where the tangents meet.
    EXPECT_NEAR(c.umbraLength, D * R / (Rs - R), 1e-12);
    EXPECT_NEAR(c.penumbraCross, D * Rs / (R + Rs), 1e-12);
    EXPECT_GT(c.umbraWidth, Rs);
    EXPECT_GT(c.penumbraWidth, Rs);
    // A planet's penumbra reaches half its distance beyond it.
    EXPECT_NEAR(c.penumbraCross + c.divergingLength, 1.5 * D, 1e-12);
    EXPECT_GT(c.divergingWidth, R);

    // A moon's reaches its umbra's apex, or its parent when that is nearer.
    const EclipseCones moon = EclipseCones::compute(Rs, 0.0116, 1.1, 1.0);
    ASSERT_TRUE(moon.valid);
    EXPECT_NEAR(moon.penumbraCross + moon.divergingLength, moon.umbraLength + 1.1, 1e-12);
    const EclipseCones far = EclipseCones::compute(Rs, 0.0116, 1.1, 5.0);
    EXPECT_NEAR(far.penumbraCross + far.divergingLength, 5.0, 1e-12);
}

TEST(EclipseCones, EnlargedOrNearBodiesCastNothing) {
    const double Rs = 0.093;
    struct Case {
        double R, D;
    } cases[] = {
        {0.143, 5.2},  // Jupiter enlarged past the drawn Sun
        {0.093, 1.0},  // as large as the Sun: the umbra never closes
        {0.01, 0.05},  // inside the Sun
        {0.01, 0.093}, // on its surface
        {0.01, 0.1},   // overlapping it: no tangents cross between them
        {0.0, 1.0},    // a point casts no shadow
        {-0.01, 1.0},  // nor does a negative radius
    };
    for (const Case& c : cases) {
        const EclipseCones cones = EclipseCones::compute(Rs, c.R, c.D, 0.0);
        EXPECT_FALSE(cones.valid) << c.R << " at " << c.D;
    }
    EXPECT_FALSE(EclipseCones::compute(Rs, 0.01, std::nan(""), 0.0).valid);
    EXPECT_FALSE(EclipseCones::compute(Rs, 0.01, INFINITY, 0.0).valid);
    // Just beyond touching distance the cones exist and are finite.
    const EclipseCones near = EclipseCones::compute(Rs, 0.01, 0.1031, 0.0);
    ASSERT_TRUE(near.valid);
    EXPECT_TRUE(std::isfinite(near.divergingWidth));
}
