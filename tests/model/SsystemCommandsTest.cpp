// The Ssystem command words through the interpreter: registration, every
// word executed and queried, and the argument forms of the switches.
#include <set>

#include <gtest/gtest.h>

#include "SsystemRoot.h"
#include "engine/LogMessage.h"
#include "engine/Transition.h"
#include "graphics/LabelFont.h"
#include "model/SsystemWords.h"

namespace {

int ssystemClass(const Interpreter& interp) {
    for (int i = 0; i < interp.getClassCount(); ++i) {
        if (interp.getClassName(i) == "Ssystem")
            return i;
    }
    return -1;
}

// One command line (a bare word and its arguments are sent as
// "Ssystem.<line>"), the interpreter's result, and a query with the value it
// gives afterwards ("" for none).
struct Row {
    const char* line;
    int result;
    const char* query;
    const char* value;
};

// Fresh state: sim mode 0 (Solar), the Sun selected, no place selected.
const Row rows[] = {
    {"SimMode 1", 1, "SimModeName", "Planets"},
    {"SimMode 5", 1, "SimMode", " 0"},
    {"SimModeName Planets", 1, "SimMode", " 1"},
    {"SimModeName Nowhere", 1, "SimMode", " 0"},
    {"Select 2", 1, "AstrName", "Earth"},
    {"Select 99", 1, "Select", " 0"},
    {"AstrName Moon", 1, "Select", " 3"},
    {"AstrName Vulcan", 1, "AstrName", "Sun"},
    {"Ssystem.Select 2; Ssystem.Place 1", 1, "PlaceName", "Greenwich"},
    {"Ssystem.Select 2; Ssystem.PlaceName Tokyo", 1, "PlaceLat", " 35.6581"},
    {"Name 0", 1, "Name", " 0"},
    {"Axis 1", 1, "Axis", " 1"},
    {"Orbit 0", 1, "Orbit", " 0"},
    {"Angular 1", 1, "HideAngulars", ""},
    {"ShowAngulars Earth  Moon", 1, "ShowAngulars", "Earth Moon "},
    {"Ssystem.Angular 1; Ssystem.HideAngulars Moon Sun", 1, "HideAngulars", "Sun Moon "},
    {"Scale Real", 1, "Scale", "Real"},
    {"FullShadow 1", 1, "ShowFullShadows", "Moon "},
    {"ShowFullShadows Earth", 1, "FullShadow", " 1"},
    {"Ssystem.FullShadow 1; Ssystem.HideFullShadows All", 1, "ShowFullShadows", ""},
    {"HalfShadow 1", 1, "ShowHalfShadows", "Moon "},
    {"ShowHalfShadows Sun Nobody Earth", 1, "ShowHalfShadows", "Sun Earth "},
    {"Ssystem.HalfShadow 1; Ssystem.HideHalfShadows Moon", 1, "HalfShadow", " 1"},
    {"Dust 1", 1, "Dust", " 1"},
    {"AstrBelt 1", 1, "AstrBelt", " 1"},
    {"Ssystem.Select 2; Ssystem.PlaceLat 10", 1, "PlaceLat", " 10"},
    {"Ssystem.Select 2; Ssystem.PlaceLon -20.5", 1, "PlaceLon", " -20.5"},
    {"OrbitDisp 2 0.1 0.2 0.3", 1, "OrbitDisp", " 2 0.1 0.2 0.3"},
    {"OrbithDisp 3 1 0 0", 1, "OrbithDisp", " 3 1 0 0"},
    {"CometOrbitDisp 1.5 0 1 0", 1, "CometOrbitDisp", " 1.5 0 1 0"},
    {"AsteroidOrbitDisp 4", 1, "AsteroidOrbitDisp", " 4 0 0 0"},
    {"SpacecraftOrbitDisp 1 0.5 0.5 0.5", 1, "SpacecraftOrbitDisp", " 1 0.5 0.5 0.5"},
    {"AxisDisp 1 1 1 1", 1, "AxisDisp", " 1 1 1 1"},
    {"AngularDisp 0.5 0 0 0.5", 1, "AngularDisp", " 0.5 0 0 0.5"},
    {"NameColor 0.5 0.25 1 0.75", 1, "NameColor", " 0.5 0.25 1 0.75"},
    {"NameFont Courier_New 14 1", 1, "NameFont", "Courier_New 14 1"},
    {"Clouds 5", 1, "Clouds", " 5"},
    {"CloudsOpacity 0.25", 1, "CloudsOpacity", " 0.25"},
    {"SunColor 0.5 0.5 0.25", 1, "SunColor", " 0.5 0.5 0.25"},
    {"AmbientColor 0.1 0.2 0.3", 1, "AmbientColor", " 0.1 0.2 0.3"},
    {"HideIfLanding 0", 1, "HideIfLanding", ""},
    {"SimModePrev", 1, "SimMode", " 1"},
    {"SimModeNext", 1, "SimMode", " 1"},
    {"SelectPrev 30", 1, "AstrName", "Ceres"},
    {"SelectNext 30", 1, "AstrName", "Mercury"},
    {"SelectTo 2 45", 1, "AstrName", "Earth"},
    {"AstrNamePrev 10", 1, "AstrName", "Ceres"},
    {"AstrNameNext 10", 1, "AstrName", "Mercury"},
    {"AstrNameTo Earth 20", 1, "AstrName", "Earth"},
    {"Ssystem.Select 2; Ssystem.PlacePrev", 1, "PlaceName", "Greenwich"},
    {"Ssystem.Select 2; Ssystem.PlaceNext", 1, "PlaceName", "Tokyo"},
    {"Ssystem.Select 2; Ssystem.PlaceLatTo 10 30", 1, "PlaceName", "Greenwich"},
    {"Ssystem.Select 2; Ssystem.PlaceLonTo 10 30", 1, "PlaceName", "Greenwich"},
    {"Ssystem.Select 2; Ssystem.RefPlaceLatTo 10 30", 1, "PlaceName", "Greenwich"},
    {"Ssystem.Select 2; Ssystem.RefPlaceLonTo 10 30", 1, "PlaceName", "Greenwich"},
    {"NameTog", 1, "Name", " 0"},
    {"AxisTog", 1, "Axis", " 1"},
    {"OrbitTog", 1, "Orbit", " 0"},
    {"AngularTog", 1, "ShowAngulars", "Sun Mercury Earth Moon Vulcan Dot Halley Ceres "},
    {"ScaleTog", 1, "Scale", "Real"},
    {"ScaleTo Real 30", 1, "Scale", "Real"},
    {"ScaleTogTo 30", 1, "Scale", "Real"},
    {"FullShadowTog", 1, "FullShadow", " 1"},
    {"HalfShadowTog", 1, "HalfShadow", " 1"},
    {"DustTog", 1, "Dust", " 1"},
    {"AstrBeltTog", 1, "AstrBelt", " 1"},
    {"NameColorTo 0 0 0 1 30", 1, "NameColor", " 1 1 1 1"},
    {"CloudsTo 0 30", 1, "CloudsOpacity", " 1"},
    {"CloudsTogTo 30", 1, "CloudsOpacity", " 1"},
    {"CloudsTog", 1, "Clouds", " 1"},
    {"CloudsOpacityTo 0.5 30", 1, "CloudsOpacity", " 1"},
    // Places of the selected body, the object lists and display states.
    {"Ssystem.Select 2; Ssystem.AddPlace", 1, "PlaceName", "New"},
    {"Ssystem.Select 2; Ssystem.PlaceName Tokyo; Ssystem.SetPlaceName Edo", 1, "PlaceNames",
     "Edo Greenwich Surface "},
    {"Ssystem.Select 2; Ssystem.PlaceName Tokyo; Ssystem.RemovePlace", 1, "PlaceNames",
     "Greenwich Surface "},
    {"Ssystem.Select 2; Ssystem.PlaceName Tokyo; Ssystem.PlacePanorama city.png", 1,
     "PlacePanorama", "city.png"},
    {"Ssystem.Select 2; Ssystem.LoadPlaceList", 1, "PlaceNames", "Tokyo Greenwich Osaka Surface "},
    // A list is saved once loaded, never over a file it did not read.
    {"SavePlaceList Default", 0, "", ""},
    {"Ssystem.LoadPlaceList Default; Ssystem.SavePlaceList Default", 1, "", ""},
    {"SavePlaceList", 0, "", ""},
    // A body is added from the records the last load of its list found.
    {"Ssystem.LoadCometList Default; Ssystem.AddComet 2P/Encke", 1, "CometNames",
     "1P/Halley 2P/Encke "},
    {"RemoveComet Halley", 1, "CometNames", ""},
    {"LoadCometList Default", 1, "CometNames", "1P/Halley "},
    {"LoadCometList", 0, "", ""},
    {"SaveCometList Default", 0, "", ""},
    {"Ssystem.LoadCometList Default; Ssystem.SaveCometList Default", 1, "", ""},
    {"Ssystem.LoadAsteroidList Default; Ssystem.AddAsteroid Ceres", 1, "AsteroidNames",
     "Pallas Ceres "},
    {"RemoveAsteroid All", 1, "AsteroidNames", ""},
    {"LoadAsteroidList", 1, "AsteroidNames", "Pallas "},
    {"Ssystem.LoadAsteroidList Default; Ssystem.SaveAsteroidList", 1, "", ""},
    {"Ssystem.LoadSpacecraftList Default; Ssystem.RemoveSpacecraft All; Ssystem.AddSpacecraft "
     "Probe",
     1, "SpacecraftNames", "Probe "},
    {"Ssystem.LoadSpacecraftList Default; Ssystem.RemoveSpacecraft Probe", 1, "SpacecraftNames",
     ""},
    {"LoadSpacecraftList Default", 1, "AllSpacecraftNames", "Probe "},
    {"Ssystem.LoadSpacecraftList Default; Ssystem.SaveSpacecraftList Default", 1, "", ""},
    {"Ssystem.LoadASatelliteList Default; Ssystem.RemoveASatellite HST; Ssystem.AddASatellite HST",
     1, "ASatelliteNames", "HST "},
    {"Ssystem.LoadASatelliteList Default; Ssystem.RemoveASatellite All", 1, "ASatelliteNames", ""},
    {"LoadASatelliteList Default", 1, "ASatelliteNames", "HST "},
    {"Ssystem.LoadASatelliteList Default; Ssystem.SaveASatelliteList Default", 1, "", ""},
    {"HideAstrBodies Earth Moon", 1, "HideAstrBodies", "Earth Moon "},
    {"Ssystem.HideAstrBodies All; Ssystem.ShowAstrBodies Earth", 1, "AstrNames", "Earth "},
    {"HlightAstrBodies Earth Vulcan", 1, "HlightAstrBodies", "Earth "},
    // Query words only: executed, they fail.
    {"SimModeNames", 0, "", ""},
    {"AstrNames", 0, "", ""},
    {"PlanetNames", 0, "", ""},
    {"AstrTexture", 0, "", ""},
    {"PlaceNames", 0, "", ""},
    {"AstrBodies", 0, "", ""},
    {"CometNames", 0, "", ""},
    {"AllCometNames", 0, "", ""},
    {"AsteroidNames", 0, "", ""},
    {"AllAsteroidNames", 0, "", ""},
    {"SpacecraftNames", 0, "", ""},
    {"AllSpacecraftNames", 0, "", ""},
    {"ASatelliteNames", 0, "", ""},
    {"AllASatelliteNames", 0, "", ""},
};

std::string lineOf(const Row& row) {
    const std::string line = row.line;
    return line.rfind("Ssystem.", 0) == 0 ? line : "Ssystem." + line;
}

class SsystemWordRow : public SsystemRoot, public ::testing::WithParamInterface<Row> {};

// The words each row's line runs.
std::set<std::string> wordsOfRows() {
    std::set<std::string> words;
    for (const Row& row : rows) {
        const std::string line = lineOf(row);
        for (size_t at = line.find("Ssystem."); at != std::string::npos;
             at = line.find("Ssystem.", at + 1)) {
            const size_t begin = at + 8;
            words.insert(line.substr(begin, line.find_first_of(" ;", begin) - begin));
        }
    }
    return words;
}

} // namespace

TEST_P(SsystemWordRow, RunsAndAnswers) {
    const Row& row = GetParam();
    LogCapture log;
    EXPECT_EQ(run(lineOf(row)), row.result) << row.line;
    if (row.result == 0) {
        EXPECT_TRUE(log.contains("Command Error : Ssystem.")) << row.line;
    }
    if (*row.query) {
        EXPECT_EQ(query(row.query), row.value) << row.line;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWord, SsystemWordRow, ::testing::ValuesIn(rows));

TEST(SsystemWords, TheRowsRunEveryWordOfTheTable) {
    const std::set<std::string> covered = wordsOfRows();
    for (int i = 0; i < int(SsystemWord::Count); ++i)
        EXPECT_TRUE(covered.count(ssystemCommands()[i].word)) << ssystemCommands()[i].word;
}

TEST_F(SsystemRoot, RegistersItsWordsInListingOrder) {
    const char* const expected[] = {"SimMode",
                                    "SimModeName",
                                    "SimModeNames",
                                    "Select",
                                    "AstrName",
                                    "AstrNames",
                                    "PlanetNames",
                                    "AstrTexture",
                                    "Place",
                                    "PlaceNames",
                                    "Name",
                                    "Axis",
                                    "Orbit",
                                    "Angular",
                                    "ShowAngulars",
                                    "HideAngulars",
                                    "Scale",
                                    "FullShadow",
                                    "ShowFullShadows",
                                    "HideFullShadows",
                                    "HalfShadow",
                                    "ShowHalfShadows",
                                    "HideHalfShadows",
                                    "Dust",
                                    "AstrBelt",
                                    "CometNames",
                                    "AllCometNames",
                                    "AsteroidNames",
                                    "AllAsteroidNames",
                                    "SpacecraftNames",
                                    "AllSpacecraftNames",
                                    "ASatelliteNames",
                                    "AllASatelliteNames",
                                    "PlaceName",
                                    "PlacePanorama",
                                    "PlaceLat",
                                    "PlaceLon",
                                    "OrbitDisp",
                                    "OrbithDisp",
                                    "CometOrbitDisp",
                                    "AsteroidOrbitDisp",
                                    "AxisDisp",
                                    "AngularDisp",
                                    "NameFont",
                                    "NameColor",
                                    "SunColor",
                                    "AmbientColor",
                                    "Clouds",
                                    "CloudsOpacity",
                                    "HideIfLanding",
                                    "AstrBodies",
                                    "ShowAstrBodies",
                                    "HideAstrBodies",
                                    "HlightAstrBodies",
                                    "SimModePrev",
                                    "SimModeNext",
                                    "SelectPrev",
                                    "SelectNext",
                                    "SelectTo",
                                    "AstrNamePrev",
                                    "AstrNameNext",
                                    "AstrNameTo",
                                    "PlacePrev",
                                    "PlaceNext",
                                    "PlaceLatTo",
                                    "PlaceLonTo",
                                    "NameTog",
                                    "AxisTog",
                                    "OrbitTog",
                                    "AngularTog",
                                    "ScaleTog",
                                    "ScaleTo",
                                    "ScaleTogTo",
                                    "FullShadowTog",
                                    "HalfShadowTog",
                                    "DustTog",
                                    "AstrBeltTog",
                                    "AddComet",
                                    "RemoveComet",
                                    "LoadCometList",
                                    "SaveCometList",
                                    "AddAsteroid",
                                    "RemoveAsteroid",
                                    "LoadAsteroidList",
                                    "SaveAsteroidList",
                                    "AddSpacecraft",
                                    "RemoveSpacecraft",
                                    "LoadSpacecraftList",
                                    "SaveSpacecraftList",
                                    "AddASatellite",
                                    "RemoveASatellite",
                                    "LoadASatelliteList",
                                    "SaveASatelliteList",
                                    "AddPlace",
                                    "RemovePlace",
                                    "LoadPlaceList",
                                    "SavePlaceList",
                                    "SetPlaceName",
                                    "RefPlaceLatTo",
                                    "RefPlaceLonTo",
                                    "NameColorTo",
                                    "CloudsTo",
                                    "CloudsTogTo",
                                    "CloudsTog",
                                    "CloudsOpacityTo"};
    const std::set<std::string> hidden = {"HideIfLanding", "CloudsTo", "CloudsTogTo"};
    const int c = ssystemClass(root.interp);
    ASSERT_GE(c, 0);
    ASSERT_EQ(root.interp.getCommandCount(c), 105);
    for (int i = 0; i < 105; ++i) {
        EXPECT_EQ(root.interp.getCommandName(c, i), expected[i]) << i;
        EXPECT_EQ(root.interp.isCommandListed(c, i), !hidden.count(expected[i])) << expected[i];
    }
    // Executed and saved all the same, though not listed.
    EXPECT_EQ(run("Ssystem.SpacecraftOrbitDisp 2 1 1 1"), 1);
}

TEST_F(SsystemRoot, AnswersEveryWordInTheFreshState) {
    const std::pair<const char*, const char*> values[] = {
        {"SimMode", " 0"},
        {"SimModeName", "Solar"},
        {"SimModeNames", "Solar Planets "},
        {"Select", " 0"},
        {"AstrName", "Sun"},
        {"AstrNames", "Sun Mercury Earth Moon Dot Halley Ceres "},
        {"PlanetNames", "Sun Mercury Earth Moon Dot "},
        {"AstrTexture", "sun.jpg"},
        {"Place", " -1"},
        {"PlaceName", "None"},
        {"PlaceNames", ""},
        {"PlacePanorama", "None"},
        {"PlaceLat", " 0"},
        {"PlaceLon", " 0"},
        {"Name", " 1"},
        {"Axis", " 0"},
        {"Orbit", " 1"},
        {"Angular", " 0"},
        {"Scale", "Model"},
        {"FullShadow", " 0"},
        {"HalfShadow", " 0"},
        {"Dust", " 0"},
        {"AstrBelt", " 0"},
        {"Clouds", " 0"},
        {"ShowAngulars", ""},
        {"HideAngulars", "Sun Mercury Earth Moon Vulcan Dot Halley Ceres "},
        {"ShowFullShadows", ""},
        {"HideFullShadows", "Sun Mercury Earth Moon Vulcan Dot Halley Ceres "},
        {"ShowHalfShadows", ""},
        {"HideHalfShadows", "Sun Mercury Earth Moon Vulcan Dot Halley Ceres "},
        {"CometNames", "Halley "},
        {"AsteroidNames", "Ceres "},
        {"SpacecraftNames", ""},
        {"ASatelliteNames", ""},
        {"OrbitDisp", " 1 0 0.75 0"},
        {"OrbithDisp", " 1 0.75 0.75 0"},
        {"CometOrbitDisp", " 1 0.75 0.75 0"},
        {"AsteroidOrbitDisp", " 1 0.75 0.5 0"},
        {"SpacecraftOrbitDisp", " 1 0 0.5 0.75"},
        {"AxisDisp", " 2 0.75 0.75 0.75"},
        {"AngularDisp", " 1 0 0 1"},
        {"NameColor", " 1 1 1 1"},
        {"NameFont", "Arial 12 0"},
        {"CloudsOpacity", " 1"},
        {"SunColor", " 1 1 1"},
        {"AmbientColor", " 0 0 0"},
        {"HideIfLanding", ""},
        {"AstrBodies", "Sun Mercury Earth Moon Dot Halley Ceres "},
        {"ShowAstrBodies", "Sun Mercury Earth Moon Dot Halley Ceres "},
        {"HideAstrBodies", ""},
        {"HlightAstrBodies", ""},
        // No orbit directory scanned before a list is loaded.
        {"AllCometNames", ""},
        {"AllAsteroidNames", ""},
        {"AllSpacecraftNames", ""},
        {"AllASatelliteNames", ""},
    };
    std::set<std::string> answered;
    for (const auto& [word, value] : values) {
        EXPECT_EQ(query(word), value) << word;
        answered.insert(word);
    }
    // Every other word of the table has no value.
    for (int i = 0; i < int(SsystemWord::Count); ++i) {
        const std::string word = ssystemCommands()[i].word;
        if (!answered.count(word)) {
            EXPECT_EQ(query(word), "Undefined") << word;
        }
    }
    EXPECT_EQ(query("Bogus"), "Undefined");
    EXPECT_EQ(query("simmode"), "Undefined");
}

TEST_F(SsystemRoot, EveryOnOffSwitchReadsItsArgumentTheSameWay) {
    for (const std::string word :
         {"Name", "Axis", "Orbit", "Angular", "FullShadow", "HalfShadow", "Dust", "AstrBelt"}) {
        const std::pair<const char*, const char*> forms[] = {
            {" 2", " 1"}, {" 0", " 0"}, {" -1", " 1"}, {"", " 0"}, {" 1", " 1"}, {" on", " 0"}};
        for (const auto& [argument, value] : forms) {
            EXPECT_EQ(run("Ssystem." + word + argument), 1);
            EXPECT_EQ(query(word), value) << word << argument;
        }
        EXPECT_EQ(run("Ssystem." + word + "Tog"), 1);
        EXPECT_EQ(query(word), " 1") << word;
        EXPECT_EQ(run("Ssystem." + word + "Tog"), 1);
        EXPECT_EQ(query(word), " 0") << word;
    }
}

TEST_F(SsystemRoot, CloudsKeepAnyNumberAndToggleToOneOrZero) {
    run("Ssystem.Clouds 3");
    EXPECT_EQ(query("Clouds"), " 3");
    run("Ssystem.CloudsTog");
    EXPECT_EQ(query("Clouds"), " 0");
    run("Ssystem.CloudsTog");
    EXPECT_EQ(query("Clouds"), " 1");
}

TEST_F(SsystemRoot, SimModesCycleAroundBothEnds) {
    run("Ssystem.SimModePrev");
    EXPECT_EQ(query("SimModeName"), "Planets");
    run("Ssystem.SimModeNext");
    EXPECT_EQ(query("SimModeName"), "Solar");
    run("Ssystem.SimModeNext");
    run("Ssystem.SimModeNext");
    EXPECT_EQ(query("SimModeName"), "Solar");
}

TEST_F(SsystemRoot, ObserverDoesNotCycleBodiesButTheCommandRuns) {
    view.mode = ModelServices::Observe;
    EXPECT_EQ(run("Ssystem.SelectNext 30"), 1);
    EXPECT_EQ(run("Ssystem.AstrNamePrev 30"), 1);
    EXPECT_EQ(query("AstrName"), "Sun");
    view.mode = ModelServices::Fly;
    EXPECT_EQ(run("Ssystem.SelectNext 30"), 1);
    EXPECT_EQ(query("AstrName"), "Mercury");
    EXPECT_TRUE(view.modeCalls.empty()); // a flying camera is not moved
}

TEST_F(SsystemRoot, OnlyTheExactWordRealSelectsTheRealScale) {
    run("Ssystem.Scale Real");
    run("Ssystem.Scale real");
    EXPECT_EQ(query("Scale"), "Model");
    run("Ssystem.Scale Real");
    run("Ssystem.Scale");
    EXPECT_EQ(query("Scale"), "Model");
    // ScaleTo leaves the scale alone for a word other than Real and Model.
    EXPECT_EQ(run("Ssystem.ScaleTo Huge 30"), 1);
    EXPECT_EQ(query("Scale"), "Model");
    run("Ssystem.ScaleTo Real 30");
    const double dist = view.dist;
    EXPECT_EQ(run("Ssystem.ScaleTo Real 30"), 1);
    EXPECT_EQ(view.dist, dist);
    EXPECT_TRUE(system.isScaleTransitionRunning());
}

TEST_F(SsystemRoot, CloudsTogToFadesOutFromHalfAndInFromBelow) {
    run("Ssystem.CloudsOpacity 0.5");
    run("Ssystem.CloudsTogTo 10");
    Transition::tickAll(5.0);
    EXPECT_EQ(query("CloudsOpacity"), " 0.25");
    Transition::tickAll(5.0);
    run("Ssystem.CloudsTogTo 4");
    Transition::tickAll(4.0);
    EXPECT_EQ(query("CloudsOpacity"), " 1");
}

TEST_F(SsystemRoot, NameFontChangesOnlyWhenItDiffers) {
    LabelFont& font = system.getNameFont();
    run("Ssystem.NameFont " + font.getFontSpec());
    EXPECT_EQ(font.getAlign(), 1); // the same font: nothing happens
    run("Ssystem.NameFont Times_New_Roman 10.5 2");
    EXPECT_EQ(font.getFamily(), "Times New Roman");
    EXPECT_EQ(font.getAlign(), 2);
    EXPECT_EQ(query("NameFont"), "Times_New_Roman 10.5 2");
    // A size that is not a number changes nothing.
    run("Ssystem.NameFont Arial nan 0");
    EXPECT_EQ(query("NameFont"), "Times_New_Roman 10.5 2");
}

TEST_F(SsystemRoot, NameColorToAnimatesTheNameColour) {
    run("Ssystem.NameColorTo 0 0 0 1 10");
    Transition::tickAll(5.0);
    EXPECT_EQ(query("NameColor"), " 0.5 0.5 0.5 1");
    Transition::tickAll(5.0);
    EXPECT_EQ(query("NameColor"), " 0 0 0 1");
}

// A list path with blanks is named in double quotes, and the refused save's
// command to load it runs as the message shows it.
TEST_F(SsystemRoot, AListPathWithBlanksRunsAsTheRefusalShowsIt) {
    write("my comets.dcl", "Version: 7.0 \nLocale: en_us \n\n2P/Encke \n");
    const std::string path = "./data/my comets.dcl";
    LogCapture log;
    EXPECT_EQ(run("Ssystem.SaveCometList \"" + path + "\""), 0);
    const std::string advice = keepBothAdvice(path, system.listCommands("Comet"));
    EXPECT_TRUE(log.contains(advice));
    const size_t from = advice.find("Ssystem.LoadCometList");
    EXPECT_EQ(run(advice.substr(from, advice.find(')', from) - from)), 1);
    EXPECT_EQ(query("CometNames"), "2P/Encke ");
    EXPECT_EQ(run("Ssystem.SaveCometList \"" + path + "\""), 1);
}

TEST_F(SsystemRoot, AnUnknownWordStopsTheLine) {
    LogCapture log;
    EXPECT_EQ(run("Ssystem.Bogus 1; Ssystem.Name 0"), 0);
    EXPECT_TRUE(log.contains("Command Error : Ssystem.Bogus"));
    EXPECT_EQ(query("Name"), " 1");
}
