// The "Space" command class without a display: words, values, saved lines and
// the space-file bookkeeping.
#include <gtest/gtest.h>

#include <cmath>

#include "StarFileTestSupport.h"
#include "engine/LogMessage.h"
#include "engine/Quaternion.h"
#include "sky/CelestialGrid.h"
#include "sky/MilkyWay.h"
#include "sky/Space.h"
#include "sky/StarCatalog.h"
#include "support/TestRoot.h"

using orvextest::BinaryFile;

namespace {

class SpaceTest : public ::testing::Test {
protected:
    std::string value(const std::string& word) { return root.interp.getValue("Space." + word); }
    int run(const std::string& line) { return root.interp.executeLine(line); }
    int spaceClass() const {
        for (int i = 0; i < root.interp.getClassCount(); ++i)
            if (root.interp.getClassName(i) == "Space")
                return i;
        return -1;
    }
    // A ".dhb" file in the data directory with the given number of classes.
    void writeDhb(int classes) {
        BinaryFile f;
        f.i32(classes);
        for (int k = 0; k < classes; ++k)
            f.i32(1).xyz(0, 0, 1);
        root.writeDataFile("data/stars/test.dhb", f.bytes());
    }

    orvextest::TestRoot root;
    Space space{&root};
    LogCapture log;
};

} // namespace

TEST_F(SpaceTest, RegistersTwentyWordsWithMwayRotHidden) {
    const int c = spaceClass();
    ASSERT_GE(c, 0);
    ASSERT_EQ(root.interp.getCommandCount(c), 20);
    EXPECT_EQ(root.interp.getCommandName(c, 0), "Stars");
    EXPECT_EQ(root.interp.getCommandName(c, 10), "MwayRot");
    EXPECT_EQ(root.interp.getCommandName(c, 19), "FrameTog");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(root.interp.isCommandListed(c, i), i != 10) << i;
    EXPECT_STREQ(space.getName(), "Space");
}

TEST_F(SpaceTest, DefaultValues) {
    EXPECT_EQ(value("Stars"), " 1");
    EXPECT_EQ(value("StarsStyle"), "Points");
    EXPECT_EQ(value("Mway"), " 1");
    EXPECT_EQ(value("Frame"), " 1");
    EXPECT_EQ(value("Magnitude"), " 6");
    EXPECT_EQ(value("MaxMagnitude"), " 6");
    EXPECT_EQ(value("FrameDisp"), " 1 0.15 0.15 0.15");
    EXPECT_EQ(value("FrameColor"), " 0.15 0.15 0.15");
    EXPECT_EQ(value("FrameFont"), "Arial 12 0");
    EXPECT_EQ(value("MwayDisp"), " 7 0.15 0.15 0.15");
    EXPECT_EQ(value("MwayStyle"), "Textured");
    for (const char* word : {"MwayRot", "MwayTexture", "StarsStylePrev", "FrameTog", "Nonsense"})
        EXPECT_EQ(value(word), "Undefined") << word;
}

TEST_F(SpaceTest, MagnitudeLimitStopsAtTheFilesFaintestGroupButHasNoFloor) {
    EXPECT_EQ(run("Space.Magnitude 9"), 1);
    EXPECT_EQ(value("Magnitude"), " 6");
    EXPECT_EQ(run("Space.Magnitude -2"), 1);
    EXPECT_EQ(value("Magnitude"), " -2");
    EXPECT_EQ(run("Space.Magnitude"), 1);
    EXPECT_EQ(value("Magnitude"), " 0");
    // MaxMagnitude only answers.
    EXPECT_EQ(run("Space.MaxMagnitude 3"), 0);
    EXPECT_EQ(value("MaxMagnitude"), " 6");
}

TEST_F(SpaceTest, SwitchesAndStyleCycles) {
    EXPECT_EQ(run("Space.Stars"), 1);
    EXPECT_EQ(value("Stars"), " 0");
    run("Space.StarsTog");
    EXPECT_EQ(value("Stars"), " 1");
    run("Space.Mway 0;Space.Frame 0");
    EXPECT_EQ(value("Mway"), " 0");
    EXPECT_EQ(value("Frame"), " 0");
    run("Space.MwayTog;Space.FrameTog");
    EXPECT_EQ(value("Mway"), " 1");
    EXPECT_EQ(value("Frame"), " 1");

    run("Space.StarsStylePrev");
    EXPECT_EQ(value("StarsStyle"), "Textured");
    run("Space.StarsStylePrev");
    EXPECT_EQ(value("StarsStyle"), "PointSprites");
    run("Space.StarsStylePrev");
    EXPECT_EQ(value("StarsStyle"), "Points");
    run("Space.StarsStyleNext");
    EXPECT_EQ(value("StarsStyle"), "PointSprites");
    run("Space.StarsStyleNext");
    EXPECT_EQ(value("StarsStyle"), "Textured");
    EXPECT_EQ(space.getCatalog().getPointSprites(), 0);
    EXPECT_EQ(run("Space.StarsStyle PointSprites"), 1);
    EXPECT_EQ(space.getCatalog().getPointSprites(), 1);
    // An unknown style word changes nothing and succeeds: the rest of its line runs.
    EXPECT_EQ(run("Space.StarsStyle Sparkles;Space.Mway 0"), 1);
    EXPECT_EQ(value("StarsStyle"), "PointSprites");
    EXPECT_EQ(value("Mway"), " 0");
}

TEST_F(SpaceTest, MilkyWayStyleWordsNumbersAndCycles) {
    run("Space.MwayStyle Polygon");
    EXPECT_EQ(value("MwayStyle"), "Polygon");
    run("Space.MwayStyle 1");
    EXPECT_EQ(space.getMilkyWay().getStyle(), MilkyWay::Textured);
    run("Space.MwayStyle Sparkles");
    EXPECT_EQ(space.getMilkyWay().getStyle(), MilkyWay::Polygon);
    run("Space.MwayStyle 2");
    EXPECT_EQ(value("MwayStyle"), "Textured");
    run("Space.MwayStylePrev");
    EXPECT_EQ(value("MwayStyle"), "Polygon");
    run("Space.MwayStyleNext");
    EXPECT_EQ(value("MwayStyle"), "Textured");
}

TEST_F(SpaceTest, DisplaySettings) {
    run("Space.FrameDisp 0 0.5 0.25 1");
    EXPECT_EQ(value("FrameDisp"), " 1 0.5 0.25 1");
    run("Space.FrameDisp -3 0.1 0.2 0.3");
    EXPECT_EQ(value("FrameDisp"), " 1 0.1 0.2 0.3");
    run("Space.FrameDisp 2.5 0.1 0.2 0.3");
    EXPECT_EQ(value("FrameDisp"), " 2.5 0.1 0.2 0.3");
    run("Space.FrameColor 0.3 0.4 0.5");
    EXPECT_EQ(value("FrameColor"), " 0.3 0.4 0.5");
    run("Space.FrameFont DejaVu_Sans 9.5 1");
    EXPECT_EQ(value("FrameFont"), "DejaVu_Sans 9.5 1");
    run("Space.MwayDisp 3 0.2 0.2 0.2");
    EXPECT_EQ(value("MwayDisp"), " 3 0.2 0.2 0.2");
    run("Space.MwayDisp 0 0.2 0.2 0.2");
    EXPECT_EQ(value("MwayDisp"), " 1 0.2 0.2 0.2");
}

TEST_F(SpaceTest, MwayRotStoresTheRotationTheNextDrawReplaces) {
    EXPECT_EQ(run("Space.MwayRot 370 0 0"), 1);
    const Quaternion expected(Vector3(0, 1, 0), 10.0 * 3.141592653589793 / 180.0);
    const Quaternion& stored = space.getMilkyWay().getRotation();
    EXPECT_NEAR(stored.x, expected.x, 1e-12);
    EXPECT_NEAR(stored.y, expected.y, 1e-12);
    EXPECT_NEAR(stored.z, expected.z, 1e-12);
    EXPECT_NEAR(stored.w, expected.w, 1e-12);
}

TEST_F(SpaceTest, StateAndOptionLinesReadBackAsCommands) {
    run("Space.Stars 0;Space.Frame 0;Space.Magnitude 4.5;Space.StarsStyle Textured");
    run("Space.MwayStyle Polygon;Space.MwayTexture mway.jpg;Space.FrameColor 0.5 0.5 0.5");
    EXPECT_EQ(space.saveStates(), "Space.Stars 0\nSpace.Mway 1\nSpace.Frame 0");
    EXPECT_EQ(space.saveOptions(), "Space.Magnitude 4.5\nSpace.FrameDisp 1 0.15 0.15 0.15\n"
                                   "Space.FrameColor 0.5 0.5 0.5\nSpace.FrameFont Arial 12 0\n"
                                   "Space.MwayDisp 7 0.15 0.15 0.15\nSpace.StarsStyle Textured\n"
                                   "Space.MwayStyle Polygon\nSpace.MwayTexture mway.jpg");

    orvextest::TestRoot other;
    Space copy(&other);
    EXPECT_EQ(other.interp.executeLine(space.saveStates()), 1);
    EXPECT_EQ(other.interp.executeLine(space.saveOptions()), 1);
    EXPECT_EQ(copy.saveStates(), space.saveStates());
    EXPECT_EQ(copy.saveOptions(), space.saveOptions());
}

TEST_F(SpaceTest, SpaceFileExtensionChoosesTheReader) {
    EXPECT_EQ(space.loadSpaceFile("stars.txt"), 0);
    EXPECT_TRUE(log.contains("Undefined stars file format."));
    log.clear();
    EXPECT_EQ(space.loadSpaceFile("stars"), 0);
    EXPECT_TRUE(log.contains("Undefined stars file format."));
    EXPECT_EQ(space.loadSpaceFile("missing.dsp"), 0);
    EXPECT_TRUE(log.contains("Could not open space ascii file."));
    EXPECT_FLOAT_EQ(space.getMaxMagnitude(), -1.0f);
}

TEST_F(SpaceTest, HipparcosFileSetsTheLimitAndReadsOnlyNewlyAdmittedGroups) {
    writeDhb(4);
    ASSERT_EQ(space.loadSpaceFile("data/stars/test.dhb"), 1);
    EXPECT_FLOAT_EQ(space.getMaxMagnitude(), 3.0f);
    EXPECT_FLOAT_EQ(space.getMagnitude(), 3.0f);
    ASSERT_EQ(space.getGroups().size(), 4u);
    EXPECT_TRUE(space.getHipparcosReads().empty()); // nothing read before the lists are built

    run("Space.Magnitude 1"); // not built yet: no list, no read
    EXPECT_TRUE(space.getHipparcosReads().empty());
    space.buildLists(0);
    EXPECT_EQ(space.isBuilt(), 0);
    space.buildLists(1);
    EXPECT_EQ(space.getHipparcosReads(), (std::vector<int>{0, 1}));
    run("Space.Magnitude 3");
    EXPECT_EQ(space.getHipparcosReads(), (std::vector<int>{0, 1, 2, 3}));
    run("Space.Magnitude 0;Space.Magnitude 3");
    EXPECT_EQ(space.getHipparcosReads().size(), 4u);
    EXPECT_FLOAT_EQ(space.getGroups()[2].magnitude, 2.0f);
}

TEST_F(SpaceTest, NoSpaceFileMeansNoGroupsAndNoError) {
    space.buildLists(1);
    EXPECT_TRUE(space.getGroups().empty());
    EXPECT_TRUE(log.messages().empty());
    EXPECT_FLOAT_EQ(Space::getStarSize(0.0f), 4.0f);
}
