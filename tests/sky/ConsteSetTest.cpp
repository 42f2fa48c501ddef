#include "sky/ConsteSet.h"

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "graphics/LabelFont.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Conste.h"
#include "sky/ConsteArt.h"
#include "support/TestEnv.h"

namespace {

std::string fixtureDir() {
    return orvextest::dataPath("constes");
}

// The fixture list: Alpha and Beta (category Default), Gamma (Zodiac), Delta
// (All); Missing.cdl does not exist.
class ConsteSetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(set.load(fixtureDir() + "/"), 1); }

    ConsteSet set;
    LogCapture log;
};

constexpr int Name = ConsteSet::NameBit;
constexpr int Lines = ConsteSet::LinesBit;
constexpr int Art = ConsteSet::ArtBit;
constexpr int Seps = ConsteSet::SepsBit;
constexpr int LinesH = ConsteSet::LinesHighlightBit;
constexpr int ArtH = ConsteSet::ArtHighlightBit;

} // namespace

TEST(ConsteSetFresh, DrawsNothingListsNothingAndAnswersZero) {
    ConsteSet set;
    EXPECT_EQ(set.size(), 0);
    EXPECT_EQ(set.isShown() + set.isNamesShown() + set.isLinesShown() + set.isArtsShown() +
                  set.isSepsShown(),
              0);
    EXPECT_EQ(set.getNameList(), "");
    EXPECT_EQ(set.getHiddenNames(), "");
    EXPECT_EQ(set.getCategory(), "Default");
    EXPECT_FALSE(set.contains("Alpha"));
    EXPECT_EQ(set.getRA("Alpha"), 0.0);
    EXPECT_EQ(set.getNameColor(), "1 1 1");
    EXPECT_EQ(set.getLinesDisp(), "2 0.4 0.4 0.8");
    EXPECT_EQ(set.getLineshDisp(), "1 0.3 0.3 0.6");
    EXPECT_EQ(set.getArtDisp(), "2 0.75 0.75 0.75");
    EXPECT_EQ(set.getArthDisp(), "1 0.375 0.375 0.375");
    EXPECT_EQ(set.getSepsDisp(), "1 0.25 0.25 0.25");
}

TEST_F(ConsteSetTest, LoadsTheListedFilesAndSkipsThoseThatDoNotLoad) {
    ASSERT_EQ(set.size(), 4);
    EXPECT_EQ(set.at(0).getName(), "Alpha");
    EXPECT_EQ(set.at(3).getName(), "Delta");
    EXPECT_TRUE(log.contains("Can't open conste file Missing.cdl."));
    EXPECT_TRUE(set.contains("Gamma"));
    EXPECT_FALSE(set.contains("gamma")); // names compare exactly
    EXPECT_EQ(set.getRA("Beta"), 180.0);
    EXPECT_EQ(set.getDecl("Beta"), -45.0);
    // Every constellation reads its art from the list's directory, kept absolute.
    const std::string dir = set.getDirectory();
    EXPECT_EQ(dir.front(), '/');
    for (int i = 0; i < set.size(); ++i)
        EXPECT_EQ(set.at(i).getDataDir(), dir);
    EXPECT_EQ(set.at(0).readArt().blocks.size(), 2u);
}

TEST_F(ConsteSetTest, ThePathNamesAListFileOrItsDirectory) {
    const std::string cwd = platform::currentDirectory();
    for (const std::string& path :
         {fixtureDir() + "/constes.cdl", fixtureDir(), fixtureDir() + "/repeats.cdl"}) {
        EXPECT_EQ(set.load(path), 1) << path;
        EXPECT_EQ(platform::currentDirectory(), cwd);
    }
    // Repeats in a row load once; apart, twice under the same name.
    EXPECT_EQ(set.getNameList(), "Alpha Beta Alpha ");
    EXPECT_EQ(set.find("Alpha"), &set.at(0));

    // A bare list file name is a list in the current directory.
    {
        const platform::CurrentDirGuard guard(fixtureDir());
        EXPECT_EQ(set.load("constes.cdl"), 1);
    }
    EXPECT_EQ(set.size(), 4);
    EXPECT_EQ(set.getDirectory(), fixtureDir());
}

TEST_F(ConsteSetTest, LoadThatFailsLeavesTheSetEmpty) {
    const std::string cwd = platform::currentDirectory();
    set.showNames("All");
    EXPECT_EQ(set.load(fixtureDir() + "/nothing.cdl"), 0);
    EXPECT_EQ(set.size(), 0);
    EXPECT_TRUE(log.contains("Can't open constellation list nothing.cdl. No such file"));
    // A directory that is not there is not read from wherever we are.
    const platform::CurrentDirGuard guard(fixtureDir());
    EXPECT_EQ(set.load("no-such-dir/"), 0);
    EXPECT_EQ(set.size(), 0);
    EXPECT_TRUE(log.contains("Can't open constellation directory no-such-dir/."));
    EXPECT_EQ(platform::currentDirectory(), fixtureDir());
    EXPECT_EQ(set.getNameList(), "");
}

TEST_F(ConsteSetTest, CategoriesChooseWhatAllShowsAndWhatIsListed) {
    EXPECT_EQ(set.getNameList(), "Alpha Beta ");
    set.setCategory("Zodiac");
    EXPECT_EQ(set.getNameList(), "Gamma ");
    set.setCategory("All");
    EXPECT_EQ(set.getNameList(), "Alpha Beta Gamma Delta ");
    // Setting the category alone changes no flag.
    EXPECT_EQ(set.getFlags("Gamma"), 0);

    // "All" as category shows everything, but the lists name only the
    // constellations whose own category is "All".
    set.show();
    EXPECT_EQ(set.getFlags("Gamma"), Name | Lines | Art | Seps);
    EXPECT_EQ(set.getShownNames(), "Delta ");
    EXPECT_EQ(set.getHiddenNames(), "");
}

TEST_F(ConsteSetTest, ShowAllReachesTheCategoryYetSetsTheSwitches) {
    set.showNames("All");
    EXPECT_EQ(set.getFlags("Alpha"), Name);
    EXPECT_EQ(set.getFlags("Beta"), Name);
    EXPECT_EQ(set.getFlags("Gamma"), 0);
    EXPECT_EQ(set.getFlags("Delta"), 0);
    EXPECT_EQ(set.getShownNames(), "Alpha Beta ");

    set.hide();
    set.setCategory("Nobody");
    set.showArts("All");
    EXPECT_EQ(set.isShown(), 1);
    EXPECT_EQ(set.isArtsShown(), 1);
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        EXPECT_EQ(set.getFlags(name), 0) << name;
}

TEST_F(ConsteSetTest, HideAndHighlightAllReachEveryCategory) {
    set.showLines("Alpha Gamma Delta");
    EXPECT_EQ(set.getFlags("Gamma"), Lines);
    set.highlightLines("All");
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        EXPECT_EQ(set.getFlags(name), LinesH) << name;
    set.hideLines("All");
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"})
        EXPECT_EQ(set.getFlags(name), 0) << name;
    EXPECT_EQ(set.isLinesShown(), 0);
    EXPECT_EQ(set.isShown(), 0);

    set.showArts("Gamma");
    set.highlightArts("All");
    EXPECT_EQ(set.getFlags("Beta"), ArtH);
    set.showArts("Gamma");
    EXPECT_EQ(set.getFlags("Gamma"), Art); // showing clears the highlight
}

TEST_F(ConsteSetTest, NamesAreSeparatedByBlanksAndUnknownOnesIgnored) {
    set.showLines("Alpha  Beta");
    EXPECT_EQ(set.getShownLines(), "Alpha Beta ");
    set.hide();
    set.showLines("Nobody Alpha\tBeta alpha");
    EXPECT_EQ(set.getShownLines(), "");
    EXPECT_EQ(set.isShown(), 0);
    EXPECT_EQ(set.isLinesShown(), 0);
    EXPECT_EQ(log.messages().size(), 1u); // only the missing file of the list

    // Name lists of any length.
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "Nobody ";
    set.showSeps(many + "Beta");
    EXPECT_EQ(set.getShownSeps(), "Beta ");
}

TEST_F(ConsteSetTest, HighlightingMovesAConstellationOutOfTheShownList) {
    set.showLines("Alpha Beta");
    set.highlightLines("Alpha");
    EXPECT_EQ(set.getHighlightedLines(), "Alpha ");
    EXPECT_EQ(set.getHiddenLines(), "Alpha ");
    EXPECT_EQ(set.getShownLines(), "Beta ");
    // Hiding Beta's lines keeps the feature on: Alpha is still highlighted.
    set.hideLines("Beta");
    EXPECT_EQ(set.isLinesShown(), 1);
    set.hideLines("Alpha");
    EXPECT_EQ(set.isLinesShown(), 0);

    set.showArts("Beta");
    set.highlightArts("Beta");
    EXPECT_EQ(set.getHighlightedArts(), "Beta ");
    EXPECT_EQ(set.getShownArts(), "");
    EXPECT_EQ(set.getHiddenArts(), "Alpha Beta ");
}

TEST_F(ConsteSetTest, HidingTheLastVisibleFeatureTurnsTheSetOff) {
    set.showSeps("Alpha");
    set.showNames("Beta");
    EXPECT_EQ(set.isShown(), 1);
    set.hideSeps("Alpha");
    EXPECT_EQ(set.isSepsShown(), 0);
    EXPECT_EQ(set.isShown(), 1); // the names are still on
    set.hideNames("Beta");
    EXPECT_EQ(set.isShown(), 0);
    // A hide that finds nobody changes nothing.
    set.showNames("Alpha");
    set.hideNames("Nobody");
    EXPECT_EQ(set.isShown(), 1);
    set.hideNames("All");
    EXPECT_EQ(set.isShown(), 0);
}

TEST_F(ConsteSetTest, MasterSwitchAndToggles) {
    set.highlightArts("Gamma");
    set.show();
    for (const char* name : {"Alpha", "Beta"})
        EXPECT_EQ(set.getFlags(name), Name | Lines | Art | Seps) << name;
    EXPECT_EQ(set.getFlags("Gamma"), ArtH); // other categories keep their flags
    EXPECT_EQ(set.isNamesShown() + set.isLinesShown() + set.isArtsShown() + set.isSepsShown(), 4);
    set.toggleShow();
    EXPECT_EQ(set.isShown(), 0);
    EXPECT_EQ(set.getFlags("Gamma"), 0);
    set.toggleShow();
    EXPECT_EQ(set.isShown(), 1);

    set.hide();
    set.toggleNames();
    EXPECT_EQ(set.getShownNames(), "Alpha Beta ");
    set.toggleNames();
    EXPECT_EQ(set.getShownNames(), "");
    EXPECT_EQ(set.isShown(), 0);
    set.toggleLines();
    set.toggleArts();
    set.toggleSeps();
    EXPECT_EQ(set.getFlags("Beta"), Lines | Art | Seps);
    set.toggleSeps();
    EXPECT_EQ(set.getFlags("Beta"), Lines | Art);
}

TEST_F(ConsteSetTest, LineStylesAndNameColourAreStoredAsGiven) {
    const double black[3] = {0, 0, 0};
    const double odd[3] = {-1, 2.5, 1e-7};
    set.setLinesDisp(3, black);
    set.setSepsDisp(0.5, odd);
    set.setNameColor(odd);
    EXPECT_EQ(set.getLinesDisp(), "3 0 0 0");
    EXPECT_EQ(set.getSepsDisp(), "0.5 -1 2.5 1e-07");
    EXPECT_EQ(set.getNameColor(), "-1 2.5 1e-07");
}

TEST_F(ConsteSetTest, NameFontChangesOnlyWhenItDiffers) {
    const std::string before = set.getFontSpec();
    LabelFont& font = set.getNameFont();
    set.setNameFont(font.getFamilyToken(), font.getSize(), font.getStyle());
    EXPECT_EQ(set.getFontSpec(), before);
    set.setNameFont("DejaVu_Sans", 9.5f, 2);
    EXPECT_EQ(set.getFontSpec(), "DejaVu_Sans 9.5 2");
}
