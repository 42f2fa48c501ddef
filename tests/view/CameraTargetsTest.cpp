// The camera's look and trace targets with the sky classes and the markers:
// the search order body, constellation, galaxy, fixed star, 3-D marker.
#include <fstream>

#include "CameraFixture.h"
#include "sky/Constes.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "sky/SkyPosition.h"
#include "view/Markers.h"

namespace {

class CameraTargetsTest : public orvextest::CameraFixture {
protected:
    CameraTargetsTest() {
        constes.load(orvextest::dataPath("constes/"));
        galaxies.loadNames(orvextest::dataPath("names/galaxies.txt"));
        fstars.loadNames(orvextest::dataPath("names/fixedstars.txt"));
        // Names that are also a galaxy's, a star's or a body's, in places of their own.
        std::ofstream(dir.file("more.txt"))
            << "FixedStarNames: 2 { Name: M31 3 0 -60 0 Name: Earth 4 0 10 0 }";
        fstars.loadNames(dir.file("more.txt"));
        markers.setSsystem(&world.ssystem);
        camera.setSkyTargets(Camera::Constellations, &constes);
        camera.setSkyTargets(Camera::Galaxies, &galaxies);
        camera.setSkyTargets(Camera::FixedStars, &fstars);
        camera.setMarkers(&markers);
        run("Markers.Add Beacon;Markers.SetPos3 Beacon 0 3 -4;"
            "Markers.Add Vega;Markers.SetPos3 Vega 1 0 0;Markers.Add Mars;Markers.SetPos3 Mars 1 1 "
            "1;"
            "Markers.Add Flat;Markers.SetPos2 Flat 0.5 0.5;Markers.Add Origin");
        world.log.clear();
    }

    // What getLookRot finds, starting from a rotation no target has.
    Quaternion lookRot(const std::string& name) {
        Quaternion rot = unfound;
        camera.getLookRot(name, rot);
        return rot;
    }

    const Quaternion unfound{Vector3(0.3, 0.4, 0.5), 0.7};
    Constes constes{&world.root};
    Galaxies galaxies{&world.root};
    Fstars fstars{&world.root};
    Markers markers{&world.root};
};

} // namespace

TEST_F(CameraTargetsTest, TheFirstOfBodyConstellationGalaxyFixedStarAndMarkerWins) {
    ASSERT_TRUE(galaxies.hasGalaxy("Alpha"));
    ASSERT_TRUE(fstars.hasLookTarget("M31"));
    struct Case {
        const char* name;
        Quaternion expected;
    };
    const Case cases[] = {
        {"Mars", world.ssystem.getLookRot("Mars", Camera::Examine)}, // over the marker
        {"Alpha", constes.getLookRot("Alpha")},                      // over the galaxy
        {"M31", galaxies.getLookRot("M31")},                         // over the fixed star
        {"Vega", fstars.getLookRot("Vega")},                         // over the marker
        {"Beacon", Quaternion(Vector3(0, 0, 1), Vector3(0, 3, -4))},
        {"Earth", unfound},  // the selected body itself, outside Fly: no turn
        {"Flat", unfound},   // a screen marker
        {"Origin", unfound}, // a marker at the eye lies in no direction
        {"alpha", unfound},
        {"Nothing", unfound},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lookRot(c.name), c.expected) << c.name;
        EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget) << c.name;
    }
    EXPECT_NE(lookRot("M31"), fstars.getLookRot("M31"));
}

TEST_F(CameraTargetsTest, LookTurnsTheViewOntoTheSkyObject) {
    // The root draws the star sphere turned by the view, then by -23.4
    // degrees about x; the named place comes onto the view axis, north up.
    const Quaternion sphere(Vector3(1, 0, 0), -0.4084070383087704);
    struct Case {
        const char* name;
        double ra;
        double decl;
    };
    const Case cases[] = {
        {"M31", 10.5, 41.0 + 16.0 / 60.0},
        {"Sirius", 101.25, -(16.0 + 43.0 / 60.0)},
        {"Mintaka", 82.5, -0.5},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(run(std::string("Camera.Look ") + c.name), 1);
        frames(1);
        const Quaternion view = camera.getViewRot();
        const Vector3 seen = view.rotateVector(sphere.rotateVector(skyDirection(c.ra, c.decl)));
        EXPECT_NEAR(seen.x, 0.0, 1e-6) << c.name;
        EXPECT_NEAR(seen.y, 0.0, 1e-6) << c.name;
        EXPECT_NEAR(seen.z, -1.0, 1e-6) << c.name;
        EXPECT_GT(view.rotateVector(sphere.rotateVector(Vector3(0, 0, 1))).y, 0.0) << c.name;
    }
}

TEST_F(CameraTargetsTest, TraceFollowsSkyObjectsAndMarkers) {
    for (const char* name : {"M31", "Alpha", "Sirius", "Beacon"}) {
        ASSERT_EQ(run(std::string("Camera.Trace ") + name), 1);
        EXPECT_EQ(value("TargetName"), name);
        EXPECT_EQ(camera.getTargetKind(),
                  name == std::string("Beacon") ? Camera::MarkerTarget : Camera::FixedTarget);
    }
    // The followed marker moves to the eye: the view keeps its last direction.
    frames(1);
    const Quaternion before = camera.getViewRot();
    run("Markers.SetPos3 Beacon 0 0 0");
    frames(2);
    EXPECT_TRUE(finite(camera.getViewRot()));
    EXPECT_EQ(camera.getViewRot(), before);

    world.root.clearLog();
    for (const char* name : {"Origin", "Flat", "Nobody"}) {
        ASSERT_EQ(run(std::string("Camera.Trace ") + name), 1);
        EXPECT_EQ(value("TargetName"), "") << name;
        EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget) << name;
    }
    EXPECT_NE(world.root.getLog().find("Camera.Look None"), std::string::npos);
}

TEST_F(CameraTargetsTest, ObserveAnglesOfSkyObjectsAndMarkers) {
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe");
    frames(1);
    // A galaxy: the angles of its sky direction.
    double alt = 0, az = 0, altExpected = 0, azExpected = 0;
    camera.getLookAltAz("M31", alt, az);
    camera.lookAt(10.5, 41.0 + 16.0 / 60.0, altExpected, azExpected);
    EXPECT_NEAR(alt, altExpected, 1e-9);
    EXPECT_NEAR(az, azExpected, 1e-9);
    // The constellation shadows the galaxy of its name here too.
    camera.getLookAltAz("Alpha", alt, az);
    double altC = 0, azC = 0;
    camera.rotToAltAz(constes.getLookRot("Alpha"), altC, azC);
    EXPECT_NEAR(alt, altC, 1e-9);
    EXPECT_NEAR(az, azC, 1e-9);
    // The selected body is no match: Earth is a fixed star's name as well.
    camera.getLookAltAz("Earth", alt, az);
    camera.rotToAltAz(fstars.getLookRot("Earth"), altC, azC);
    EXPECT_NEAR(alt, altC, 1e-9);
    EXPECT_NEAR(az, azC, 1e-9);

    // A marker standing at the observer has no direction: nothing changes.
    const Vector3 at = world.ssystem.getObserveTrans(1, -1.0);
    run("Markers.SetPos3 Beacon " + std::to_string(-at.x) + " " + std::to_string(-at.y) + " " +
        std::to_string(-at.z));
    const Vector3 stored = markers.getPos3("Beacon");
    ASSERT_TRUE(finite(stored));
    MarkerItem& beacon = *markers.find("Beacon");
    beacon.position.set(-at); // exactly, not through the printed digits
    alt = 12.0;
    az = 34.0;
    camera.getLookAltAz("Beacon", alt, az);
    EXPECT_EQ(alt, 12.0);
    EXPECT_EQ(az, 34.0);
    beacon.position.set(-at + Vector3(0, 0, 1e-3));
    camera.getLookAltAz("Beacon", alt, az);
    EXPECT_TRUE(std::isfinite(alt) && std::isfinite(az));
    EXPECT_NE(alt, 12.0);
}
