#include "model/Ssystem.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "model/DsAstrBody.h"
#include "model/DsPlanet.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

namespace {

// One line per body in list order: kind, parent, size, states, places.
std::string dump(const Ssystem& system) {
    std::ostringstream out;
    char text[256];
    for (const DsAstrBody* body : system.getAllBodies()) {
        std::snprintf(text, sizeof text, "%s kind %d parent %s radius %.6g km polar %g mag %g",
                      body->getName().c_str(), body->getType(),
                      body->getParent() ? body->getParent()->getName().c_str() : "-",
                      body->getRadius() * 149597870.0, body->getPolarRatio(), body->getMagnitude());
        out << text << " tex " << body->getTextureName() << " atm " << body->getAtmosphere()
            << "\n";
        for (const SimModeState& s : body->getSimModeStates()) {
            std::snprintf(text, sizeof text, "  state %d/%d radius %g %g orbit %g %g\n",
                          s.definedState, s.state, s.radiusRate1, s.radiusRate2, s.orbitRate1,
                          s.orbitRate2);
            out << text;
        }
        for (int i = 0; i < body->getPlaceCount(); ++i)
            out << "  place " << body->formatPlace(i) << "\n";
        if (!body->getHomePlaceName().empty())
            out << "  home " << body->getHomePlaceName() << "\n";
    }
    std::snprintf(text, sizeof text, "belt %g %g %s\n", system.getBeltInnerRadius(),
                  system.getBeltOuterRadius(), system.getBeltTextureName().c_str());
    out << text;
    return out.str();
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SsystemFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::CurrentDirGuard guard(orvextest::dataPath("model"));
        ok = system.readData("small.def");
    }
    FakeModelServices view;
    Ssystem system{nullptr, &view};
    LogCapture log;
    int ok = 0;
};

} // namespace

TEST_F(SsystemFixture, ReadsSimModesBodiesPlacesAndBelt) {
    ASSERT_EQ(ok, 1);
    ASSERT_EQ(system.getSimModeCount(), 2);
    EXPECT_EQ(system.getSimModeNames()[1], "Earth");
    EXPECT_DOUBLE_EQ(system.getSimModeRates()[1].orbitRateOff, 5.0);
    const std::string golden = readText(orvextest::dataPath("model/small.golden"));
    EXPECT_EQ(dump(system), golden) << dump(system);
    EXPECT_TRUE(log.contains("Undefined astr body type Dragon for Earth."));
    EXPECT_TRUE(log.contains("SimMode 7 of Moon is not defined."));
    EXPECT_TRUE(log.contains("Phobos : Unknown token Bogus:."));
    // The first body is selected and marked.
    EXPECT_EQ(system.getSelectedIndex(), 0);
    EXPECT_EQ(system.getSelectedName(), "Sun");
    EXPECT_EQ(system.getAllBodies()[0]->isSelected(), 1);
    EXPECT_EQ(system.getTopBodies().size(), 1u);
}

TEST_F(SsystemFixture, UpdateSkipsBodiesHiddenInTheSimModeButNotTheirChildren) {
    system.update(946728000.0);
    DsAstrBody* mars = system.findBody("Mars");
    DsAstrBody* phobos = system.findBody("Phobos");
    const Vector3 marsAt = mars->getPosition();
    EXPECT_GT(marsAt.length(), 1.3);
    system.simMode(1); // Mars is hidden in sim mode 1, Phobos is not defined there
    system.update(946728000.0 + 86400.0 * 100);
    EXPECT_EQ(mars->getPosition(), marsAt);
    const Vector3 phobosAt = phobos->getPosition();
    system.simMode(0);
    system.update(946728000.0 + 86400.0 * 100);
    EXPECT_NE(mars->getPosition(), marsAt);
    EXPECT_NE(phobos->getPosition(), phobosAt);
    // A child's place in the solar-system frame adds up its parents'.
    const Vector3 sum = phobos->getPosition() + mars->getPosition();
    EXPECT_EQ(phobos->getTrans(), sum);
}

TEST_F(SsystemFixture, GettersFollowTheSelection) {
    system.select(int(std::find(system.getAllBodies().begin(), system.getAllBodies().end(),
                                system.findBody("Earth")) -
                      system.getAllBodies().begin()),
                  0, -1);
    EXPECT_EQ(system.getSelectedName(), "Earth");
    EXPECT_EQ(system.getAtmosphere(), "Air");
    EXPECT_EQ(system.getPlaceName(), "None"); // Examine mode: no place
    EXPECT_EQ(system.getPlaceIndex(), -1);
    system.getSelectedBody()->selectHomePlace();
    EXPECT_EQ(system.getPlaceName(), "Greenwich");
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 51.4769);
    EXPECT_EQ(system.getPlaceWeather(), "None");
    system.getSelectedBody()->selectPlace("Tokyo");
    EXPECT_EQ(system.getPlaceWeather(), "Rain");
    EXPECT_NEAR(system.getRadius(), 6378.137 / 149597870.0 * 1000, 1e-12);
    system.setScale(1);
    EXPECT_NEAR(system.getRadius(), 6378.137 / 149597870.0, 1e-15);
    EXPECT_DOUBLE_EQ(system.getRadiusRate(), 1.0);
    EXPECT_EQ(system.isBodyShown("Earth"), 1);
    EXPECT_EQ(system.isBodyShown("Nowhere"), 0);
}

TEST(Ssystem, MissingFileAndEmptySystem) {
    LogCapture log;
    Ssystem system(nullptr);
    EXPECT_EQ(system.readData("/nonexistent/ssystem.def"), 0);
    EXPECT_TRUE(log.contains("Could not open ssystem data file."));
    EXPECT_EQ(system.getSelectedBody(), nullptr);
    EXPECT_EQ(system.getSelectedName(), "");
    EXPECT_EQ(system.getAtmosphere(), "None");
    EXPECT_EQ(system.getPlaceWeather(), "None");
    EXPECT_EQ(system.getTrans(), Vector3());
    EXPECT_TRUE(log.contains("getTrans() to NULL astrBody."));
    EXPECT_DOUBLE_EQ(system.getRadius(), 1.0);
    EXPECT_DOUBLE_EQ(system.getSunRadius(), 1.0);
    EXPECT_TRUE(log.contains("getSunRadius() to NULL sun."));
    const Quaternion look = system.getLookRot("Mars", 0);
    EXPECT_EQ(look, Quaternion());

    // A file with sim modes and no bodies selects nothing.
    orvextest::TempDir dir;
    std::ofstream(dir.file("empty.def")) << "DefineSimMode: A 1 1 1 1\nChild: AstrBelt B\n}\n";
    EXPECT_EQ(system.readData(dir.file("empty.def")), 1);
    EXPECT_EQ(system.getSelectedIndex(), -1);
    EXPECT_DOUBLE_EQ(system.getBeltInnerRadius(), 22.0);
    EXPECT_EQ(system.getBeltTextureName(), "./textures/astrbelt.png");
    system.select(3, 0, -1);
    EXPECT_EQ(system.getSelectedIndex(), -1);
    system.update(0.0);
}

TEST(Ssystem, LookRotationTurnsTowardsTheBody) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("d.def")) << "DefineSimMode: A 1 1 1 1\nChild: Sun Sun\n}\n";
    Ssystem system(nullptr);
    ASSERT_EQ(system.readData(dir.file("d.def")), 1);
    // A body at the origin, camera at the origin: the turn stays finite.
    const Quaternion q = system.getLookRot("Sun", 0);
    EXPECT_TRUE(std::isfinite(q.w));
    EXPECT_EQ(system.getLookRot("Sun", 5), Quaternion(Vector3(0, 0, 1), 0.0));
}

TEST(Ssystem, EveryTruncationOfADataFileReadsSafely) {
    const std::string full = readText(orvextest::dataPath("model/small.def"));
    orvextest::TempDir dir;
    platform::CurrentDirGuard guard(orvextest::dataPath("model"));
    LogCapture log;
    for (size_t length = 0; length <= full.size(); length += 7) {
        std::ofstream(dir.file("cut.def")) << full.substr(0, length);
        Ssystem system(nullptr);
        EXPECT_EQ(system.readData(dir.file("cut.def")), 1);
        system.update(946728000.0);
        EXPECT_LE(system.getSelectedIndex(), int(system.getAllBodies().size()) - 1);
    }
}

TEST(Ssystem, RegistersItsClassWordWithTheRoot) {
    orvextest::TestRoot root;
    Ssystem system(&root);
    EXPECT_STREQ(system.getName(), "Ssystem");
    bool found = false;
    for (int i = 0; i < root.interp.getClassCount(); ++i)
        found = found || root.interp.getClassName(i) == "Ssystem";
    EXPECT_TRUE(found);
}

TEST(Ssystem, DeepNestingIsCutWithAMessage) {
    LogCapture log;
    // Sixty thousand nested blocks overflowed the stack of the reader.
    orvextest::TempDir dir;
    std::string text = "DefineSimMode: A 1 1 1 1\nChild: Sun Sun\n";
    for (int i = 0; i < 60000; ++i)
        text += "Child: Satellite S\n";
    text += std::string(60001, '}');
    std::ofstream(dir.file("deep.def")) << text;
    Ssystem system(nullptr);
    EXPECT_EQ(system.readData(dir.file("deep.def")), 1);
    EXPECT_EQ(int(system.getAllBodies().size()), DsAstrBody::MaxNestingDepth);
    EXPECT_TRUE(log.contains("is nested more than 256 deep; its block is skipped."));

    Ssystem small(nullptr);
    EXPECT_EQ(
        small.readData(orvextest::dataPath("fuzz-regressions/body_data/nested-children-300.def")), 1);
    EXPECT_EQ(int(small.getAllBodies().size()), DsAstrBody::MaxNestingDepth);
}

TEST(Ssystem, EmptyOrDamagedDataFilesAreNamedInTheLog) {
    for (const char* name : {"empty.def", "garbage.def"}) {
        LogCapture log;
        Ssystem system(nullptr);
        const std::string path = orvextest::dataPath("fuzz-regressions/body_data/") + name;
        EXPECT_EQ(system.readData(path), 1);
        EXPECT_TRUE(log.contains("Ssystem data file " + path + " is empty or damaged")) << name;
    }
}
