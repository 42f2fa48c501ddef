#include "model/OrbitMath.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

double keplerResidual(double e, double M, double E) {
    return E - e * std::sin(E) - M;
}

} // namespace

TEST(OrbitMath, TimeHelpers) {
    EXPECT_DOUBLE_EQ(daysSinceJ2000(2451545.0), 0.0);
    EXPECT_DOUBLE_EQ(daysSinceJ2000(2451546.5), 1.5);
    EXPECT_NEAR(julianCenturies(36525.0), 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(julianDateFromTime(0.0), 2440587.5);
    EXPECT_DOUBLE_EQ(julianDateFromTime(946728000.0), 2451545.0);
    EXPECT_DOUBLE_EQ(semiMinorAxis(0.0, 2.0), 2.0);
    EXPECT_DOUBLE_EQ(semiMinorAxis(0.6, 1.0), 0.8);
}

TEST(OrbitMath, ReducedRadiansKeepsSignWithinOneTurn) {
    EXPECT_DOUBLE_EQ(reducedRadians(90.0), kPi / 2);
    EXPECT_NEAR(reducedRadians(450.0), kPi / 2, 1e-12);
    EXPECT_NEAR(reducedRadians(-450.0), -kPi / 2, 1e-12);
    EXPECT_NEAR(reducedRadians(-90.0), -kPi / 2, 1e-15);
    EXPECT_NEAR(reducedRadians(720.0), 0.0, 1e-12);
}

TEST(OrbitMath, OrbitPlaneAngle) {
    // With no inclination the angle is the difference reduced into (-pi, pi].
    EXPECT_NEAR(orbitPlaneAngle(1.0, 0.0, 0.25), 0.75, 1e-12);
    EXPECT_NEAR(orbitPlaneAngle(4.0, 0.0, 0.0), 4.0 - kTwoPi, 1e-12);
    EXPECT_NEAR(orbitPlaneAngle(-1.0, 0.0, 0.0), -1.0, 1e-12);
    // Below 90 degrees of inclination it equals atan2(sin d, cos d cos i).
    for (double i : {0.1, 0.5, 1.2}) {
        for (double d : {0.3, 1.4, 2.9, -0.7, -2.5, 5.5}) {
            EXPECT_NEAR(orbitPlaneAngle(d + 0.2, i, 0.2),
                        std::atan2(std::sin(d), std::cos(d) * std::cos(i)), 1e-12)
                << "i " << i << " d " << d;
        }
    }
}

TEST(OrbitMath, GreenwichSiderealTime) {
    EXPECT_DOUBLE_EQ(greenwichSiderealTime(2451545.0, 0.0), 280.46061837);
    // 1987 April 10, 0h UT: 13h10m46.3668s.
    const double jd = 2446895.5;
    const double T = julianCenturies(daysSinceJ2000(jd));
    double gst = std::fmod(greenwichSiderealTime(jd, T), 360.0);
    if (gst < 0.0)
        gst += 360.0;
    EXPECT_NEAR(gst, (13 + 10 / 60.0 + 46.3668 / 3600.0) * 15.0, 1e-5);
}

TEST(OrbitMath, SolveKeplerCircleReturnsMeanAnomaly) {
    for (double M : {0.0, 0.3, -2.0, 100.0, 1e6})
        EXPECT_EQ(solveKepler(0.0, M), M);
}

TEST(OrbitMath, SolveKeplerConvergesOverAllEccentricities) {
    const double eccentricities[] = {1e-9, 0.01,  0.2,   0.59,   0.6,     0.9,
                                     0.97, 0.995, 0.999, 0.9999, 0.999999};
    for (double e : eccentricities) {
        for (int k = -400; k <= 400; ++k) {
            const double M = k * 0.0157; // about -6.3 .. 6.3, through 0 and +-pi
            const double E = solveKepler(e, M);
            ASSERT_TRUE(std::isfinite(E));
            EXPECT_NEAR(keplerResidual(e, M, E), 0.0, 1e-14) << "e " << e << " M " << M;
            // The anomaly stays in the turn of M: E - M = e sin E.
            EXPECT_LE(std::fabs(E - M), e + 1e-12);
        }
    }
}

TEST(OrbitMath, SolveKeplerNearPerihelionOfNearlyParabolicOrbit) {
    for (double e : {0.995, 0.999, 0.9999}) {
        for (double M : {1e-12, 1e-9, 1e-6, 1e-4, 1e-2}) {
            const double E = solveKepler(e, M);
            // The residual relative to M: tiny anomalies must still be solved.
            const double resid = (1.0 - e) * E + e * (E - std::sin(E)) - M;
            EXPECT_LE(std::fabs(resid), 1e-12 * M + 1e-20) << "e " << e << " M " << M;
            EXPECT_GT(E, 0.0);
            EXPECT_NEAR(solveKepler(e, -M), -E, 1e-15);
        }
    }
}

TEST(OrbitMath, SolveKeplerKeepsTheTurnOfLargeAnomalies) {
    const double M = 1000.0 * kTwoPi + 1.0;
    const double E = solveKepler(0.3, M);
    EXPECT_NEAR(E - 1000.0 * kTwoPi, solveKepler(0.3, 1.0), 1e-9);
}

TEST(OrbitMath, SolveKeplerStaysFiniteOnBadInput) {
    EXPECT_TRUE(std::isfinite(solveKepler(1.0, 0.5)));
    EXPECT_TRUE(std::isfinite(solveKepler(5.0, 0.5)));
    EXPECT_EQ(solveKepler(-0.5, 0.5), 0.5);
    EXPECT_TRUE(std::isnan(solveKepler(0.5, NAN)));
}

TEST(OrbitMath, SolveHyperbolicKepler) {
    for (double e : {1.000001, 1.0003, 1.2, 3.36, 50.0}) {
        for (double M : {1e-9, 1e-4, 0.1, 1.0, 10.0, 1e3, 1e6}) {
            const double H = solveHyperbolicKepler(e, M);
            ASSERT_TRUE(std::isfinite(H));
            const double resid = e * std::sinh(H) - H - M;
            EXPECT_LE(std::fabs(resid), 1e-12 * std::fmax(1.0, M)) << "e " << e << " M " << M;
            EXPECT_EQ(solveHyperbolicKepler(e, -M), -H);
        }
    }
    EXPECT_EQ(solveHyperbolicKepler(1.5, 0.0), 0.0);
}

TEST(OrbitMath, SolveKeplerGivesSineAndCosineOfTheAnomaly) {
    for (double e : {0.0, 0.1, 0.7, 0.9999}) {
        for (double M : {-7.0, -1.0, 0.0, 1e-7, 0.5, 3.0, 40.0}) {
            double s, c;
            const double E = solveKepler(e, M, s, c);
            EXPECT_NEAR(s, std::sin(E), 2e-15) << e << " " << M;
            EXPECT_NEAR(c, std::cos(E), 2e-15) << e << " " << M;
        }
    }
}
