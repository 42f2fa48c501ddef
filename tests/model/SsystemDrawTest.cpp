// What the solar-system drawing works out without a display: the orbit
// circle's points per detail level, the eclipse cones of the sphere bodies,
// how much tail a comet shows, and the shipped sim modes' clipping distances.
#include "model/Ssystem.h"

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "DrawTestServices.h"
#include "engine/LogMessage.h"
#include "model/DsComet.h"
#include "model/DsPlanet.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace {

constexpr double pi = 3.141592653589793;
// 2000-01-01 12:00 UTC, the comet's perihelion, in seconds since 1970.
constexpr double perihelionTime = (2451545.0 - 2440587.5) * 86400.0;

class DrawModel : public ::testing::Test {
protected:
    void SetUp() override {
        platform::CurrentDirGuard guard(orvextest::dataPath("draw"));
        ASSERT_EQ(system.readData("solar.def"), 1);
        system.update(perihelionTime);
    }
    DrawTestServices services;
    Ssystem system{nullptr, &services};
};

} // namespace

TEST(SsystemOrbitCircle, EightTimesFinerNextToTheBody) {
    for (int points : {64, 128, 256}) {
        const std::vector<double> a = Ssystem::orbitCircleAngles(points);
        // 17 fine points on either side and the coarse ones between.
        EXPECT_EQ(int(a.size()), 17 + (points - 3) + 17) << points;
        const double step = 2 * pi / points;
        EXPECT_DOUBLE_EQ(a.front(), -pi / 2);
        EXPECT_NEAR(a.back(), 1.5 * pi, 1e-12);
        EXPECT_NEAR(a[1] - a[0], step / 8, 1e-12);
        EXPECT_NEAR(a[20] - a[19], step, 1e-12);
        EXPECT_NEAR(a[a.size() - 1] - a[a.size() - 2], step / 8, 1e-12);
        for (size_t i = 1; i < a.size(); ++i)
            EXPECT_GE(a[i], a[i - 1]);
    }
    EXPECT_EQ(Ssystem::orbitCircleAngles(64).size(), 95u);
    EXPECT_EQ(Ssystem::orbitCircleAngles(256).size(), 287u);
}

TEST_F(DrawModel, PlanetsWorkOutTheirShadowConesAfterEachUpdate) {
    auto* earth = dynamic_cast<DsPlanet*>(system.findBody("Earth"));
    ASSERT_NE(earth, nullptr);
    // The cones are those of the true Sun and Earth, not of the enlarged
    // globes drawn in model scale.
    const Vector3 p = earth->getTrueTrans();
    const double D = p.length();
    const double Rs = 695700 / 149597870.0;
    const double R = 6378 / 149597870.0;
    EXPECT_DOUBLE_EQ(system.getSunTrueRadius(), Rs);
    EXPECT_DOUBLE_EQ(earth->getRadius(), R);
    ASSERT_GT(earth->getUmbraLength(), 0.0);
    EXPECT_NEAR(earth->getUmbraLength(), D * R / (Rs - R), 1e-12);
    // The apexes lie on the line from the Sun through the body: the umbra's
    // beyond it, the penumbra's between the two.
    const Vector3 u = earth->getUmbraApex();
    EXPECT_NEAR(u.length(), D + earth->getUmbraLength(), 1e-12);
    EXPECT_NEAR(u.cross(p).length(), 0.0, 1e-12);
    EXPECT_GT(u.dot(p), 0.0);
    const Vector3 c = earth->getPenumbraApex();
    EXPECT_NEAR(c.length(), D * Rs / (R + Rs), 1e-12);
    EXPECT_NEAR(c.cross(p).length(), 0.0, 1e-12);
    EXPECT_GT(earth->getUmbraAngle(), 0.0);
    EXPECT_LT(earth->getUmbraAngle(), 90.0);
    EXPECT_NEAR(earth->getPenumbraLength(), 1.5 * D, 1e-12);
    const double umbra = earth->getUmbraLength();

    // Drawn larger than the Sun, or at its true size, the Earth casts the
    // same shadow.
    system.simMode(1);
    system.update(perihelionTime);
    EXPECT_GT(earth->getDisplayRadius(), system.getSunRadius());
    EXPECT_DOUBLE_EQ(earth->getUmbraLength(), umbra);
    system.simMode(0);
    system.setScale(1);
    system.update(perihelionTime);
    EXPECT_DOUBLE_EQ(earth->getDisplayRadius(), R);
    EXPECT_DOUBLE_EQ(earth->getUmbraLength(), umbra);
}

TEST_F(DrawModel, TruePositionsUndoTheOrbitScale) {
    const DsAstrBody* earth = system.findBody("Earth");
    const DsAstrBody* moon = system.findBody("Moon");
    ASSERT_NE(moon, nullptr);
    // In model scale the Moon is drawn 50 times as far from the Earth.
    EXPECT_EQ(moon->getTrans(), earth->getTrans() + moon->getPosition());
    const Vector3 offset = moon->getTrueTrans() - earth->getTrueTrans();
    EXPECT_NEAR((offset * 50.0 - moon->getPosition()).length(), 0.0, 1e-12);
    EXPECT_NEAR(offset.length(), 384400 / 149597870.0, 0.1 * 384400 / 149597870.0);
}

TEST_F(DrawModel, CometTailGrowsTowardsPerihelion) {
    auto* comet = dynamic_cast<DsComet*>(system.findBody("Kite"));
    ASSERT_NE(comet, nullptr);
    // Before its orbit path is made the comet shows no tail.
    EXPECT_DOUBLE_EQ(comet->tailFactor(), 1.0);
    comet->makeOrbitPoints(64);
    EXPECT_NEAR(comet->getPeriRadius(), 0.5, 1e-9);
    EXPECT_NEAR(comet->tailFactor(), 4.0, 1e-9);
    // Far out on its orbit the tail has shrunk to its least.
    system.update(perihelionTime + 400.0 * 86400.0);
    EXPECT_GT(comet->getPosition().length(), 4 * 0.5);
    EXPECT_DOUBLE_EQ(comet->tailFactor(), 1.0);
}

TEST(DsComet, PerihelionDistanceOfZeroIsRejected) {
    orvextest::TempDir dir;
    const std::string path = dir.file("zero.orb");
    std::ofstream(path) << "T: 2000 1 1.5\nq: 0\ne: 0.5\n";
    LogCapture log;
    DsComet comet("Zero", nullptr, nullptr);
    EXPECT_EQ(comet.loadOrbitFile(path), 0);
    EXPECT_TRUE(log.contains("Bad comet parameters in"));
    comet.makeOrbitPoints(64);
    EXPECT_DOUBLE_EQ(comet.tailFactor(), 1.0);
}

TEST(SsystemShippedData, SimModesGiveTheViewUsableClippingDistances) {
    // The view takes each sim mode's radius and orbit rates as its near and
    // far clipping distances: the stars at 100 must lie inside, and the eye,
    // which keeps twice the near distance from a body, must come within two
    // radii of the Earth and the Moon at both scales.
    platform::CurrentDirGuard guard(orvextest::shareDir());
    DrawTestServices services;
    Ssystem system(nullptr, &services);
    ASSERT_EQ(system.readData("./data/ssystem.def"), 1);
    ASSERT_GE(system.getSimModeCount(), 1);
    for (int mode = 0; mode < system.getSimModeCount(); ++mode) {
        system.simMode(mode);
        for (int scale : {0, 1}) {
            system.setScale(scale);
            const double nearPlane = system.getRadiusRate();
            const double farPlane = system.getOrbitRate();
            EXPECT_GT(nearPlane, 0.0) << mode << " " << scale;
            EXPECT_GT(farPlane, 100.0) << mode << " " << scale;
            for (const char* name : {"Earth", "Moon"}) {
                const DsAstrBody* body = system.findBody(name);
                ASSERT_NE(body, nullptr);
                if (!body->isShown())
                    continue;
                EXPECT_LT(2.0 * nearPlane, 2.0 * body->getDisplayRadius())
                    << name << " in " << system.getSimModeName() << " scale " << scale;
            }
        }
        system.setScale(0);
    }
}
