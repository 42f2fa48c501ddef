// The orbit files of satellites, planets, asteroids and comets.
#include <cmath>

#include <gtest/gtest.h>

#include "ModelTestFiles.h"
#include "engine/LogMessage.h"
#include "model/DsAsteroid.h"
#include "model/DsComet.h"
#include "model/DsPlanet.h"
#include "model/OrbitMath.h"
#include "support/TestEnv.h"

namespace {

double timeOf(double jd) {
    return (jd - kJdUnixEpoch) * 86400.0;
}

} // namespace

TEST(DsSatellite, ReadsItsElements) {
    orvextest::TempDir dir;
    LogCapture log;
    DsSatellite moon("Moonlet", nullptr, nullptr);
    EXPECT_EQ(moon.loadOrbitFile(writeFile(dir, "s.orb",
                                           "W: 12 Om: 34 i: 5 e: 0.1 a: 149597870\n"
                                           "# Peri: 99 is a comment\nn: 2 Strange: 1\n")),
              1);
    EXPECT_DOUBLE_EQ(moon.getPeriapsis(), 12.0);
    EXPECT_DOUBLE_EQ(moon.getNode(), 34.0);
    EXPECT_DOUBLE_EQ(moon.getInclination(), 5.0);
    EXPECT_DOUBLE_EQ(moon.getSemiMajorAxis(), 1.0);
    EXPECT_TRUE(log.contains("Moonlet : Unknown token Strange:."));

    DsSatellite empty("Empty", nullptr, nullptr);
    EXPECT_EQ(empty.loadOrbitFile(writeFile(dir, "c.orb", "# nothing\n# at all\n")), 1);
    EXPECT_DOUBLE_EQ(empty.getSemiMajorAxis(), 0.0);

    DsSatellite bad("Bad", nullptr, nullptr);
    EXPECT_EQ(bad.loadOrbitFile(writeFile(dir, "b.orb", "e: 1.5 a: 1000\n")), 0);
    EXPECT_TRUE(log.contains("Orbit data error in"));
    EXPECT_EQ(bad.loadOrbitFile("/dev/zero"), 0);
    EXPECT_TRUE(log.contains(
        "Could not open orbit data in /dev/zero. Not a regular file (a character device)."));
    bad.updatePosition(0.0);
    EXPECT_EQ(bad.getPosition(), Vector3());
}

TEST(DsSatellite, CircleWithoutAPlanetParentTracesTheMeanAnomaly) {
    orvextest::TempDir dir;
    DsAstrBody rock("Rock", nullptr, nullptr); // not a planet: no parent frame
    DsSatellite moon("Moonlet", &rock, nullptr);
    moon.loadOrbitFile(writeFile(dir, "s.orb", "a: 149597870 e: 0 n: 10 t: 2451545 M: 30\n"));
    moon.updatePosition(timeOf(2451545.0 + 3.0)); // M = 60 degrees
    const Vector3 p = moon.getPosition();
    EXPECT_NEAR(p.length(), 1.0, 1e-12);
    // Counted from periapsis (+x): at M = 60 the body is 60 degrees on.
    EXPECT_NEAR(std::atan2(p.y, p.x) / kDegToRad, 60.0, 1e-9);
    EXPECT_NEAR(p.z, 0.0, 1e-12);
    // On an ellipse, M = 0 is the periapsis a (1 - e) on +x.
    DsSatellite eccentric("Eccentric", &rock, nullptr);
    eccentric.loadOrbitFile(writeFile(dir, "e.orb", "a: 149597870 e: 0.5 n: 10 t: 2451545\n"));
    eccentric.updatePosition(timeOf(2451545.0));
    EXPECT_NEAR(eccentric.getPosition().x, 0.5, 1e-12);
    EXPECT_NEAR(eccentric.getPosition().y, 0.0, 1e-12);
}

TEST(DsPlanet, AxisKeywords) {
    orvextest::TempDir dir;
    DsPlanet a("A", nullptr, nullptr, DsAstrBody::Planet);
    DsPlanet b("B", nullptr, nullptr, DsAstrBody::Planet);
    a.loadOrbitFile(writeFile(dir, "a.orb", "AxisLat: 66.5 AxisLon: 90\n"));
    b.loadOrbitFile(writeFile(dir, "b.orb", "AxisAngle: -23.5\n"));
    EXPECT_DOUBLE_EQ(a.getAxisLatitude(), b.getAxisLatitude());
    EXPECT_DOUBLE_EQ(a.getAxisLongitude(), 0.0);
}

TEST(DsPlanet, AnEmptyOrCutFileIsNamedInsteadOfPuttingTheBodyAtTheSun) {
    for (const char* name : {"empty.orb", "cut.orb"}) {
        LogCapture log;
        const std::string path = orvextest::dataPath("fuzz-regressions/orbit_planet/") + name;
        DsPlanet earth("Earth", nullptr, nullptr, DsAstrBody::Earth);
        EXPECT_EQ(earth.loadOrbitFile(path), 0) << name;
        EXPECT_TRUE(log.contains("Earth : orbit data file " + path +
                                 " gives no semi-major axis (empty or cut file)."))
            << name;
    }
    // The Sun has no orbit: its axis of 0 is no fault.
    LogCapture log;
    DsPlanet sun("Sun", nullptr, nullptr, DsAstrBody::Sun);
    EXPECT_EQ(sun.loadOrbitFile(orvextest::dataPath("fuzz-regressions/orbit_planet/empty.orb")), 1);
    EXPECT_TRUE(log.messages().empty());
}

TEST(DsPlanet, CircleAndTheEarthsReflection) {
    orvextest::TempDir dir;
    const std::string circle = writeFile(dir, "c.orb", "A: 2 0 e: 0 0 L: 90 0 0 Peri: 0 0 0\n");
    DsPlanet planet("P", nullptr, nullptr, DsAstrBody::Planet);
    DsPlanet earth("E", nullptr, nullptr, DsAstrBody::Earth);
    planet.loadOrbitFile(circle);
    earth.loadOrbitFile(circle);
    planet.updatePosition(timeOf(2451545.0));
    earth.updatePosition(timeOf(2451545.0));
    // e = 0: E = M, r = a; the planet at longitude 90, the Earth opposite (its
    // file holds the Sun's geocentric elements).
    EXPECT_NEAR(planet.getPosition().x, 0.0, 1e-12);
    EXPECT_NEAR(planet.getPosition().y, 2.0, 1e-12);
    EXPECT_NEAR(earth.getPosition().y, -2.0, 1e-12);

    const std::string ellipse = writeFile(dir, "e.orb", "A: 1 0 e: 0.5 0 L: 0 0 0 Peri: 0 0 0\n");
    planet.loadOrbitFile(ellipse);
    earth.loadOrbitFile(ellipse);
    planet.updatePosition(timeOf(2451545.0));
    earth.updatePosition(timeOf(2451545.0));
    EXPECT_LT(planet.getEllipseCentre().x, 0.0);
    EXPECT_GT(earth.getEllipseCentre().x, 0.0);
    EXPECT_NEAR(planet.getPosition().x, 0.5, 1e-12); // perihelion a (1 - e)
    EXPECT_NEAR(earth.getPosition().x, -0.5, 1e-12);
}

TEST(DsPlanet, SunStaysAndEarthSpinsBySiderealTime) {
    orvextest::TempDir dir;
    DsPlanet sun("Sun", nullptr, nullptr, DsAstrBody::Sun);
    sun.loadOrbitFile(writeFile(dir, "s.orb", "A: 0 0\n"));
    sun.updatePosition(timeOf(2451600.0));
    EXPECT_EQ(sun.getPosition(), Vector3());

    DsPlanet earth("Earth", nullptr, nullptr, DsAstrBody::Earth);
    earth.loadOrbitFile(writeFile(dir, "e.orb", "A: 1 0 SpinSpeed: 1 SpinOffset: 10\n"));
    const double jd = 2451545.25;
    earth.updatePosition(timeOf(jd));
    const double gst = greenwichSiderealTime(jd, julianCenturies(daysSinceJ2000(jd))) + 10.0;
    const Quaternion expected(Vector3(0, 0, 1), reducedRadians(gst));
    const Quaternion r = earth.getRot();
    EXPECT_NEAR(
        std::fabs(r.x * expected.x + r.y * expected.y + r.z * expected.z + r.w * expected.w), 1.0,
        1e-9);
}

TEST(DsPlanet, LunarTermsOnlyWithTheParentsLongitude) {
    orvextest::TempDir dir;
    const std::string base = "A: 0.00257 0 e: 0.0549 0 Incl: 5.1 0 L: 218 13.17 0 "
                             "Peri: 83 0.11 0 Node: 125 -0.05 0\n";
    DsPlanet plain("M1", nullptr, nullptr, DsAstrBody::Moon);
    DsPlanet perturbed("M2", nullptr, nullptr, DsAstrBody::Moon);
    plain.loadOrbitFile(writeFile(dir, "a.orb", base));
    perturbed.loadOrbitFile(
        writeFile(dir, "b.orb", base + "ParentL: 280 0.9856 0 ParentW: 283 0 0\n"));
    plain.updatePosition(timeOf(2451600.0));
    perturbed.updatePosition(timeOf(2451600.0));
    EXPECT_GT((plain.getPosition() - perturbed.getPosition()).length(), 1e-6);
    EXPECT_NEAR(plain.getPosition().length(), perturbed.getPosition().length(), 1e-12);
}

TEST(DsAsteroid, SimModeSelection) {
    orvextest::TempDir dir;
    auto system = systemWithModes(dir, 3);
    DsAsteroid last("Last", nullptr, system.get());
    last.loadOrbitFile(writeFile(dir, "l.orb", "SimMode: -1 State: Show\ne: 0.1 A: 2\n"));
    EXPECT_EQ(last.getSimModeStates()[0].definedState, SimModeState::Hide);
    EXPECT_EQ(last.getSimModeStates()[2].definedState, SimModeState::Show);

    DsAsteroid all("All", nullptr, system.get());
    all.loadOrbitFile(writeFile(dir, "a.orb",
                                "SimMode: All State: Show OrbitRate: 1 2 3 4 5 6\n"
                                "SimMode: 7 State: Hlight RadiusRate: 9 9\n"
                                "SimMode: x RadiusRate: 7 8\n"
                                "W: 30 e: 0.1 A: 2\n}\n"));
    for (const SimModeState& s : all.getSimModeStates())
        EXPECT_EQ(s.definedState, SimModeState::Show);
    EXPECT_DOUBLE_EQ(all.getSimModeStates()[1].orbitRate1, 3.0);
    EXPECT_DOUBLE_EQ(all.getSimModeStates()[2].orbitRate2, 6.0);
    EXPECT_DOUBLE_EQ(all.getSimModeStates()[0].radiusRate1, 7.0); // "x" reads as 0
    EXPECT_DOUBLE_EQ(all.getElemPeri(), 30.0);
    EXPECT_DOUBLE_EQ(all.getElemNode(), 0.0);
    EXPECT_EQ(all.getTextureName(), "./textures/comet.bmp");
}

TEST(DsAsteroid, RejectsElementsThatAreNoEllipse) {
    orvextest::TempDir dir;
    LogCapture log;
    for (const char* text : {"e: 1.0 A: 2\n", "e: 0.5 A: 0\n", "e: -0.1 A: 1\n", "M: 5\n"}) {
        DsAsteroid rock("Rock", nullptr, nullptr);
        EXPECT_EQ(rock.loadOrbitFile(writeFile(dir, "r.orb", text)), 0) << text;
        rock.updatePosition(0.0);
        EXPECT_EQ(rock.getPosition(), Vector3());
    }
    EXPECT_TRUE(log.contains("Rock : Bad orbit elements"));
    EXPECT_FALSE(log.contains("}"));

    DsAsteroid brace("Brace", nullptr, nullptr);
    brace.loadOrbitFile(writeFile(dir, "b.orb", "} e: 0.1 A: 1\n"));
    EXPECT_TRUE(log.contains("Brace : Unknown token }."));
}

TEST(DsAsteroid, CircleOfTheOrbitScale) {
    orvextest::TempDir dir;
    DsAsteroid rock("Rock", nullptr, nullptr);
    rock.loadOrbitFile(writeFile(dir, "r.orb",
                                 "SimMode: 0 OrbitRate: 3 1\ne: 0 A: 2 Incl: 20 Node: 40 "
                                 "M: 10 t: 2451545\n"));
    for (double days : {0.0, 100.0, 1000.0}) {
        rock.updatePosition(timeOf(2451545.0 + days));
        EXPECT_NEAR(rock.getPosition().length(), 6.0, 1e-12);
    }
    EXPECT_DOUBLE_EQ(rock.getEllipseSize().x, 6.0);
}

TEST(DsComet, DerivedAxisAndMeanMotion) {
    orvextest::TempDir dir;
    LogCapture log;
    struct Case {
        const char* text;
        double axis;
    } cases[] = {{"e: 0.967 q: 0.587 a: 99\n", 17.7879},
                 {"e: 1 q: 0.587\n", 1.0},
                 {"e: 1.2 q: 0.587\n", 2.935}};
    for (const Case& c : cases) {
        DsComet comet("C", nullptr, nullptr);
        EXPECT_EQ(comet.loadOrbitFile(writeFile(dir, "c.orb", c.text)), 1);
        EXPECT_NEAR(comet.getElemAxis(), c.axis, 5e-5) << c.text;
    }
    DsComet bad("Bad", nullptr, nullptr);
    EXPECT_EQ(bad.loadOrbitFile(writeFile(dir, "bad.orb", "q: 1\n")), 0);
    EXPECT_TRUE(log.contains("Bad comet parameters in"));
}

TEST(DsComet, DatesAndDustBeyondReasonAreRefusedOrBounded) {
    LogCapture log;
    const std::string dir = orvextest::dataPath("fuzz-regressions/orbit_comet/");
    for (const char* file : {"perihelion-year-11e9.orb", "perihelion-month-nan.orb"}) {
        DsComet comet("C", nullptr, nullptr);
        EXPECT_EQ(comet.loadOrbitFile(dir + file), 0) << file;
    }
    EXPECT_TRUE(log.contains("Bad comet parameters in"));

    // Two thousand million grains, each an orbit position, held the frame loop.
    DsComet dusty("D", nullptr, nullptr);
    EXPECT_EQ(dusty.loadOrbitFile(dir + "dust-length-2e9.orb"), 1);
    EXPECT_EQ(dusty.getDustLength(), DsComet::MaxDustLength);
    EXPECT_TRUE(log.contains("dustLength 2000000000 in"));
}

TEST(DsComet, PerihelionDateIsExactOnTheCalendar) {
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(2000, 1, 1.5), 2451545.0);
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(1582, 10, 15.0), 2299160.5);
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(1582, 10, 4.5), 2299160.0); // the Julian day before
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(1986, 2, 9.459), 2446470.959);
    // Months past 12 carry into the year; a fraction takes its share of days.
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(1999, 13, 1.5), 2451545.0);
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(2000, 0, 1.0), DsComet::dateToJd(1999, 12, 1.0));
    EXPECT_DOUBLE_EQ(DsComet::dateToJd(2001, 2.5, 1.0), DsComet::dateToJd(2001, 2, 15.0));
}

TEST(DsComet, ParabolaAndHyperbolaAroundPerihelion) {
    orvextest::TempDir dir;
    DsComet parabola("P", nullptr, nullptr);
    parabola.loadOrbitFile(writeFile(dir, "p.orb", "T: 2000 1 1.5 q: 0.5 e: 1\n"));
    Vector3 p;
    parabola.M2f(2451545.0, p);
    EXPECT_NEAR(p.x, 0.5, 1e-15);
    EXPECT_NEAR(p.y, 0.0, 1e-15);
    Vector3 before, after;
    parabola.M2f(2451545.0 - 5000, before);
    parabola.M2f(2451545.0 + 5000, after);
    EXPECT_LT(before.y, 0.0);
    EXPECT_GT(after.y, 0.0);
    EXPECT_GT(after.length(), 10.0);

    DsComet hyperbola("H", nullptr, nullptr);
    hyperbola.loadOrbitFile(writeFile(dir, "h.orb", "T: 2000 1 1.5 q: 0.5 e: 1.5\n"));
    for (double days : {0.001, 3.0, 300.0}) {
        hyperbola.M2f(2451545.0 - days, before);
        hyperbola.M2f(2451545.0 + days, after);
        EXPECT_NEAR(before.x, after.x, 1e-12 * after.length());
        EXPECT_NEAR(before.y, -after.y, 1e-12 * after.length());
    }
}

TEST(DsComet, OrbitPointsSurroundPerihelion) {
    orvextest::TempDir dir;
    DsComet comet("C", nullptr, nullptr);
    comet.loadOrbitFile(
        writeFile(dir, "c.orb", "T: 1997 4 1.1 q: 0.914 e: 0.995 drawMonth: 12 dustLength: 16\n"));
    comet.makeOrbitPoints(64);
    const auto& points = comet.getOrbitPoints();
    const auto& times = comet.getOrbitPointTimes();
    ASSERT_EQ(points.size(), 128u);
    EXPECT_DOUBLE_EQ(times[64], comet.getPeriJd());
    EXPECT_NEAR(comet.getPeriRadius(), 0.914, 1e-12);
    EXPECT_NEAR(times[0], comet.getPeriJd() - 365.2425, 1e-9);
    for (size_t i = 0; i < points.size(); i += 9) {
        Vector3 p;
        comet.M2f(times[i], p);
        EXPECT_EQ(p, points[i]);
    }
    EXPECT_EQ(comet.getDustLength(), 16);
}
