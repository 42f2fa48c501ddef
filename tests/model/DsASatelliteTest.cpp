// Artificial satellites from element sets: where they stand at the set's
// epoch and a day later, against SGP4 (tools/make-satellite-reference.py).
#include "model/DsASatellite.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "support/ElementLines.h"
#include "support/TestEnv.h"

namespace {

struct Reference {
    std::string name;
    double jd;
    Vector3 km;
};

std::vector<Reference> readReferences() {
    std::ifstream in(orvextest::dataPath("objects/satellite-positions.txt"));
    std::vector<Reference> refs;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        Reference r;
        words >> r.name >> r.jd >> r.km.x >> r.km.y >> r.km.z;
        refs.push_back(r);
    }
    return refs;
}

double timeOfJd(double jd) {
    return (jd - kJdUnixEpoch) * 86400.0;
}

class DsASatelliteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(system.readData("earth.def"), 1);
        earth = system.findBody("Earth");
        ASSERT_TRUE(earth);
    }
    DsASatellite& add(const std::string& name, const std::string& file = "satellites.tle") {
        auto body = std::make_unique<DsASatellite>(name, earth, &system);
        DsASatellite& satellite = *body;
        earth->addChild(std::move(body));
        loaded = satellite.loadOrbitFile(file);
        return satellite;
    }

    platform::CurrentDirGuard dir{orvextest::dataPath("objects")};
    FakeModelServices view;
    Ssystem system{nullptr, &view};
    DsAstrBody* earth = nullptr;
    LogCapture log;
    int loaded = 0;
};

} // namespace

TEST_F(DsASatelliteTest, StandsWhereTheElementSetPlacesIt) {
    const std::vector<Reference> refs = readReferences();
    ASSERT_EQ(refs.size(), 20u);
    for (const Reference& ref : refs) {
        DsASatellite* satellite = dynamic_cast<DsASatellite*>(system.findBody(ref.name));
        if (!satellite) {
            satellite = &add(ref.name);
            ASSERT_EQ(loaded, 1) << ref.name;
        }
        satellite->updatePosition(timeOfJd(ref.jd));
        const Vector3 km = satellite->getPosition() * kKmPerAu;
        const double miss = (km - ref.km).length();
        // The Moon and the Sun move the farthest orbits more than the Earth's
        // flattening, and more than these satellites follow.
        const double tolerance = satellite->getMeanAxisKm() > 60000.0 ? 0.03 * km.length() : 50.0;
        EXPECT_LT(miss, tolerance)
            << ref.name << " at JD " << ref.jd << ": " << km.x << " " << km.y << " " << km.z;
    }
}

TEST_F(DsASatelliteTest, TakesItsLooksAndStatesFromTheParent) {
    DsASatellite& iss = add("ISS_(ZARYA)");
    EXPECT_EQ(iss.getType(), DsAstrBody::ASatellite);
    EXPECT_EQ(iss.getParent(), earth);
    EXPECT_DOUBLE_EQ(iss.getRadius(), 1e-06);
    EXPECT_DOUBLE_EQ(iss.getMagnitude(), 1.0);
    ASSERT_EQ(iss.getSimModeStates().size(), 2u);
    const SimModeState& scaled = iss.getSimModeStates()[1];
    EXPECT_EQ(scaled.definedState, SimModeState::Hlight);
    EXPECT_DOUBLE_EQ(scaled.radiusRate1, 2.0);
    EXPECT_DOUBLE_EQ(scaled.radiusRate2, 3.0);
    EXPECT_DOUBLE_EQ(scaled.orbitRate1, 20.0);
    EXPECT_DOUBLE_EQ(scaled.orbitRate2, 30.0);
    // The mean axis from the set's mean motion, about 6783 km for the station.
    EXPECT_NEAR(iss.getMeanAxisKm(), 6783.0, 5.0);
    EXPECT_NEAR(iss.getElementSet().epochJd, 2458139.39808844, 1e-8);
}

TEST_F(DsASatelliteTest, AMissingOrEmptySetIsAnOrbitDataError) {
    orvextest::TempDir temp;
    const std::string file = temp.file("bad.tle");
    std::ofstream(file)
        << "STILL\n"
        << "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992\n"
        << "2 25544  51.6424  32.9776 0003646  28.7227  39.5332  0.00000000 95614\n"
        << "BACKWARDS\n"
        << "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992\n"
        << "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 -1.00000000 95614\n";
    // Sets whose checksums hold: letters read as 0, and an orbit into the Earth.
    const std::string line1 =
        "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992";
    const std::string line2 =
        "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614";
    std::ofstream(file, std::ios::app)
        << "NO NUMBERS\n"
        << line1 << "\n"
        << orvextest::changedElementLine(line2, 9, "ABCDEFGH") << "\n"
        << "PLUNGING\n"
        << line1 << "\n"
        << orvextest::changedElementLine(line2, 27, "9999999") << "\n";
    const std::pair<const char*, const char*> faults[] = {
        {"STILL", ""},
        {"BACKWARDS", ""},
        {"ABSENT", ""},
        {"NO_NUMBERS", "The element set NO_NUMBERS is left out: the inclination in line 2 is "
                       "no number: \"ABCDEFGH\"."},
        {"PLUNGING", "The element set PLUNGING is left out: its perigee lies inside the Earth."}};
    for (const auto& [name, fault] : faults) {
        log.clear();
        DsASatellite& satellite = add(name, file);
        EXPECT_EQ(loaded, 0) << name;
        EXPECT_TRUE(log.contains("Orbit data error in " + file)) << name;
        EXPECT_TRUE(log.contains(fault)) << name;
        satellite.updatePosition(timeOfJd(2458139.5));
        const Vector3 p = satellite.getPosition();
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << name;
        EXPECT_EQ(p.length(), 0.0) << name; // at the parent's centre
    }
}
