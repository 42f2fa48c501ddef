// Spacecraft: the trajectory file, interpolation, active times and models.
#include "model/DsSpacecraft.h"

#include <cmath>
#include <fstream>

#include <QDir>
#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace {

double timeOfJd(double jd) {
    return (jd - kJdUnixEpoch) * 86400.0;
}

class DsSpacecraftTest : public ::testing::Test {
protected:
    void SetUp() override {
        {
            platform::CurrentDirGuard data(orvextest::dataPath("objects"));
            ASSERT_EQ(system.readData("earth.def"), 1);
        }
        sun = system.findBody("Sun");
        QDir().mkpath(QString::fromStdString(dir.file("models")));
        QFile::copy(QString::fromStdString(orvextest::dataPath("objects/cube.obj")),
                    QString::fromStdString(dir.file("models/cube.obj")));
        QFile::copy(QString::fromStdString(orvextest::dataPath("objects/cube.mtl")),
                    QString::fromStdString(dir.file("models/cube.mtl")));
    }
    DsSpacecraft& load(const std::string& text) {
        std::ofstream(dir.file("craft.dsc"), std::ios::binary) << text;
        auto body = std::make_unique<DsSpacecraft>("Probe", sun, &system);
        DsSpacecraft& craft = *body;
        sun->addChild(std::move(body));
        loaded = craft.loadOrbitFile("craft.dsc");
        return craft;
    }

    orvextest::TempDir dir;
    FakeModelServices view;
    Ssystem system{nullptr, &view};
    DsAstrBody* sun = nullptr;
    platform::CurrentDirGuard cwd{dir.path()};
    LogCapture log;
    int loaded = 0;
};

const char* const twoDays = "Name: Probe\n"
                            "OrbitData: 2\n"
                            "2458000.5 149597870 0 0\n"
                            "2458001.5 0 299195740 14959787\n";

} // namespace

TEST_F(DsSpacecraftTest, ExistsBetweenTheFirstAndTheLastPoint) {
    DsSpacecraft& craft = load(twoDays);
    ASSERT_EQ(loaded, 1);
    EXPECT_EQ(craft.getType(), DsAstrBody::Spacecraft);
    EXPECT_EQ(craft.getPointCount(), 2);
    const double minute = 60.0;
    craft.updatePosition(timeOfJd(2458000.5) - minute);
    EXPECT_EQ(craft.isActive(), 0);
    craft.updatePosition(timeOfJd(2458000.5));
    EXPECT_EQ(craft.isActive(), 1);
    craft.updatePosition(timeOfJd(2458001.5));
    EXPECT_EQ(craft.isActive(), 1);
    craft.updatePosition(timeOfJd(2458001.5) + minute);
    EXPECT_EQ(craft.isActive(), 0);
    // Outside the table it keeps to the nearest end.
    EXPECT_NEAR(craft.getPosition().y, 2.0, 1e-12);
}

TEST_F(DsSpacecraftTest, MovesLinearlyBetweenPointsAtTheOrbitRate) {
    DsSpacecraft& craft = load(twoDays);
    craft.updatePosition(timeOfJd(2458001.0));
    EXPECT_NEAR(craft.getPosition().x, 0.5, 1e-12);
    EXPECT_NEAR(craft.getPosition().y, 1.0, 1e-12);
    EXPECT_NEAR(craft.getPosition().z, 0.05, 1e-12);
    // The trail runs through the first point and ends at the body.
    EXPECT_EQ(craft.getTrailIndex(), 1);
    EXPECT_EQ(craft.getTrajectoryPosition().x, craft.getPosition().x);
    // The model's x axis points away from the parent.
    Vector3 axis = craft.getRot().rotateVector(Vector3(1, 0, 0));
    Vector3 out = craft.getPosition();
    out.normalize();
    EXPECT_NEAR((axis - out).length(), 0.0, 1e-12);

    // The orbit rate of the Scale switch's side scales position and model.
    DsSpacecraft& scaled = load(std::string(twoDays) + "OrbitRate: 2 3\n");
    scaled.updatePosition(timeOfJd(2458001.0));
    EXPECT_NEAR(scaled.getPosition().y, 2.0, 1e-12);
    EXPECT_DOUBLE_EQ(scaled.getModelScale().x, 2.0);
    system.setScale(1);
    scaled.updatePosition(timeOfJd(2458001.0));
    EXPECT_NEAR(scaled.getPosition().y, 3.0, 1e-12);
    EXPECT_NEAR(scaled.getTrajectoryPosition().y, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(scaled.getModelScale().z, 3.0);
    scaled.updatePosition(timeOfJd(2458001.5) + 10.0);
    EXPECT_EQ(scaled.getTrailIndex(), 1);
}

TEST_F(DsSpacecraftTest, PointTimesKeepTheirDigits) {
    DsSpacecraft& craft = load("OrbitData: 3\n"
                               "2453737.1 0 0 0\n"
                               "2453737.3 1 0 0\n"
                               "2453737.3 5 0 0\n");
    ASSERT_EQ(craft.getPointCount(), 3);
    EXPECT_DOUBLE_EQ(craft.getTimes()[0], 2453737.1);
    EXPECT_DOUBLE_EQ(craft.getTimes()[1], 2453737.3);
    EXPECT_DOUBLE_EQ(craft.getFirstTime(), 2453737.1);
    // Two points at the same time: no division by their zero span.
    Vector3 p;
    ASSERT_TRUE(craft.positionAt(2453737.3, p));
    EXPECT_TRUE(std::isfinite(p.x));
    ASSERT_TRUE(craft.positionAt(2453737.2, p));
    EXPECT_NEAR(p.x * kKmPerAu, 0.5, 1e-6);
}

TEST_F(DsSpacecraftTest, StatesRadiusAndTheLineAfterThePoints) {
    DsSpacecraft& craft = load("# a probe\n"
                               "Radius: 0.01 1 trailing words\n"
                               "Magnitude: 5\n"
                               "Color: 0.5 0.25 1\n"
                               "SimMode: -1\n"
                               "State: Show\n"
                               "RadiusRate: 100 2\n"
                               "OrbitRate: 3 4\n"
                               "OrbitData: 3\n"
                               "2458000.5 1 2 3\n"
                               "\n"
                               "2458001.5 1 2 3\n"
                               "2458002.5 1 2 3\n"
                               "Model: cube.obj\n");
    ASSERT_EQ(loaded, 1);
    EXPECT_DOUBLE_EQ(craft.getRadius(), 0.01 / 149597870.0);
    EXPECT_DOUBLE_EQ(craft.getPolarRatio(), 1.0);
    EXPECT_DOUBLE_EQ(craft.getMagnitude(), 5.0);
    EXPECT_FLOAT_EQ(craft.getColor()[1], 0.25f);
    ASSERT_EQ(craft.getSimModeStates().size(), 2u);
    const SimModeState& first = craft.getSimModeStates()[0];
    const SimModeState& last = craft.getSimModeStates()[1];
    EXPECT_EQ(first.definedState, SimModeState::Hide);
    EXPECT_EQ(last.definedState, SimModeState::Show);
    EXPECT_DOUBLE_EQ(first.radiusRate1, 1.0);
    EXPECT_DOUBLE_EQ(last.radiusRate1, 100.0);
    EXPECT_DOUBLE_EQ(last.orbitRate2, 4.0);
    EXPECT_EQ(craft.getPointCount(), 3);
    // The "Model:" line after the third point is read.
    ASSERT_TRUE(craft.getModel());
    EXPECT_EQ(craft.getModel()->getModel()->numtriangles(), 12);

    DsSpacecraft& hidden = load("OrbitData: 1\n2458000.5 1 2 3\n");
    for (const SimModeState& s : hidden.getSimModeStates())
        EXPECT_EQ(s.state, SimModeState::Hide);
    EXPECT_FALSE(hidden.getModel());
}

TEST_F(DsSpacecraftTest, BrokenTablesStayInsideTheTable) {
    DsSpacecraft& none = load("OrbitData: 0\n2458000.5 1 2 3\n");
    EXPECT_EQ(loaded, 0);
    EXPECT_TRUE(log.contains("Orbit data error in craft.dsc"));
    EXPECT_EQ(none.getPointCount(), 0);
    none.updatePosition(timeOfJd(2458000.5));
    EXPECT_EQ(none.isActive(), 0);
    EXPECT_EQ(none.getPosition().length(), 0.0);
    Vector3 untouched(7, 7, 7);
    EXPECT_FALSE(none.positionAt(2458000.5, untouched));
    EXPECT_EQ(untouched.x, 7.0);

    load("Name: Empty\n");
    EXPECT_EQ(loaded, 0);
    load("OrbitData: -5\n");
    EXPECT_EQ(loaded, 0);

    DsSpacecraft& shortLines = load("OrbitData: 4\n"
                                    "2458000.5 1 2\n"
                                    "not a point\n"
                                    "2458001.5 1 2 3\n"
                                    "2458000.0 4 5 6\n"
                                    "2458009.5 0 0 0\n");
    EXPECT_EQ(loaded, 1);
    EXPECT_TRUE(log.contains("Bad trajectory point \"2458000.5 1 2\""));
    EXPECT_TRUE(log.contains("sorted"));
    ASSERT_EQ(shortLines.getPointCount(), 2);
    EXPECT_DOUBLE_EQ(shortLines.getFirstTime(), 2458000.0);
    EXPECT_DOUBLE_EQ(shortLines.getLastTime(), 2458001.5);

    // A count far above the lines there are.
    DsSpacecraft& few = load("OrbitData: 2000000000\n2458000.5 1 2 3\n2458001.5 1 2 3");
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(few.getPointCount(), 2);
}

TEST_F(DsSpacecraftTest, AMissingModelLeavesThePointDisplay) {
    DsSpacecraft& craft = load("OrbitData: 1\n2458000.5 1 2 3\nModel: absent.obj\n");
    EXPECT_EQ(loaded, 1);
    EXPECT_FALSE(craft.getModel());
    EXPECT_TRUE(log.contains("can't open data file \"absent.obj\""));

    // The model lies in "./models" of the current directory only.
    QDir(QString::fromStdString(dir.file("models"))).removeRecursively();
    DsSpacecraft& other = load("OrbitData: 1\n2458000.5 1 2 3\nModel: cube.obj\n");
    EXPECT_FALSE(other.getModel());
    EXPECT_TRUE(log.contains("model directory"));
}

TEST_F(DsSpacecraftTest, ClearDropsTrajectoryAndModel) {
    DsSpacecraft& craft = load(std::string(twoDays) + "Model: cube.obj\n");
    ASSERT_TRUE(craft.getModel());
    craft.clear();
    EXPECT_EQ(craft.getPointCount(), 0);
    EXPECT_FALSE(craft.getModel());
    craft.updatePosition(timeOfJd(2458001.0));
    EXPECT_EQ(craft.isActive(), 0);
}

TEST_F(DsSpacecraftTest, DeclaredInTheDataFileWithItsModel) {
    std::ofstream(dir.file("craft.dsc")) << twoDays;
    std::ofstream(dir.file("craft.def")) << "DefineSimMode: One 1 1 1 1\n"
                                            "Child: Spacecraft Probe\n"
                                            "    Model: cube.obj\n"
                                            "    Orbit: craft.dsc\n"
                                            "}\n"
                                            "Child: ASatellite Moonlet\n"
                                            "}\n";
    Ssystem other(nullptr, &view);
    ASSERT_EQ(other.readData("craft.def"), 1);
    auto* craft = dynamic_cast<DsSpacecraft*>(other.findBody("Probe"));
    ASSERT_TRUE(craft);
    EXPECT_TRUE(craft->getModel());
    EXPECT_EQ(craft->getPointCount(), 2);
    ASSERT_TRUE(other.findBody("Moonlet"));
    EXPECT_EQ(other.findBody("Moonlet")->getType(), DsAstrBody::ASatellite);
}
