#include "sky/Constes.h"

#include <cmath>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Conste.h"
#include "sky/ConsteSet.h"
#include "sky/SkyPosition.h"
#include "support/TestRoot.h"

namespace {

// A root with the fixture directory as its data directory and the fixture
// list loaded: Alpha and Beta (Default), Gamma (Zodiac), Delta (All).
class ConstesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root.setDataDir(orvextest::dataPath(""));
        constes.load("constes/");
        ASSERT_EQ(set().size(), 4);
        log.clear(); // Missing.cdl of the list
    }
    ConsteSet& set() { return constes.getConsteSet(); }
    int run(const std::string& line) { return root.interp.executeLine(line); }
    std::string value(const std::string& query) { return root.getCommandValue(query); }

    LogCapture log;
    orvextest::TestRoot root;
    Constes constes{&root};
};

const char* const registrationOrder[] = {
    "Show",      "Name",        "Lines",          "Art",       "Seps",       "NameColor",
    "NameFont",  "LinesDisp",   "LineshDisp",     "ArtDisp",   "ArthDisp",   "SepsDisp",
    "CategName", "ConsteNames", "BuildArtsFirst", "ShowNames", "HideNames",  "ShowLines",
    "HideLines", "HlightLines", "ShowArts",       "HideArts",  "HlightArts", "ShowSeps",
    "HideSeps",  "ShowTog",     "NameTog",        "LinesTog",  "ArtTog",     "SepsTog",
};

// One command and the value text it leaves; run in order on the fixture set.
struct Step {
    const char* line;
    const char* query;
    const char* value;
};

const Step steps[] = {
    {"Constes.Show 1", "Constes.Show", " 1"},
    {"Constes.Show", "Constes.Show", " 0"}, // no argument reads as 0: hide
    {"Constes.Name 1", "Constes.Name", " 1"},
    {"Constes.Name 1", "Constes.ShowNames", "Alpha Beta "},
    {"Constes.Name 0", "Constes.HideNames", "Alpha Beta "},
    {"Constes.Lines 7", "Constes.Lines", " 1"},
    {"Constes.Art 1", "Constes.ShowArts", "Alpha Beta "},
    {"Constes.Seps x", "Constes.Seps", " 0"},
    {"Constes.NameColor 1 0 0 1", "Constes.NameColor", "1 0 0"}, // the fourth number is ignored
    {"Constes.NameFont Times_New_Roman 10 3", "Constes.NameFont", "Times_New_Roman 10 3"},
    {"Constes.LinesDisp 3", "Constes.LinesDisp", "3 0 0 0"},
    {"Constes.LineshDisp 1.5 0.1 0.2 0.3", "Constes.LineshDisp", "1.5 0.1 0.2 0.3"},
    {"Constes.ArtDisp 4 1 1 1", "Constes.ArtDisp", "4 1 1 1"},
    {"Constes.ArthDisp 2 0.5 0.5 0.5", "Constes.ArthDisp", "2 0.5 0.5 0.5"},
    {"Constes.SepsDisp 1 0 1 0", "Constes.SepsDisp", "1 0 1 0"},
    {"Constes.CategName Zodiac", "Constes.CategName", "Zodiac"},
    {"Constes.CategName Zodiac", "Constes.ConsteNames", "Gamma "},
    {"Constes.CategName All", "Constes.ConsteNames", "Alpha Beta Gamma Delta "},
    {"Constes.CategName Default", "Constes.ConsteNames", "Alpha Beta "},
    {"Constes.BuildArtsFirst 1", "Constes.BuildArtsFirst", " 1"},
    {"Constes.ShowNames Alpha Nobody", "Constes.ShowNames", "Alpha "},
    {"Constes.HideNames Alpha", "Constes.HideNames", "Alpha Beta "},
    {"Constes.ShowLines Beta Alpha", "Constes.ShowLines", "Alpha Beta "},
    {"Constes.HlightLines Beta", "Constes.HlightLines", "Beta "},
    {"Constes.HideLines All", "Constes.HideLines", "Alpha Beta "},
    {"Constes.HideArts All;Constes.ShowArts Beta", "Constes.ShowArts", "Beta "},
    {"Constes.HlightArts Alpha", "Constes.HlightArts", "Alpha "},
    {"Constes.HideArts Alpha Beta", "Constes.HideArts", "Alpha Beta "},
    {"Constes.ShowSeps Alpha;Constes.ShowSeps Beta", "Constes.ShowSeps", "Alpha Beta "},
    {"Constes.HideSeps Beta", "Constes.HideSeps", "Beta "},
    {"Constes.ShowTog", "Constes.Show", " 0"}, // the boundaries were still on
    {"Constes.ShowTog", "Constes.ShowTog", "Undefined"},
    {"Constes.NameTog", "Constes.Name", " 0"},
    {"Constes.LinesTog", "Constes.Lines", " 0"},
    {"Constes.ArtTog", "Constes.Art", " 0"},
    {"Constes.SepsTog", "Constes.Show", " 0"}, // the last feature went off
    {"Constes.SepsTog", "Constes.ShowSeps", "Alpha Beta "},
    {"Constes.ArtTog", "Constes.Show", " 1"},
};

} // namespace

TEST_F(ConstesTest, RegistersItsThirtyWordsInTableOrder) {
    int index = -1;
    for (int i = 0; i < root.interp.getClassCount(); ++i)
        if (root.interp.getClassName(i) == "Constes")
            index = i;
    ASSERT_GE(index, 0);
    ASSERT_EQ(root.interp.getCommandCount(index), 30);
    for (int j = 0; j < 30; ++j) {
        EXPECT_EQ(root.interp.getCommandName(index, j), registrationOrder[j]);
        EXPECT_TRUE(root.interp.isCommandListed(index, j));
    }
}

TEST_F(ConstesTest, CommandsAndTheirValueTexts) {
    for (const Step& step : steps) {
        EXPECT_EQ(run(step.line), 1) << step.line;
        EXPECT_EQ(value(step.query), step.value) << step.line << " / " << step.query;
    }
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ConstesTest, QueryOnlyAndUnknownWordsAreNotHandled) {
    EXPECT_EQ(run("Constes.ConsteNames"), 0);
    EXPECT_TRUE(log.contains("Command Error : Constes.ConsteNames"));
    EXPECT_EQ(run("Constes.show 1"), 0);
    EXPECT_EQ(set().isShown(), 0);
    EXPECT_EQ(value("Constes.Bogus"), "Undefined");
    EXPECT_EQ(value("Constes.NameTog"), "Undefined");
}

TEST_F(ConstesTest, StateLinesRestoreTheFeaturesForAll) {
    EXPECT_EQ(constes.saveStates(), "Constes.Show 0\nConstes.CategName Default");
    run("Constes.ShowNames Beta");
    run("Constes.Seps 1");
    run("Constes.CategName Zodiac");
    const std::string state = constes.saveStates();
    EXPECT_EQ(state, "Constes.Show 0\nConstes.Name 1\nConstes.Seps 1\nConstes.CategName Zodiac");
    // Replayed, each feature comes back for the category current then.
    run("Constes.Show 1");
    root.runScript(state, 1);
    EXPECT_EQ(set().isShown(), 1);
    EXPECT_EQ(set().isLinesShown(), 0);
    EXPECT_EQ(set().getFlags("Gamma"), ConsteSet::NameBit | ConsteSet::SepsBit);
    EXPECT_EQ(set().getFlags("Beta"), 0);
    EXPECT_EQ(set().getCategory(), "Zodiac");
}

TEST_F(ConstesTest, OptionLinesHoldColoursFontStylesAndBuildArtsFirst) {
    const std::string font = set().getFontSpec();
    EXPECT_EQ(constes.saveOptions(), "Constes.NameColor 1 1 1\n"
                                     "Constes.NameFont " +
                                         font +
                                         "\n"
                                         "Constes.LinesDisp 2 0.4 0.4 0.8\n"
                                         "Constes.LineshDisp 1 0.3 0.3 0.6\n"
                                         "Constes.ArtDisp 2 0.75 0.75 0.75\n"
                                         "Constes.ArthDisp 1 0.375 0.375 0.375\n"
                                         "Constes.SepsDisp 1 0.25 0.25 0.25\n"
                                         "Constes.BuildArtsFirst 0");
    // Read back, the lines give the same text.
    run("Constes.SepsDisp 3 0.1 0.2 0.3");
    run("Constes.BuildArtsFirst 1");
    const std::string options = constes.saveOptions();
    orvextest::TestRoot other;
    Constes copy(&other);
    other.runScript(options, 1);
    EXPECT_EQ(copy.saveOptions(), options);
}

TEST_F(ConstesTest, LoadIsRelativeToTheDataDirectoryAndReplacesTheSet) {
    const std::string cwd = platform::currentDirectory();
    // A word ending in "/" is entered, and the set gets the absolute directory.
    EXPECT_EQ(set().getDirectory(), orvextest::dataPath("constes"));
    for (const char* path : {"constes/constes.cdl", "constes", "constes/repeats.cdl"}) {
        EXPECT_EQ(constes.load(path), 1);
        EXPECT_EQ(platform::currentDirectory(), cwd);
    }
    EXPECT_EQ(value("Constes.ConsteNames"), "Alpha Beta Alpha ");
    // Always 1; a list that is not there leaves the set empty.
    EXPECT_EQ(constes.load("nowhere/"), 1);
    EXPECT_EQ(set().size(), 0);
    EXPECT_EQ(value("Constes.ConsteNames"), "");
    EXPECT_EQ(platform::currentDirectory(), cwd);
}

TEST_F(ConstesTest, LooksTowardAConstellationWithNorthUp) {
    EXPECT_TRUE(constes.hasConste("Alpha"));
    EXPECT_FALSE(constes.hasConste("alpha"));
    const Quaternion none = constes.getLookRot("Nobody");
    EXPECT_EQ(none, Quaternion());
    EXPECT_EQ(constes.getDirection("Nobody").length(), 0.0);

    // The star sphere is drawn tilted by -23.4 degrees about x; the look
    // rotation brings the constellation's centre onto the view axis.
    const Quaternion sphere(Vector3(1, 0, 0), -0.4084070383087704);
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) {
        const Quaternion look = constes.getLookRot(name);
        EXPECT_EQ(look, skyLookRotation(set().getRA(name), set().getDecl(name)));
        const Vector3 centre = constes.getDirection(name);
        EXPECT_NEAR(centre.length(), 1.0, 1e-12);
        const Vector3 seen = look.rotateVector(sphere.rotateVector(centre));
        EXPECT_NEAR(seen.x, 0.0, 1e-9) << name;
        EXPECT_NEAR(seen.y, 0.0, 1e-9) << name;
        EXPECT_NEAR(seen.z, -1.0, 1e-9) << name;
        const Vector3 pole = look.rotateVector(sphere.rotateVector(Vector3(0, 0, 1)));
        EXPECT_GT(pole.y, 0.0) << name; // north is up
    }
}

TEST_F(ConstesTest, ListBuildingWaitsForTheForcedCall) {
    constes.buildLists(0);
    EXPECT_EQ(constes.isBuilt(), 0);
    constes.buildLists(1);
    EXPECT_EQ(constes.isBuilt(), 1);
    constes.buildLists(0);
    EXPECT_EQ(constes.isBuilt(), 1);
}

TEST(ConstesWithoutOwner, AnswersNothing) {
    Constes constes(nullptr);
    EXPECT_EQ(constes.execute(), 0);
    EXPECT_EQ(constes.getValue(), "Undefined");
    EXPECT_EQ(constes.load("anywhere/"), 1);
    EXPECT_EQ(constes.getConsteSet().size(), 0);
}
