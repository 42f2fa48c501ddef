#include "view/Markers.h"

#include <gtest/gtest.h>

#include "ViewWorld.h"
#include "engine/Transition.h"

namespace {

class MarkersTest : public ::testing::Test {
protected:
    MarkersTest() { markers.setSsystem(&world.ssystem); }
    ~MarkersTest() override { Transition::setGlobalMode(Transition::Run); }

    int run(const std::string& line) { return world.root.interp.executeLine(line); }
    MarkerItem& mark(const std::string& name) {
        MarkerItem* m = markers.find(name);
        EXPECT_NE(m, nullptr) << name;
        static MarkerItem none;
        return m ? *m : none;
    }
    static void expectVector(const Vector3& v, double x, double y, double z) {
        EXPECT_DOUBLE_EQ(v.x, x);
        EXPECT_DOUBLE_EQ(v.y, y);
        EXPECT_DOUBLE_EQ(v.z, z);
    }

    orvextest::ViewWorld world;
    Markers markers{&world.root};
};

const char* const registrationOrder[] = {
    "Show",     "ShowTog",  "Clear",      "Add",      "SetText",   "SetLine",    "SetDLine",
    "SetPoint", "SetColor", "SetColorTo", "SetWidth", "SetSize",   "SetJustify", "SetFont",
    "SetShow",  "SetPos2",  "SetPos2To",  "SetPos3",  "SetPos3To",
};

// Each "Set" word, "%s" standing for the mark's name.
const char* const setLines[] = {
    "SetText %s Hello",       "SetLine %s Sun Earth", "SetDLine %s Sun Moon",
    "SetPoint %s 3",          "SetColor %s 1 0 0 1",  "SetColorTo %s 0 1 0 1 10",
    "SetWidth %s 4",          "SetSize %s 5",         "SetJustify %s 5",
    "SetFont %s Serif 20 1",  "SetShow %s 1",         "SetPos2 %s 0.5 0.5",
    "SetPos2To %s 0.1 0.2 5", "SetPos3 %s 1 2 3",     "SetPos3To %s 4 5 6 5",
};

std::string named(const char* pattern, const std::string& name) {
    std::string line = "Markers.";
    line += pattern;
    return line.replace(line.find("%s"), 2, name);
}

} // namespace

TEST_F(MarkersTest, RegistersItsNineteenWordsInTableOrder) {
    const int index = world.root.interp.getClassCount() - 1;
    ASSERT_EQ(world.root.interp.getClassName(index), "Markers");
    ASSERT_EQ(world.root.interp.getCommandCount(index), 19);
    for (int j = 0; j < 19; ++j) {
        EXPECT_EQ(world.root.interp.getCommandName(index, j), registrationOrder[j]);
        EXPECT_TRUE(world.root.interp.isCommandListed(index, j));
    }
}

TEST_F(MarkersTest, SetWordsNeedAnExistingMark) {
    for (const char* pattern : setLines) {
        LogCapture log;
        EXPECT_EQ(run(named(pattern, "Nobody")), 0) << pattern;
        EXPECT_TRUE(log.contains("Command Error : Markers.")) << pattern;
    }
    EXPECT_TRUE(markers.getItems().empty());
    ASSERT_EQ(run("Markers.Add M"), 1);
    for (const char* pattern : setLines)
        EXPECT_EQ(run(named(pattern, "M")), 1) << pattern;
    EXPECT_EQ(run(named(setLines[0], "m")), 0); // names are case-sensitive
    EXPECT_EQ(run("Markers.Bogus M"), 0);
    EXPECT_EQ(world.root.getCommandValue("Markers.SetShow"), "Undefined");
}

TEST_F(MarkersTest, AddMakesAnInvisibleWhiteTextOfItsName) {
    ASSERT_EQ(run("Markers.Add Label"), 1);
    ASSERT_EQ(markers.getItems().size(), 1u);
    MarkerItem& m = mark("Label");
    EXPECT_EQ(m.text, "Label");
    EXPECT_EQ(m.kind, MarkerItem::Text);
    EXPECT_EQ(m.inWorld, 1);
    EXPECT_EQ(m.visible, 0);
    EXPECT_EQ(m.pointSize, 1.0);
    EXPECT_EQ(m.lineWidth, 2.0);
    const double* c = m.color.getValue();
    EXPECT_EQ(c[0] + c[1] + c[2] + c[3], 4.0);
    expectVector(m.position.getValue(), 0, 0, 0);
    ASSERT_NE(m.font, nullptr);
    EXPECT_EQ(m.font->getAlign(), 1);
    EXPECT_TRUE(m.listStale);

    // A missing name gives a mark with the empty name.
    ASSERT_EQ(run("Markers.Add"), 1);
    EXPECT_NE(markers.find(""), nullptr);
}

TEST_F(MarkersTest, AddOnAnExistingMarkResetsItButKeepsPlaceFontAndAnchor) {
    run("Markers.Add P;Markers.SetPos3 P 1 2 3;Markers.SetJustify P 9;"
        "Markers.SetFont P Serif 20 1;Markers.SetColor P 1 0 0 0.5;Markers.SetShow P 1;"
        "Markers.SetPoint P 4;Markers.SetDLine P Sun Moon;Markers.SetText P other");
    const MarkerItem* before = markers.find("P");
    ASSERT_EQ(run("Markers.Add P"), 1);
    ASSERT_EQ(markers.getItems().size(), 1u);
    MarkerItem& m = mark("P");
    EXPECT_EQ(&m, before);
    EXPECT_EQ(m.text, "P");
    EXPECT_EQ(m.kind, MarkerItem::Text);
    EXPECT_EQ(m.visible, 0);
    EXPECT_EQ(m.pointSize, 1.0);
    EXPECT_EQ(m.color.getValue()[1], 1.0);
    expectVector(m.position.getValue(), 1, 2, 3);
    EXPECT_EQ(m.font->getAlign(), 9);
    EXPECT_EQ(m.font->getFontSpec(), "Serif 20 1");
    EXPECT_EQ(m.fromName, "Sun");
    EXPECT_EQ(m.toName, "Moon");
}

TEST_F(MarkersTest, WordsSetTheirFields) {
    run("Markers.Add M");
    MarkerItem& m = mark("M");
    run("Markers.SetText M  two words <br>and more ;Markers.SetWidth M 3.5;Markers.SetSize M 7");
    EXPECT_EQ(m.text, "two words <br>and more ");
    EXPECT_EQ(m.lineWidth, 3.5);
    EXPECT_EQ(m.pointSize, 7.0);
    run("Markers.SetPoint M");
    EXPECT_EQ(m.kind, MarkerItem::Point);
    EXPECT_EQ(m.pointSize, 0.0); // a missing size reads as 0
    run("Markers.SetColor M");
    EXPECT_EQ(m.color.getValue()[3], 0.0); // transparent black
    run("Markers.SetShow M 2");
    EXPECT_EQ(m.visible, 2);
    run("Markers.SetShow M");
    EXPECT_EQ(m.visible, 0);
    run("Markers.SetPos3 M 1e999 nan 2");
    expectVector(m.position.getValue(), 0, 0, 2); // no number that is not finite
}

TEST_F(MarkersTest, AnEmptyTextLeavesTheNextCommandAlone) {
    run("Markers.Add A;Markers.Add B");
    EXPECT_EQ(run("Markers.SetText A;Markers.SetShow B 1"), 1);
    EXPECT_EQ(mark("A").text, "");
    EXPECT_EQ(mark("B").visible, 1);
    EXPECT_EQ(run("Markers.SetText B\tline one\r\nMarkers.SetShow A 1"), 1);
    EXPECT_EQ(mark("B").text, "line one");
    EXPECT_EQ(mark("A").visible, 1);
}

TEST_F(MarkersTest, AnchorCodesOutsideOneToNineAreTheDefault) {
    run("Markers.Add M");
    for (const auto& [code, align] : {std::pair{5, 5}, {9, 9}, {1, 1}, {0, 1}, {10, 1}, {-3, 1}}) {
        run("Markers.SetJustify M " + std::to_string(code));
        EXPECT_EQ(mark("M").font->getAlign(), align) << code;
    }
}

TEST_F(MarkersTest, ScreenAndWorldPositions) {
    run("Markers.Add W;Markers.SetPos3 W 1 2 3");
    EXPECT_TRUE(markers.hasPos3("W"));
    expectVector(markers.getPos3("W"), 1, 2, 3);
    // A point made a screen mark: no longer in the world.
    run("Markers.SetPoint W 2;Markers.SetPos2 W 0.5 0.25");
    EXPECT_EQ(mark("W").inWorld, 0);
    expectVector(mark("W").position.getValue(), 0.5, 0.25, 0);
    EXPECT_FALSE(markers.hasPos3("W"));
    expectVector(markers.getPos3("W"), 0, 0, 0);
    EXPECT_FALSE(markers.hasPos3("Nobody"));
    expectVector(markers.getPos3("Nobody"), 0, 0, 0);
    run("Markers.SetPoint W 2");
    EXPECT_TRUE(markers.hasPos3("W"));
}

TEST_F(MarkersTest, PositionsAndColoursMoveOverNominalFrames) {
    run("Markers.Add M;Markers.SetPos3 M 0 0 0;Markers.SetPos3To M 10 20 30 4");
    MarkerItem& m = mark("M");
    Transition::tickAll(1.0);
    expectVector(m.position.getValue(), 2.5, 5, 7.5);
    Transition::tickAll(3.0);
    expectVector(m.position.getValue(), 10, 20, 30);
    run("Markers.SetPos2To M 1 1 0"); // 0 frames count as 1
    EXPECT_EQ(m.inWorld, 0);
    Transition::tickAll(1.0);
    expectVector(m.position.getValue(), 1, 1, 0);
    run("Markers.SetColorTo M 0 0 0 0 2");
    Transition::tickAll(1.0);
    EXPECT_DOUBLE_EQ(m.color.getValue()[0], 0.5);
    run("Markers.SetColor M 0 0 1 1"); // ends the change at once
    Transition::tickAll(1.0);
    EXPECT_EQ(m.color.getValue()[2], 1.0);
    EXPECT_EQ(m.color.getValue()[0], 0.0);
}

TEST_F(MarkersTest, LinesTakeBodiesThenWorldMarks) {
    run("Markers.Add Tip;Markers.SetPos3 Tip 1 1 1;Markers.Add Flat;Markers.SetPos2 Flat 1 1");
    const Vector3 sun = world.ssystem.getTransByName("Sun");
    const Vector3 earth = world.ssystem.getTransByName("Earth");
    ASSERT_GT((earth - sun).length(), 0.0);
    EXPECT_EQ((markers.objectPosition("Earth") - earth).length(), 0.0);
    expectVector(markers.objectPosition("Tip"), 1, 1, 1);
    expectVector(markers.objectPosition("Flat"), 0, 0, 0); // a screen mark
    expectVector(markers.objectPosition("Nothing"), 0, 0, 0);

    run("Markers.Add L;Markers.SetPos2 L 0.5 0.5;Markers.SetLine L Sun Tip");
    MarkerItem& l = mark("L");
    EXPECT_EQ(l.kind, MarkerItem::Line);
    EXPECT_EQ(l.inWorld, 1);
    EXPECT_EQ((l.position.getValue() - sun).length(), 0.0);
    expectVector(l.endPosition.getValue(), 1, 1, 1);
    // Taken once: the line stays when its object moves.
    run("Markers.SetPos3 Tip 5 5 5");
    expectVector(l.endPosition.getValue(), 1, 1, 1);

    // An end that is moving keeps moving to its target.
    run("Markers.SetPos3To L 9 9 9 10");
    Transition::tickAll(1.0);
    run("Markers.SetLine L Tip Tip");
    Transition::tickAll(9.0);
    expectVector(l.position.getValue(), 9, 9, 9);
    expectVector(l.endPosition.getValue(), 5, 5, 5);

    run("Markers.SetDLine L Earth Tip");
    EXPECT_EQ(l.kind, MarkerItem::DynamicLine);
    EXPECT_EQ(l.fromName, "Earth");
    EXPECT_EQ(l.toName, "Tip");
}

TEST_F(MarkersTest, AHiddenBodyFallsBackToAWorldMarkOfItsName) {
    run("Markers.Add Mars;Markers.SetPos3 Mars 7 8 9");
    const Vector3 mars = world.ssystem.getTransByName("Mars");
    EXPECT_EQ((markers.objectPosition("Mars") - mars).length(), 0.0);
    world.ssystem.simMode(1); // Mars is hidden in the second sim mode
    ASSERT_EQ(world.ssystem.isBodyShown("Mars"), 0);
    expectVector(markers.objectPosition("Mars"), 7, 8, 9);
}

TEST_F(MarkersTest, ShowClearValuesAndStateLines) {
    EXPECT_EQ(markers.isShown(), 1);
    EXPECT_EQ(world.root.getCommandValue("Markers.Show"), " 1");
    EXPECT_EQ(markers.saveStates(), "Markers.Clear\nMarkers.Show 1");
    EXPECT_EQ(markers.saveOptions(), "");
    run("Markers.Show 0");
    EXPECT_EQ(world.root.getCommandValue("Markers.Show"), " 0");
    run("Markers.ShowTog");
    EXPECT_EQ(markers.isShown(), 1);
    run("Markers.Show 3;Markers.ShowTog");
    EXPECT_EQ(markers.saveStates(), "Markers.Clear\nMarkers.Show 0");
    EXPECT_EQ(world.root.getCommandValue("Markers.Add"), "Undefined");

    // Loading the state lines removes every mark.
    run("Markers.Add A;Markers.Add B");
    ASSERT_EQ(markers.getItems().size(), 2u);
    world.root.runScript(markers.saveStates(), 1);
    EXPECT_TRUE(markers.getItems().empty());
    EXPECT_EQ(markers.isShown(), 0);
}
