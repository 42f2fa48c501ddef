// The Ssystem state and option lines: their text, and a round trip into a
// fresh engine that reads them back as command lines.
#include <sstream>

#include <gtest/gtest.h>

#include "SsystemRoot.h"
#include "engine/Transition.h"
#include "model/DsAstrBody.h"

namespace {

// Runs every line of a saved text; false at the first line that fails.
bool runLines(Interpreter& interp, const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!interp.executeLine(line))
            return false;
    }
    return true;
}

// The one-line forms of a body's places.
std::string placesOf(const Ssystem& system, const std::string& name) {
    const DsAstrBody* body = system.findBody(name);
    std::string out;
    for (int i = 0; body && i < body->getPlaceCount(); ++i)
        out += body->formatPlace(i) + "|";
    return out;
}

} // namespace

TEST_F(SsystemRoot, SavesTheFreshStateAndOptions) {
    EXPECT_EQ(system.saveStates(), "Ssystem.SimModeName Solar\n"
                                   "Ssystem.ShowAstrBodies All\n"
                                   "Ssystem.AstrName Sun\n"
                                   "Ssystem.PlaceName None\n"
                                   "Ssystem.PlaceLat 0\n"
                                   "Ssystem.PlaceLon 0\n"
                                   "Ssystem.Name 1\n"
                                   "Ssystem.Axis 0\n"
                                   "Ssystem.Orbit 1\n"
                                   "Ssystem.Angular 0\n"
                                   "Ssystem.Scale Model\n"
                                   "Ssystem.FullShadow 0\n"
                                   "Ssystem.HalfShadow 0\n"
                                   "Ssystem.Dust 0\n"
                                   "Ssystem.AstrBelt 0\n"
                                   "Ssystem.Clouds 0\n"
                                   "Ssystem.CloudsOpacity 1");
    EXPECT_EQ(system.saveOptions(), "Ssystem.OrbitDisp 1 0 0.75 0\n"
                                    "Ssystem.OrbithDisp 1 0.75 0.75 0\n"
                                    "Ssystem.CometOrbitDisp 1 0.75 0.75 0\n"
                                    "Ssystem.AsteroidOrbitDisp 1 0.75 0.5 0\n"
                                    "Ssystem.SpacecraftOrbitDisp 1 0 0.5 0.75\n"
                                    "Ssystem.AxisDisp 2 0.75 0.75 0.75\n"
                                    "Ssystem.AngularDisp 1 0 0 1\n"
                                    "Ssystem.NameColor 1 1 1 1\n"
                                    "Ssystem.NameFont Arial 12 0\n"
                                    "Ssystem.SunColor 1 1 1\n"
                                    "Ssystem.AmbientColor 0 0 0");
    // The root gathers them with the other classes' lines.
    root.configure();
    EXPECT_NE(root.getOptionsText().find("Ssystem.AmbientColor 0 0 0\n"), std::string::npos);
}

TEST(SsystemSaved, WithoutABodyThePlaceIsNoneAndHasNoCoordinates) {
    orvextest::TestRoot root;
    Ssystem system(&root);
    const std::string states = system.saveStates();
    EXPECT_EQ(states.rfind("Ssystem.SimModeName \n"
                           "Ssystem.ShowAstrBodies All\n"
                           "Ssystem.AstrName \n"
                           "Ssystem.PlaceName None\n"
                           "Ssystem.Name 1\n",
                           0),
              0u)
        << states;
}

TEST_F(SsystemRoot, AFreshEngineReadsTheSavedLinesBackToTheSameValues) {
    for (const char* line : {"Ssystem.SimModeName Planets",
                             "Ssystem.AstrName Earth",
                             "Ssystem.PlaceName Tokyo",
                             "Ssystem.PlaceLat 12.3456789",
                             "Ssystem.PlaceLon 100",
                             "Ssystem.Name 0",
                             "Ssystem.Axis 1",
                             "Ssystem.Orbit 0",
                             "Ssystem.Angular 1",
                             "Ssystem.ScaleTo Real 30", // still running when saved
                             "Ssystem.FullShadow 1",
                             "Ssystem.HalfShadow 1",
                             "Ssystem.Dust 1",
                             "Ssystem.AstrBelt 1",
                             "Ssystem.Clouds 4",
                             "Ssystem.CloudsOpacityTo 0 10",
                             "Ssystem.OrbitDisp 2 0.1 0.2 0.3",
                             "Ssystem.OrbithDisp 3 0.3 0.2 0.1",
                             "Ssystem.CometOrbitDisp 1.5 1 0 0",
                             "Ssystem.AsteroidOrbitDisp 2.5 0 1 0",
                             "Ssystem.SpacecraftOrbitDisp 0.5 0 0 1",
                             "Ssystem.AxisDisp 4 0.5 0.5 0.5",
                             "Ssystem.AngularDisp 3 0.25 0.5 0.75",
                             "Ssystem.NameColorTo 0 0 0 0 10",
                             "Ssystem.NameFont Courier_New 14 1",
                             "Ssystem.SunColor 1 0.9 0.8",
                             "Ssystem.AmbientColor 0.1 0.1 0.1",
                             "Ssystem.HideIfLanding 0",
                             "Ssystem.HideAstrBodies Moon",
                             "Ssystem.HlightAstrBodies Sun"})
        ASSERT_EQ(run(line), 1) << line;
    Transition::tickAll(5.0); // the opacity and the name colour half-way
    const std::string states = system.saveStates();
    const std::string options = system.saveOptions();
    EXPECT_NE(states.find("Ssystem.PlaceLat 12.3456789\n"), std::string::npos) << states;
    EXPECT_NE(states.find("Ssystem.CloudsOpacity 0.5"), std::string::npos) << states;

    orvextest::TestRoot freshRoot;
    FakeModelServices freshView;
    Ssystem fresh(&freshRoot, &freshView);
    ASSERT_EQ(fresh.readData(orvextest::dataPath("model/commands.def")), 1);
    ASSERT_TRUE(runLines(freshRoot.interp, options));
    ASSERT_TRUE(runLines(freshRoot.interp, states));

    for (const char* word : {"SimMode",
                             "SimModeName",
                             "Select",
                             "AstrName",
                             "Place",
                             "PlaceName",
                             "PlaceLat",
                             "PlaceLon",
                             "Name",
                             "Axis",
                             "Orbit",
                             "Angular",
                             "Scale",
                             "FullShadow",
                             "HalfShadow",
                             "Dust",
                             "AstrBelt",
                             "Clouds",
                             "OrbitDisp",
                             "OrbithDisp",
                             "CometOrbitDisp",
                             "AsteroidOrbitDisp",
                             "SpacecraftOrbitDisp",
                             "AxisDisp",
                             "AngularDisp",
                             "NameFont",
                             "SunColor",
                             "AmbientColor",
                             "ShowAngulars",
                             "ShowFullShadows",
                             "ShowHalfShadows",
                             "NameColor",
                             "CloudsOpacity"})
        EXPECT_EQ(freshRoot.getCommandValue(std::string("Ssystem.") + word), query(word)) << word;
    EXPECT_EQ(fresh.saveStates(), states);
    EXPECT_EQ(fresh.saveOptions(), options);
    // The scale came back at once, without its animation.
    EXPECT_FALSE(fresh.isScaleTransitionRunning());
    EXPECT_DOUBLE_EQ(fresh.getScaleTransitionValue(), 0.0);
    // Display states come back as the data gives them; HideIfLanding is not
    // part of the lines.
    EXPECT_EQ(query("AstrNames"), "Sun Earth ");
    EXPECT_EQ(freshRoot.getCommandValue("Ssystem.AstrNames"), "Sun Earth Moon ");
    EXPECT_EQ(freshRoot.getCommandValue("Ssystem.HlightAstrBodies"), "");
    EXPECT_EQ(fresh.getHideIfLanding(), 1);
}

TEST_F(SsystemRoot, ASelectedBodyWithoutAPlaceSavesNoneAndZeros) {
    run("Ssystem.AstrName Moon");
    const std::string states = system.saveStates();
    EXPECT_NE(states.find("Ssystem.AstrName Moon\nSsystem.PlaceName None\nSsystem.PlaceLat 0\n"
                          "Ssystem.PlaceLon 0\n"),
              std::string::npos);
    EXPECT_TRUE(runLines(root.interp, states));
    EXPECT_EQ(query("PlaceName"), "None");
    EXPECT_EQ(query("PlaceLat"), " 0");
}

// A state saved at a place whose coordinates take more than six digits
// selects that place again, read back here or in a fresh engine: the home
// place does not move and the place keeps its weather.
TEST_F(SsystemRoot, AStateReadBackRestoresItsPlaceAndMovesNoOther) {
    run("Ssystem.AstrName Earth");
    run("Ssystem.PlaceName Tokyo");
    const std::string places = placesOf(system, "Earth");
    ASSERT_NE(places.find("Tokyo 35.6581 139.7414 -panorama tokyo.png -weather Rain|"),
              std::string::npos)
        << places;
    const std::string states = system.saveStates();
    EXPECT_NE(states.find("Ssystem.PlaceLat 35.6581\nSsystem.PlaceLon 139.7414\n"),
              std::string::npos)
        << states;

    run("Ssystem.PlaceName Greenwich");
    ASSERT_TRUE(runLines(root.interp, states));
    EXPECT_EQ(query("PlaceName"), "Tokyo");
    EXPECT_EQ(placesOf(system, "Earth"), places);
    // Read back once more: nothing changes.
    ASSERT_TRUE(runLines(root.interp, states));
    EXPECT_EQ(placesOf(system, "Earth"), places);

    orvextest::TestRoot freshRoot;
    FakeModelServices freshView;
    Ssystem fresh(&freshRoot, &freshView);
    ASSERT_EQ(fresh.readData(orvextest::dataPath("model/commands.def")), 1);
    ASSERT_TRUE(runLines(freshRoot.interp, states));
    EXPECT_EQ(freshRoot.getCommandValue("Ssystem.PlaceName"), "Tokyo");
    EXPECT_EQ(placesOf(fresh, "Earth"), places);
    EXPECT_EQ(fresh.saveStates(), states);
}
