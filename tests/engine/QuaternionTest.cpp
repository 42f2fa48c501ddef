#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/Matrix4.h"
#include "engine/Quaternion.h"

namespace {

const double pi = 3.14159265358979323846;

void expectNear(const Vector3& a, const Vector3& b, double tol = 1e-12) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

void expectNear(const Quaternion& a, const Quaternion& b, double tol = 1e-12) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
    EXPECT_NEAR(a.w, b.w, tol);
}

double norm(const Quaternion& q) {
    return std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
}

} // namespace

TEST(Quaternion, IdentityAndAxisAngle) {
    EXPECT_EQ(Quaternion(), Quaternion(0, 0, 0, 1));
    EXPECT_EQ(Quaternion::identity(), Quaternion(0, 0, 0, 1));
    Vector3 axis;
    double angle = 1;
    Quaternion().getAxisAngle(axis, angle);
    EXPECT_EQ(angle, 0.0);
    EXPECT_EQ(axis, Vector3(0, 0, 1));

    // The axis is normalised first.
    expectNear(Quaternion(Vector3(0, 0, 2), pi), Quaternion(0, 0, 1, std::cos(pi / 2)));
    Quaternion(Vector3(0, 3, 0), 0.5).getAxisAngle(axis, angle);
    EXPECT_NEAR(angle, 0.5, 1e-12);
    expectNear(axis, Vector3(0, 1, 0));
    EXPECT_EQ(Quaternion(Vector3(), 1.0), Quaternion()) << "no axis, no rotation";
}

TEST(Quaternion, ProductAppliesLeftThenRight) {
    const Quaternion a(Vector3(1, 0, 0), pi / 2);
    const Quaternion b(Vector3(0, 0, 1), pi / 2);
    EXPECT_EQ(a * Quaternion::identity(), a);
    EXPECT_EQ(Quaternion::identity() * a, a);
    // (0, 1, 0) turned a quarter about X gives (0, 0, 1), which a quarter about
    // Z leaves alone; the other order gives (-1, 0, 0) then (-1, 0, 0).
    expectNear((a * b).rotateVector(Vector3(0, 1, 0)), Vector3(0, 0, 1));
    expectNear((b * a).rotateVector(Vector3(0, 1, 0)), Vector3(-1, 0, 0));
    Quaternion c = a;
    c *= b;
    EXPECT_EQ(c, a * b);
}

TEST(Quaternion, MatrixRotatesLikeTheQuaternion) {
    Matrix4 m;
    Quaternion(Vector3(0, 0, 1), pi / 2).getMatrix(m);
    Vector3 out;
    m.transform(Vector3(1, 0, 0), out);
    expectNear(out, Vector3(0, 1, 0));
    // Any non-zero length gives the same rotation.
    Quaternion(0, 0, 2 * std::sin(pi / 4), 2 * std::cos(pi / 4)).getMatrix(m);
    m.transform(Vector3(1, 0, 0), out);
    expectNear(out, Vector3(0, 1, 0));
    Quaternion(0, 0, 0, 0).getMatrix(m);
    EXPECT_EQ(m.m[0], 1.0) << "the zero quaternion gives the identity, not NaN";
}

TEST(Quaternion, InverseUndoesTheRotation) {
    const Quaternion q(Vector3(1, -2, 0.5), 2.2);
    expectNear(q * q.inverse(), Quaternion());
    expectNear(q.inverse(), Quaternion(-q.x, -q.y, -q.z, q.w));
    Quaternion p = q;
    p.invert();
    EXPECT_EQ(p, q.inverse());
    // A full turn (w = -1) has no axis; inverting it must not give NaN.
    const Quaternion full = Quaternion(0, 0, 0, -1).inverse();
    EXPECT_FALSE(std::isnan(full.x + full.y + full.z + full.w));
    // w pushed past 1 by rounding must not give NaN angles.
    Vector3 axis;
    double angle;
    Quaternion(0, 0, 0, 1.0000000000000002).getAxisAngle(axis, angle);
    EXPECT_EQ(angle, 0.0);
}

TEST(Quaternion, RotationBetweenIsUnitAndExact) {
    EXPECT_EQ(Quaternion(Vector3(1, 2, 3), Vector3(2, 4, 6)), Quaternion());
    const Quaternion q(Vector3(1, 0, 0), Vector3(0, 1, 0));
    expectNear(q, Quaternion(0, 0, std::sqrt(0.5), std::sqrt(0.5)));

    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int i = 0; i < 50; ++i) {
        Vector3 a(u(rng), u(rng), u(rng)), b(u(rng), u(rng), u(rng));
        const Quaternion r(a, b);
        EXPECT_NEAR(norm(r), 1.0, 1e-12);
        a.normalize();
        b.normalize();
        expectNear(r.rotateVector(a), b, 1e-12);
        // The angle derived from w is the angle between the directions.
        Vector3 axis;
        double angle;
        r.getAxisAngle(axis, angle);
        EXPECT_NEAR(angle, std::acos(a.dot(b)), 1e-7);
    }
}

TEST(Quaternion, RotationBetweenOppositeDirectionsIsAHalfTurn) {
    const Vector3 dirs[] = {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, -3), Vector3(1, 2, 3),
                            Vector3(1e-3, 1, 0)};
    for (const Vector3& d : dirs) {
        const Quaternion r(d, -d);
        EXPECT_NEAR(norm(r), 1.0, 1e-12);
        EXPECT_NEAR(r.w, 0.0, 1e-12);
        Vector3 unit = d;
        unit.normalize();
        expectNear(r.rotateVector(unit), -unit, 1e-12);
        EXPECT_NEAR(Vector3(r.x, r.y, r.z).dot(unit), 0.0, 1e-12) << "axis perpendicular";
    }
    EXPECT_EQ(Quaternion(Vector3(), Vector3(1, 0, 0)), Quaternion()) << "no direction";
}

TEST(Quaternion, EulerFirstAngleTurnsAboutY) {
    // Each angle alone turns about its axis.
    expectNear(Quaternion(0.3, 0, 0), Quaternion(Vector3(0, 1, 0), 0.3));
    expectNear(Quaternion(0, 0.3, 0), Quaternion(Vector3(1, 0, 0), 0.3));
    expectNear(Quaternion(0, 0, 0.3), Quaternion(Vector3(0, 0, 1), 0.3));
    // Combined: the second angle's X turn first, then Y, then Z.
    const Quaternion e(0.4, -0.7, 1.1);
    const Quaternion expected = Quaternion(Vector3(1, 0, 0), -0.7) *
                                Quaternion(Vector3(0, 1, 0), 0.4) *
                                Quaternion(Vector3(0, 0, 1), 1.1);
    expectNear(e, expected);
}

TEST(Quaternion, EulerAnglesReadBackAsSet) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> first(-pi / 2 + 0.01, pi / 2 - 0.01);
    std::uniform_real_distribution<double> other(-pi + 0.01, pi - 0.01);
    for (int i = 0; i < 100; ++i) {
        const double a1 = first(rng), a2 = other(rng), a3 = other(rng);
        double b1, b2, b3;
        Quaternion(a1, a2, a3).getEuler(b1, b2, b3);
        EXPECT_NEAR(b1, a1, 1e-9);
        EXPECT_NEAR(b2, a2, 1e-9);
        EXPECT_NEAR(b3, a3, 1e-9);
    }
    // Straight up the first angle's axis: the rotation still reads back whole.
    double b1, b2, b3;
    const Quaternion gimbal(pi / 2, 0.5, 0.25);
    gimbal.getEuler(b1, b2, b3);
    const Vector3 probe(0.3, -0.2, 0.9);
    expectNear(Quaternion(b1, b2, b3).rotateVector(probe), gimbal.rotateVector(probe), 1e-6);
}

TEST(Quaternion, InterpolateBlendsAxisAndAngle) {
    const Quaternion quarter(Vector3(0, 0, 1), pi / 2);
    expectNear(Quaternion::interpolate(Quaternion(), quarter, 0.5),
               Quaternion(Vector3(0, 0, 1), pi / 4));
    expectNear(Quaternion::interpolate(Quaternion(), quarter, 0.0), Quaternion());
    expectNear(Quaternion::interpolate(Quaternion(), quarter, 1.0), quarter);
    // The identity's axis is (0, 0, 1), so towards a turn about X the axis
    // passes through (0.5, 0, 0.5).
    const Quaternion mid =
        Quaternion::interpolate(Quaternion(), Quaternion(Vector3(1, 0, 0), 1.0), 0.5);
    expectNear(mid, Quaternion(Vector3(0.5, 0, 0.5), 0.5));
    // Opposite axes blend to no axis: a defined rotation, not NaN.
    const Quaternion none = Quaternion::interpolate(Quaternion(Vector3(1, 0, 0), 1.0),
                                                    Quaternion(Vector3(-1, 0, 0), 1.0), 0.5);
    EXPECT_FALSE(std::isnan(none.x + none.y + none.z + none.w));
}
