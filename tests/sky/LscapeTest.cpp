// The landscape's command words, value texts and saved lines, and its names
// file as the configuration hands it over; all without a display.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/LogMessage.h"
#include "engine/Transition.h"
#include "engine/Vector3.h"
#include "graphics/LabelFont.h"
#include "sky/Lscape.h"
#include "support/TestRoot.h"

namespace {

struct WordCase {
    const char* lines; // run in order, may be empty
    const char* query;
    const char* value;
};

// Defaults first, then each word with what it stores.
const WordCase wordCases[] = {
    {"", "Lscape.Show", " 1"},
    {"", "Lscape.Dir", " 1"},
    {"", "Lscape.DirColor", " 1 1 1"},
    {"", "Lscape.DirFont", "Arial 12 0"},
    {"", "Lscape.TopColor", " 0 0 0 0"},
    {"", "Lscape.HorizonColor", " 0 0 0 1"},
    {"", "Lscape.GroundColor", " 0 0 0 1"},
    {"", "Lscape.WeatherOpacity", " 1"},
    {"", "Lscape.SstarsCount", " 8"},
    {"", "Lscape.SstarsRandom", " 1"},
    {"", "Lscape.SstarsCenter", " 0 0"},
    {"", "Lscape.CursorType", "Arrow"},
    {"", "Lscape.CursorSize", " 1"},
    {"", "Lscape.GroundType", "Panorama"},
    {"", "Lscape.DefaultPlaceName", "Surface"},
    {"", "Lscape.ShowTog", "Undefined"},
    {"", "Lscape.TopColorTo", "Undefined"},
    {"", "Lscape.WeatherTo", "Undefined"},
    {"", "Lscape.Nothing", "Undefined"},
    {"Lscape.Show 0", "Lscape.Show", " 0"},
    {"Lscape.Show", "Lscape.Show", " 0"}, // a missing integer reads as 0
    {"Lscape.Show 0; Lscape.ShowTog", "Lscape.Show", " 1"},
    {"Lscape.Show 5; Lscape.ShowTog", "Lscape.Show", " 0"},
    {"Lscape.DirTog", "Lscape.Dir", " 0"},
    {"Lscape.DirColor 0.5 0.25 1", "Lscape.DirColor", " 0.5 0.25 1"},
    {"Lscape.DirColor 0.5", "Lscape.DirColor", " 0.5 0 0"},
    {"Lscape.TopColor 0.1 0.2 0.3 0.4", "Lscape.TopColor", " 0.1 0.2 0.3 0.4"},
    {"Lscape.BottomColor 1 0 0 1", "Lscape.BottomColor", " 1 0 0 1"},
    {"Lscape.HorizonColor 0 1 0", "Lscape.HorizonColor", " 0 1 0 0"},
    {"Lscape.GroundColor 0 0 1 0.5", "Lscape.GroundColor", " 0 0 1 0.5"},
    {"Lscape.Weather 3", "Lscape.Weather", " 3"},
    {"Lscape.WeatherTog", "Lscape.Weather", " 1"},
    {"Lscape.Weather 3; Lscape.WeatherTog", "Lscape.Weather", " 0"},
    {"Lscape.WeatherOpacity 0.25", "Lscape.WeatherOpacity", " 0.25"},
    {"Lscape.LscapeHeight 0.1", "Lscape.LscapeHeight", " 0.1"},
    {"Lscape.SstarsCenter 90 45", "Lscape.SstarsCenter", " 90 45"},
    {"Lscape.SstarsCenter 90 45", "Lscape.SstarsRandom", " 0"},
    {"Lscape.SstarsCenter 10 20; Lscape.SstarsRandom 1", "Lscape.SstarsRandom", " 1"},
    {"Lscape.SstarsCount 3", "Lscape.SstarsCount", " 3"},
    {"Lscape.NumSstars 5", "Lscape.SstarsCount", " 5"},
    {"Lscape.SstarsCount 100", "Lscape.NumSstars", " 100"},
    {"Lscape.SstarsCount -4", "Lscape.SstarsCount", " -4"},
    {"Lscape.CursorType Light", "Lscape.CursorType", "Light"},
    {"Lscape.CursorType Foo", "Lscape.CursorType", "Annotate"},
    {"Lscape.CursorType Light; Lscape.CursorType Arrow", "Lscape.CursorType", "Arrow"},
    {"Lscape.CursorSize 2.5", "Lscape.CursorSize", " 2.5"},
    {"Lscape.GroundType Mesh", "Lscape.GroundType", "Mesh"},
    {"Lscape.GroundType", "Lscape.GroundType", "Horizon"},
    {"Lscape.GroundType panorama", "Lscape.GroundType", "Horizon"}, // words compare exactly
    {"Lscape.KeepDirVisible 1", "Lscape.KeepDirVisible", " 1"},
    {"Lscape.DefaultPlaceName Ground", "Lscape.DefaultPlaceName", "Ground"},
    {"Lscape.DirFont Courier 20 1", "Lscape.DirFont", "Courier 20 1"},
};

class LscapeWords : public ::testing::TestWithParam<WordCase> {};

TEST_P(LscapeWords, LinesLeaveTheValueText) {
    const WordCase& c = GetParam();
    orvextest::TestRoot root;
    Lscape lscape(&root);
    if (*c.lines) {
        EXPECT_EQ(root.interp.executeLine(c.lines), 1) << c.lines;
    }
    EXPECT_EQ(root.getCommandValue(c.query), c.value) << c.lines;
}

INSTANTIATE_TEST_SUITE_P(Table, LscapeWords, ::testing::ValuesIn(wordCases));

std::vector<std::string> listedWords(const Interpreter& interp, int classIndex, bool listed) {
    std::vector<std::string> words;
    for (int i = 0; i < interp.getCommandCount(classIndex); ++i)
        if (interp.isCommandListed(classIndex, i) == listed)
            words.push_back(interp.getCommandName(classIndex, i));
    return words;
}

} // namespace

TEST(Lscape, RegistersTwentySevenWordsWithTwoHidden) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    int index = -1;
    for (int i = 0; i < root.interp.getClassCount(); ++i)
        if (root.interp.getClassName(i) == "Lscape")
            index = i;
    ASSERT_GE(index, 0);
    ASSERT_EQ(root.interp.getCommandCount(index), 27);
    EXPECT_EQ(root.interp.getCommandName(index, 0), "Show");
    EXPECT_EQ(root.interp.getCommandName(index, 26), "WeatherOpacityTo");
    EXPECT_EQ(listedWords(root.interp, index, false),
              (std::vector<std::string>{"NumSstars", "WeatherTo"}));
}

TEST(Lscape, UnknownWordsAreNotRun) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    EXPECT_EQ(root.interp.executeLine("Lscape.Sky 1"), 0);
    EXPECT_EQ(root.interp.executeLine("Lscape.show 0"), 0);
    EXPECT_EQ(lscape.getShow(), 1);
    Lscape alone(nullptr);
    EXPECT_EQ(alone.execute(), 0);
    EXPECT_EQ(alone.getValue(), "Undefined");
}

TEST(Lscape, ColourAndOpacityChangesRunInNominalFrames) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    root.configure();
    ASSERT_EQ(root.interp.executeLine("Lscape.TopColorTo 1 0.5 0 1 10"), 1);
    ASSERT_EQ(root.interp.executeLine("Lscape.WeatherOpacityTo 0 4"), 1);
    // 100 ms at 30 frames per second: 3 nominal frames.
    root.frame(100);
    EXPECT_EQ(root.getCommandValue("Lscape.TopColor"), " 0.3 0.15 0 0.3");
    EXPECT_EQ(root.getCommandValue("Lscape.WeatherOpacity"), " 0.25");
    // The state line holds the colour as it is now, halfway.
    EXPECT_NE(root.getStateText().find("Lscape.TopColor 0.3 0.15 0 0.3\n"), std::string::npos);
    root.frame(1000);
    EXPECT_EQ(root.getCommandValue("Lscape.TopColor"), " 1 0.5 0 1");
    EXPECT_DOUBLE_EQ(lscape.getWeatherOpacity(), 0.0);

    // WeatherTo is the same word; steps below 1 take one frame.
    ASSERT_EQ(root.interp.executeLine("Lscape.WeatherTo 0.5 0; Lscape.BottomColorTo 0 0 1 1 -3"),
              1);
    root.frame(34);
    EXPECT_DOUBLE_EQ(lscape.getWeatherOpacity(), 0.5);
    EXPECT_EQ(root.getCommandValue("Lscape.BottomColor"), " 0 0 1 1");

    // WeatherOpacity stops a running change.
    ASSERT_EQ(root.interp.executeLine("Lscape.WeatherOpacityTo 1 30; Lscape.WeatherOpacity 0.75"),
              1);
    root.frame(500);
    EXPECT_DOUBLE_EQ(lscape.getWeatherOpacity(), 0.75);
}

TEST(Lscape, StateAndOptionLinesRestoreTheSettings) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    EXPECT_EQ(lscape.saveStates(), "Lscape.Show 1\n"
                                   "Lscape.Dir 1\n"
                                   "Lscape.SstarsCenter 0 0\n"
                                   "Lscape.SstarsRandom 1\n"
                                   "Lscape.SstarsCount 8\n"
                                   "Lscape.TopColor 0 0 0 0\n"
                                   "Lscape.BottomColor 0 0 0 0\n"
                                   "Lscape.Weather 0\n"
                                   "Lscape.WeatherOpacity 1");
    EXPECT_EQ(lscape.saveOptions(), "Lscape.DirColor 1 1 1\n"
                                    "Lscape.GroundColor 0 0 0 1\n"
                                    "Lscape.HorizonColor 0 0 0 1\n"
                                    "Lscape.CursorType Arrow\n"
                                    "Lscape.CursorSize 1\n"
                                    "Lscape.GroundType Panorama\n"
                                    "Lscape.LscapeHeight 0\n"
                                    "Lscape.DirFont Arial 12 0\n"
                                    "Lscape.KeepDirVisible 0\n"
                                    "Lscape.DefaultPlaceName Surface");

    const char* const changes =
        "Lscape.Show 0; Lscape.Dir 0; Lscape.SstarsCenter 270 -30; Lscape.SstarsCount 70;"
        "Lscape.TopColor 0 0 0.2 1; Lscape.BottomColor 0.1 0.1 0.3 1; Lscape.Weather 1;"
        "Lscape.WeatherOpacity 0.5; Lscape.DirColor 1 1 0; Lscape.GroundColor 0 0.2 0 1;"
        "Lscape.HorizonColor 0 0.4 0 0.5; Lscape.CursorType Light; Lscape.CursorSize 2;"
        "Lscape.GroundType Mesh; Lscape.LscapeHeight 0.05; Lscape.DirFont Courier_New 18 1;"
        "Lscape.KeepDirVisible 1; Lscape.DefaultPlaceName Ground";
    ASSERT_EQ(root.interp.executeLine(changes), 1);
    const std::string states = lscape.saveStates();
    const std::string options = lscape.saveOptions();
    EXPECT_EQ(options, "Lscape.DirColor 1 1 0\n"
                       "Lscape.GroundColor 0 0.2 0 1\n"
                       "Lscape.HorizonColor 0 0.4 0 0.5\n"
                       "Lscape.CursorType Light\n"
                       "Lscape.CursorSize 2\n"
                       "Lscape.GroundType Mesh\n"
                       "Lscape.LscapeHeight 0.05\n"
                       "Lscape.DirFont Courier_New 18 1\n"
                       "Lscape.KeepDirVisible 1\n"
                       "Lscape.DefaultPlaceName Ground");

    // Read back into a fresh landscape, the lines give the same lines.
    orvextest::TestRoot other;
    Lscape copy(&other);
    ASSERT_EQ(other.interp.executeLine(states), 1);
    ASSERT_EQ(other.interp.executeLine(options), 1);
    EXPECT_EQ(copy.saveStates(), states);
    EXPECT_EQ(copy.saveOptions(), options);
    EXPECT_EQ(copy.getShootingStars().getRandom(), 0);
}

TEST(Lscape, RadiantTurnsThePoleOntoTheGivenSkyPlace) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    const double degree = 0.017453292519943295;
    struct Place {
        double ra, dec;
    };
    for (const Place p : {Place{0, 0}, Place{90, 45}, Place{250, -60}, Place{0, 90}, Place{0, -90},
                          Place{123, -90}}) {
        lscape.sstarsCenter(p.ra, p.dec);
        const Quaternion& q = lscape.getShootingStars().getRadiantRotation();
        EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0, 1e-12);
        const Vector3 turned = q.rotateVector(Vector3(0.0, 0.0, 1.0));
        const double a = p.ra * degree;
        const double d = p.dec * degree;
        EXPECT_NEAR(turned.x, std::cos(a) * std::cos(d), 1e-12) << p.ra << " " << p.dec;
        EXPECT_NEAR(turned.y, std::sin(a) * std::cos(d), 1e-12) << p.ra << " " << p.dec;
        EXPECT_NEAR(turned.z, std::sin(d), 1e-12) << p.ra << " " << p.dec;
    }
}

TEST(Lscape, WeatherAndPlaceNameReachTheirReaders) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    EXPECT_EQ(lscape.getWeather(), 0);
    EXPECT_EQ(lscape.getDefaultPlaceName(), "Surface");
    ASSERT_EQ(root.interp.executeLine(
                  "Lscape.WeatherTog; Lscape.WeatherOpacity 0.4; Lscape.DefaultPlaceName Pad"),
              1);
    EXPECT_EQ(lscape.getWeather(), 1);
    EXPECT_DOUBLE_EQ(lscape.getWeatherOpacity(), 0.4);
    EXPECT_EQ(lscape.getDefaultPlaceName(), "Pad");
}

TEST(Lscape, ListsFollowTheirSettingsOnlyOnceBuilt) {
    // Without GL the commands store what the lists will be built from.
    orvextest::TestRoot root;
    Lscape lscape(&root);
    ASSERT_EQ(root.interp.executeLine("Lscape.CursorType Light; Lscape.DirFont Courier 20 0"), 1);
    EXPECT_EQ(lscape.getCursorListBuilds(), 0);
    EXPECT_EQ(lscape.getDirectionListBuilds(), 0);
    lscape.buildLists(0);
    EXPECT_EQ(lscape.isBuilt(), 0);
    // DirFont sets anchor 2; the same font again changes nothing.
    EXPECT_EQ(lscape.getDirectionFont().getAlign(), 2);
    lscape.getDirectionFont().setAlign(7);
    ASSERT_EQ(root.interp.executeLine("Lscape.DirFont Courier 20 0"), 1);
    EXPECT_EQ(lscape.getDirectionFont().getAlign(), 7);
}

TEST(Lscape, DirectionNamesFileReplacesTheNames) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    root.writeDataFile("data/direction.txt", "Version: 7.0\nNorth: Nord\nWest: Ouest\n");
    // Paths are relative to the data directory, whatever the current one is.
    EXPECT_EQ(lscape.loadDirectionNames("./data/direction.txt"), 1);
    const DirectionNames& names = lscape.getDirectionNames();
    EXPECT_EQ(names.north, "Nord");
    EXPECT_EQ(names.south, "S");
    EXPECT_EQ(names.east, "E");
    EXPECT_EQ(names.west, "Ouest");
    EXPECT_EQ(lscape.getDefaultPlaceName(), "Surface");

    LogCapture log;
    EXPECT_EQ(lscape.loadDirectionNames("./data/none.txt"), 0);
    EXPECT_TRUE(log.contains("Can't open direction names file."));
    EXPECT_EQ(lscape.getDirectionNames().north, "Nord");
}

TEST(Lscape, JapaneseNorthMakesTheJapanesePlaceName) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    root.writeDataFile("data/dir_ja.txt", "Version: 7.0\nNorth: \x96\x6B\nSouth: \x93\xEC\n");
    ASSERT_EQ(lscape.loadDirectionNames("data/dir_ja.txt"), 1);
    EXPECT_EQ(lscape.getDefaultPlaceName(), "\x95\x5C\x96\xCA");
    EXPECT_EQ(root.getCommandValue("Lscape.DefaultPlaceName"), "\x95\x5C\x96\xCA");
    EXPECT_NE(lscape.saveOptions().find("Lscape.DefaultPlaceName \x95\x5C\x96\xCA"),
              std::string::npos);

    // Another north name leaves the place name as it is.
    Lscape other(&root);
    root.writeDataFile("data/dir_x.txt", "Version: 7.0\nNorth: \x96\x6B\x96\x6B\n");
    ASSERT_EQ(other.loadDirectionNames("data/dir_x.txt"), 1);
    EXPECT_EQ(other.getDefaultPlaceName(), "Surface");
}

TEST(Lscape, ShippedNamesFilesRead) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::shareDir());
    Lscape english(&root);
    ASSERT_EQ(english.loadDirectionNames("./data/direction.txt"), 1);
    EXPECT_EQ(english.getDirectionNames().east, "E");
    Lscape japanese(&root);
    ASSERT_EQ(japanese.loadDirectionNames("./data/direction_ja.txt"), 1);
    EXPECT_EQ(japanese.getDirectionNames().north, "\x96\x6B");
    EXPECT_EQ(japanese.getDirectionNames().south, "\x93\xEC");
    EXPECT_EQ(japanese.getDirectionNames().east, "\x93\x8C");
    EXPECT_EQ(japanese.getDirectionNames().west, "\x90\xBC");
    EXPECT_EQ(japanese.getDefaultPlaceName(), "\x95\x5C\x96\xCA");
}
