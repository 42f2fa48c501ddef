// The Ssystem actions behind the command words: selection and its cursors,
// switches and marks, the observer's place, scale, clouds and the camera
// calls they make.
#include <cmath>

#include <gtest/gtest.h>

#include "ModelTestFiles.h"
#include "SsystemRoot.h"
#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Transition.h"
#include "model/DsAstrBody.h"
#include "model/DsPlanet.h"

namespace {

constexpr int Sun = 0, Mercury = 1, Earth = 2, Moon = 3, Dot = 5, Ceres = 7;

} // namespace

TEST_F(SsystemRoot, NextAndPreviousSkipHiddenBodiesAndWrapAround) {
    system.select(Ceres, 0, -1);
    system.selectNext(30);
    EXPECT_EQ(system.getSelectedIndex(), Sun); // wrapped to body 0
    system.selectPrev(30);
    EXPECT_EQ(system.getSelectedIndex(), Ceres);
    system.select(Dot, 0, -1);
    system.selectPrev(30);
    EXPECT_EQ(system.getSelectedIndex(), Moon); // Vulcan is hidden by the data
    // The camera follows each step over the frames.
    ASSERT_FALSE(view.modeCalls.empty());
    EXPECT_EQ(view.modeCalls.back(), (std::array<int, 4>{0, 1, 30, 0}));

    // In sim mode 1 only Sun, Earth and Moon are shown.
    system.simMode(1);
    system.select(Moon, 0, -1);
    system.selectNext(5);
    EXPECT_EQ(system.getSelectedIndex(), Sun);
    system.selectPrev(5);
    EXPECT_EQ(system.getSelectedIndex(), Moon);
}

TEST_F(SsystemRoot, NothingToCycleToLeavesTheSelection) {
    for (DsAstrBody* body : system.getAllBodies())
        body->setState(SimModeState::Hide);
    system.getAllBodies()[Sun]->setState(SimModeState::Show);
    system.selectNext(10);
    system.selectPrev(10);
    EXPECT_EQ(system.getSelectedIndex(), Sun);
    EXPECT_TRUE(view.modeCalls.empty());
}

TEST(SsystemActions, WithNothingSelectedNextTakesTheFirstAndPreviousTheLastShownBody) {
    // A system read without bodies selects none; bodies added later (the
    // object lists) leave it so.
    orvextest::TempDir dir;
    auto system = systemWithModes(dir, 1);
    for (const char* name : {"A", "B", "C"}) {
        const std::string state = name[0] == 'C' ? "Hide" : "Show";
        DataFile file;
        ASSERT_TRUE(file.open(writeFile(dir, name, "SimMode: 0 State: " + state + " }"),
                              DataFile::Read, 0, DataFile::HostOrder));
        auto body = std::make_unique<DsPlanet>(name, nullptr, system.get(), DsAstrBody::Planet);
        body->readDefinition(file);
        system->addTopBody(std::move(body));
    }
    ASSERT_EQ(system->getSelectedIndex(), -1);
    system->selectPrev(10);
    EXPECT_EQ(system->getSelectedName(), "B");
    system->select(-1, 0, -1); // out of range: body 0
    EXPECT_EQ(system->getSelectedName(), "A");
}

TEST_F(SsystemRoot, ASimModeChangeSelectsTheFirstBodyAndResetsTheCamera) {
    system.select(Earth, 0, -1);
    system.simModeName("Planets");
    EXPECT_EQ(system.getSimModeIndex(), 1);
    EXPECT_EQ(system.getSelectedIndex(), Sun);
    EXPECT_EQ(view.modeCalls.back(), (std::array<int, 4>{0, 0, -1, 0}));
    system.select(Earth, 0, -1);
    system.simMode(7);
    EXPECT_EQ(system.getSimModeIndex(), 0);
    EXPECT_EQ(system.getSelectedIndex(), Sun);
    EXPECT_TRUE(system.getAllBodies()[Sun]->isSelected());
    EXPECT_FALSE(system.getAllBodies()[Earth]->isSelected());
}

TEST_F(SsystemRoot, CameraCallsHoldTheRecordingOffAndRestoreIt) {
    root.setRecording(1);
    run("Ssystem.SelectTo 2 45");
    run("Ssystem.SimMode 1");
    run("Ssystem.PlaceNext");
    run("Ssystem.ScaleTo Real 10");
    ASSERT_EQ(view.recordingSeen.size(), 5u);
    for (int seen : view.recordingSeen)
        EXPECT_EQ(seen, 0);
    EXPECT_EQ(root.isRecording(), 1);
    EXPECT_EQ(view.animLength, 45);
    // The user's commands are in the log, whatever the camera did.
    EXPECT_NE(root.getLog().find("Ssystem.SelectTo 2 45"), std::string::npos);
}

TEST_F(SsystemRoot, AstrNameToTheCameraFollowsButKeepsItsAnimationLength) {
    run("Ssystem.AstrNameTo Moon 20");
    EXPECT_EQ(system.getSelectedName(), "Moon");
    EXPECT_EQ(view.modeCalls.back(), (std::array<int, 4>{0, 1, 20, 0}));
    EXPECT_EQ(view.animLength, 0);
    run("Ssystem.AstrName Earth");
    EXPECT_EQ(view.modeCalls.size(), 1u); // AstrName alone does not move it
}

TEST_F(SsystemRoot, AngularAndShadowSwitchesMarkTheirBodies) {
    const DsAstrBody& moon = *system.getAllBodies()[Moon];
    const DsAstrBody& earth = *system.getAllBodies()[Earth];
    system.showAngulars("All");
    EXPECT_EQ(system.getAngular(), 1);
    system.hideAngulars("All");
    EXPECT_EQ(moon.getAngular(), 0);
    EXPECT_EQ(system.getAngular(), 1); // hiding marks leaves the switch
    system.angularOff();
    system.showAngulars("Nobody");
    EXPECT_EQ(system.getAngular(), 0); // nothing marked

    system.fullShadowOn();
    EXPECT_EQ(moon.getFullShadow(), 1);
    EXPECT_EQ(earth.getFullShadow(), 0); // only moons take the shadow
    system.showFullShadows("Earth");
    system.fullShadowOff();
    EXPECT_EQ(earth.getFullShadow(), 0);
    system.halfShadowTog();
    EXPECT_EQ(moon.getHalfShadow(), 1);
    system.halfShadowTog();
    EXPECT_EQ(moon.getHalfShadow(), 0);
}

TEST(SsystemActions, ShadowsWithoutMoonsStayOff) {
    orvextest::TempDir dir;
    auto system = systemWithModes(dir, 1);
    system->fullShadowOn();
    system->halfShadowOn();
    EXPECT_EQ(system->getFullShadow(), 0);
    EXPECT_EQ(system->getHalfShadow(), 0);
    // Marks on an empty system mark nothing.
    system->showAngulars("All");
    EXPECT_EQ(system->getAngular(), 0);
}

TEST_F(SsystemRoot, NamesTextsOfAnyLengthAreRead) {
    // Far beyond a line's usual length: every name is still found.
    std::string names(5000, ' ');
    for (int i = 0; i < 300; ++i)
        names += "Nobody ";
    names += "Moon";
    run("Ssystem.ShowAngulars " + names);
    EXPECT_EQ(query("ShowAngulars"), "Moon ");
    system.hideAngulars(names + " Earth");
    EXPECT_EQ(query("ShowAngulars"), "");
    // "All" among names reaches every body.
    system.showHalfShadows("All");
    system.hideHalfShadows("Moon All Sun");
    EXPECT_EQ(query("ShowHalfShadows"), "");
}

TEST_F(SsystemRoot, LatitudeAndLongitudeMoveTheHomePlace) {
    system.select(Earth, 0, -1);
    system.selectPlace("Tokyo");
    EXPECT_EQ(system.getPlaceWeather(), "Rain");
    system.placeLat(120.0);
    // Tokyo keeps its coordinates; the observer stands on the home place.
    EXPECT_EQ(system.getPlaceName(), "Greenwich");
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 90.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLon(), 139.7414);
    EXPECT_EQ(system.getPlaceWeather(), "None");
    EXPECT_DOUBLE_EQ(system.getSelectedBody()->getPlace(0)->getLatitude(), 35.6581);

    system.placeLon(-400.0); // no clamp on longitudes
    EXPECT_DOUBLE_EQ(system.getPlaceLon(), -400.0);
    system.placeLat(-95.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), -90.0);
    system.placeLat(std::nan(""));
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), -90.0);
    // The same coordinates again change nothing, the weather included.
    system.selectPlace("Tokyo");
    system.placeLat(35.6581);
    system.placeLon(139.7414);
    EXPECT_EQ(system.getPlaceName(), "Tokyo");
    EXPECT_EQ(system.getPlaceWeather(), "Rain");
}

TEST_F(SsystemRoot, AnimatedPlaceChangesStartWhereTheObserverStands) {
    system.select(Earth, 0, -1);
    system.selectPlace("Tokyo");
    system.placeLatTo(45.6581, 10);
    EXPECT_EQ(system.getPlaceName(), "Greenwich");
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 35.6581); // the animation starts at Tokyo
    EXPECT_DOUBLE_EQ(system.getPlaceLon(), 139.7414);
    Transition::tickAll(5.0);
    EXPECT_NEAR(system.getPlaceLat(), 40.6581, 1e-9);
    Transition::tickAll(5.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 45.6581);

    system.placeLat(85.0);
    system.refPlaceLatTo(10.0, 4); // clamped to the pole
    Transition::tickAll(2.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 87.5);
    Transition::tickAll(2.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLat(), 90.0);

    system.refPlaceLonTo(-20.0, 0); // 0 frames run over one
    system.placeLonTo(0.0, 10);     // replaces the running change, from where it is
    EXPECT_DOUBLE_EQ(system.getPlaceLon(), 139.7414);
    Transition::tickAll(10.0);
    EXPECT_DOUBLE_EQ(system.getPlaceLon(), 0.0);
}

TEST(SsystemActions, PlaceActionsWithoutABodyOnlyTellTheCamera) {
    orvextest::TestRoot root;
    FakeModelServices view;
    Ssystem system(&root, &view);
    orvextest::TempDir dir;
    system.readData(writeFile(dir, "empty.def", "DefineSimMode: M 1 1 1 1\n"));
    ASSERT_EQ(system.getSelectedBody(), nullptr);
    auto run = [&](const std::string& line) { return root.interp.executeLine(line); };
    auto query = [&](const std::string& word) { return root.getCommandValue("Ssystem." + word); };
    LogCapture log;
    for (const char* line :
         {"Ssystem.Place 1", "Ssystem.PlaceName Tokyo", "Ssystem.PlacePrev", "Ssystem.PlaceNext",
          "Ssystem.PlaceLat 10", "Ssystem.PlaceLon 10", "Ssystem.PlaceLatTo 10 5",
          "Ssystem.PlaceLonTo 10 5", "Ssystem.RefPlaceLatTo 10 5", "Ssystem.RefPlaceLonTo 10 5"})
        EXPECT_EQ(run(line), 1) << line;
    EXPECT_EQ(view.weatherLoads, 10);
    EXPECT_TRUE(log.contains("selectPlace() to NULL astrBody."));
    EXPECT_EQ(query("PlaceName"), "None");
    EXPECT_EQ(query("PlaceLat"), "0.0");
    EXPECT_EQ(query("PlaceLon"), "0.0");
    EXPECT_EQ(query("PlaceNames"), "");
    EXPECT_EQ(query("Place"), " -1");
    EXPECT_EQ(query("AstrName"), "");
    EXPECT_EQ(query("AstrTexture"), "");
    EXPECT_EQ(query("PlacePanorama"), "");
}

TEST_F(SsystemRoot, ScaleSwitchesAtOnceOrAnimates) {
    system.scaleOn();
    EXPECT_EQ(system.getScale(), 1);
    EXPECT_DOUBLE_EQ(system.getScaleTransitionValue(), 0.0);
    system.scaleTog();
    EXPECT_DOUBLE_EQ(system.getScaleTransitionValue(), 1.0);

    // The Earth is 1000 times larger at the model scale: the camera's
    // distance in Earth radii grows by as much when it turns real.
    system.select(Earth, 0, -1);
    view.dist = 3.0;
    run("Ssystem.ScaleTo Real 10");
    EXPECT_NEAR(view.dist, 3000.0, 1e-9);
    Transition::tickAll(5.0);
    EXPECT_DOUBLE_EQ(system.getScaleTransitionValue(), 0.5);
    Transition::tickAll(5.0);
    EXPECT_DOUBLE_EQ(system.getScaleTransitionValue(), 0.0);
    run("Ssystem.ScaleTogTo 0");
    EXPECT_EQ(query("Scale"), "Model");
    EXPECT_NEAR(view.dist, 3.0, 1e-12);
    Transition::tickAll(1.0);
    EXPECT_DOUBLE_EQ(system.getScaleTransitionValue(), 1.0);
}

TEST_F(SsystemRoot, ScaleToWithoutABodyOrWithARadiusOfNothingKeepsTheDistance) {
    system.select(Dot, 0, -1); // radius rate 0 at the model scale
    view.dist = 4.0;
    run("Ssystem.ScaleTo Real 10");
    EXPECT_EQ(query("Scale"), "Real");
    EXPECT_TRUE(system.isScaleTransitionRunning());
    Transition::tickAll(10.0);
    run("Ssystem.ScaleTo Model 10");
    EXPECT_EQ(query("Scale"), "Model");
    EXPECT_TRUE(system.isScaleTransitionRunning());
    EXPECT_DOUBLE_EQ(view.dist, 4.0);

    orvextest::TempDir dir;
    auto empty = systemWithModes(dir, 1);
    empty->setServices(&view);
    empty->scaleTo(1, 10);
    EXPECT_EQ(empty->getScale(), 1);
    EXPECT_TRUE(empty->isScaleTransitionRunning());
    EXPECT_DOUBLE_EQ(view.dist, 4.0);
}

TEST_F(SsystemRoot, CloudsOpacityAnimatesOverAtLeastOneFrame) {
    system.setCloudsOpacityTo(0.0, 0);
    EXPECT_DOUBLE_EQ(system.getCloudsOpacity(), 1.0);
    Transition::tickAll(1.0);
    EXPECT_DOUBLE_EQ(system.getCloudsOpacity(), 0.0);
    run("Ssystem.CloudsOpacityTo 1 4");
    Transition::tickAll(1.0);
    run("Ssystem.CloudsOpacity 0.5"); // at once, ending the change
    Transition::tickAll(3.0);
    EXPECT_EQ(query("CloudsOpacity"), " 0.5");
}
