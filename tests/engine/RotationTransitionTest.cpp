#include <gtest/gtest.h>

#include <cmath>

#include "engine/RotationTransition.h"

namespace {

const double pi = 3.14159265358979323846;

class RotationTransitionTest : public ::testing::Test {
protected:
    void SetUp() override { Transition::setGlobalMode(Transition::Run); }
};

void expectNear(const Quaternion& a, const Quaternion& b) {
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
    EXPECT_NEAR(a.w, b.w, 1e-12);
}

} // namespace

TEST_F(RotationTransitionTest, TurnsByAxisAndAngle) {
    RotationTransition r;
    EXPECT_EQ(r.getValue(), Quaternion());
    const Quaternion quarter(Vector3(0, 0, 1), pi / 2);
    r.startTo(quarter, 2);
    Transition::tickAll(1.0);
    expectNear(r.getValue(), Quaternion(Vector3(0, 0, 1), pi / 4));
    Transition::tickAll(1.0);
    EXPECT_EQ(r.getValue(), quarter);
    r.startTo(quarter, 2);
    EXPECT_FALSE(r.isRunning());
}

TEST_F(RotationTransitionTest, EulerFormBlendsTheThreeAngles) {
    RotationTransition r;
    r.setEuler(0.2, -0.4, 1.0);
    expectNear(r.getValue(), Quaternion(0.2, -0.4, 1.0));
    r.startToEuler(0.6, 0.4, -1.0, 4);
    EXPECT_TRUE(r.isRunning());
    Transition::tickAll(1.0);
    // A quarter of the way in each angle: the start angles were read back from
    // the current orientation.
    expectNear(r.getValue(), Quaternion(0.3, -0.2, 0.5));
    Transition::tickAll(3.0);
    expectNear(r.getValue(), Quaternion(0.6, 0.4, -1.0));

    // Towards the current orientation it still starts.
    r.startToEuler(0.6, 0.4, -1.0, 4);
    EXPECT_TRUE(r.isRunning());
    // An axis-angle start afterwards blends as a rotation again.
    const Quaternion target(Vector3(1, 0, 0), 0.5);
    r.startTo(target, 1);
    Transition::tickAll(1.0);
    EXPECT_EQ(r.getValue(), target);
}

TEST_F(RotationTransitionTest, ImmediateAndSetIfIdle) {
    RotationTransition r;
    r.setMode(Transition::Immediate);
    r.startToEuler(0.1, 0.2, 0.3, 10);
    EXPECT_FALSE(r.isRunning());
    expectNear(r.getValue(), Quaternion(0.1, 0.2, 0.3));
    r.setMode(Transition::Run);
    r.startTo(Quaternion(), 10);
    r.setIfIdle(Quaternion(Vector3(0, 1, 0), 1.0));
    EXPECT_TRUE(r.isRunning());
}
