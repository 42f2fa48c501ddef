// updateForm: the controls from the engine's answers, with nothing sent back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include "OptionFormFixture.h"
#include "ui/QFloatSpinBox.h"

namespace {

using orvextest::OptionFormTest;
using F = OrvexOptionForm;

int steps(const QFloatSpinBox* box) {
    return box->QSpinBox::value();
}

class OptionFormRefill : public OptionFormTest {
protected:
    // Refills and checks that not one line went to the engine.
    void refill() {
        engine.recorded.queries.clear();
        form.updateForm();
        EXPECT_TRUE(lines().empty());
        EXPECT_FALSE(form.isUpdating());
    }
    int comboAfter(QComboBox* F::*combo, const char* name, const char* answer) {
        answers()[name] = answer;
        refill();
        return (form.*combo)->currentIndex();
    }
};

} // namespace

TEST_F(OptionFormRefill, WordAnswersPickTheirItemsAndAnythingElseTheFallback) {
    const struct {
        QComboBox* F::*combo;
        const char* query;
        const char* answer;
        int item;
    } cases[] = {
        {&F::cursorTypeCombo, "Lscape.CursorType", "Arrow", 0},
        {&F::cursorTypeCombo, "Lscape.CursorType", "Light", 1},
        {&F::cursorTypeCombo, "Lscape.CursorType", "Undefined", 2},
        {&F::landscapeTypeCombo, "Lscape.GroundType", "Panorama", 2},
        {&F::landscapeTypeCombo, "Lscape.GroundType", "Mesh", 1},
        {&F::landscapeTypeCombo, "Lscape.GroundType", "mesh", 0},
        {&F::bgStarTypeCombo, "Space.StarsStyle", "Points", 0},
        {&F::bgStarTypeCombo, "Space.StarsStyle", "Textured", 1},
        {&F::bgStarTypeCombo, "Space.StarsStyle", "PointSprites", 2},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", "Textured", 1},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", "Polygon", 0},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", "1", 1},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", "0", 0},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", "Undefined", 0},
        {&F::consoleTypeCombo, "Console.Mode", "NamesOnly", 1},
        {&F::consoleTypeCombo, "Console.Mode", "Default", 0},
        {&F::consoleTypeCombo, "Console.Mode", "TimeOnly", 2},
        {&F::consoleLocaleCombo, "Timer.Mode", "UTC", 0},
        {&F::consoleLocaleCombo, "Timer.Mode", " UTC", 0},
        {&F::consoleLocaleCombo, "Timer.Mode", "Local", 1},
        {&F::drawMethodCombo, "Detail.Draw", "Wire", 0},
        {&F::drawMethodCombo, "Detail.Draw", "Adaptive", 1},
        {&F::meshResCombo, "Detail.Body", "Mid", 1},
        {&F::meshResCombo, "Detail.Body", "Undefined", 2},
        {&F::orbitResCombo, "Detail.Orbit", "Low", 0},
        {&F::orbitResCombo, "Detail.Orbit", "Mid", 1},
        {&F::orbitResCombo, "Detail.Orbit", "High", 2},
        {&F::textureTypeCombo, "Detail.Texture", "None", 0},
        {&F::textureTypeCombo, "Detail.Texture", "Selected", 1},
        {&F::textureTypeCombo, "Detail.Texture", "Always", 2},
        {&F::textureFilterCombo, "Detail.Filter", "Nearest", 0},
        {&F::textureFilterCombo, "Detail.Filter", "Linear", 1},
        {&F::textureResCombo, "Detail.TexDir", "./texturesHigh", 2},
        {&F::textureResCombo, "Detail.TexDir", "./texturesMid", 1},
        {&F::textureResCombo, "Detail.TexDir", "./textures", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(comboAfter(c.combo, c.query, c.answer), c.item)
            << c.query << " answered " << c.answer;
}

TEST_F(OptionFormRefill, NumbersFillSpinBoxesAndChecks) {
    answers() = {
        {"Lscape.CursorSize", " 1.5"},          {"Lscape.Dir", " 1"},
        {"Lscape.KeepDirVisible", " 0"},        {"Space.Magnitude", " 6.5"},
        {"Space.MwayDisp", "3 0.15 0.15 0.15"}, {"Ssystem.AmbientColor", " 0.3 0.3 0.3"},
        {"Lscape.SstarsRandom", " 2"},          {"Lscape.SstarsCount", " 12"},
        {"Lscape.SstarsCenter", " 30 -45"},     {"Console.FPS", " 1"},
        {"Detail.AlphaBlend", "Undefined"},     {"Render.BlurCount", " 8"},
    };
    refill();
    EXPECT_EQ(steps(form.cursorSizeSpin), 15);
    EXPECT_TRUE(form.directionCheck->isChecked());
    EXPECT_FALSE(form.dirVisibleCheck->isChecked());
    EXPECT_EQ(steps(form.bgMagnitudeSpin), 6);
    EXPECT_EQ(steps(form.bgMwayResSpin), 3);
    EXPECT_EQ(steps(form.ambientLevelSpin), 3);
    EXPECT_TRUE(form.sporadicCheck->isChecked());
    EXPECT_EQ(steps(form.sstarFreqSpin), 12);
    EXPECT_FLOAT_EQ(form.sstarRASpin->value(), 30.0f);
    EXPECT_FLOAT_EQ(form.sstarDeclSpin->value(), -45.0f);
    EXPECT_TRUE(form.consoleFPSCheck->isChecked());
    EXPECT_FALSE(form.postfxAlphaCheck->isChecked());
    EXPECT_EQ(steps(form.blurLevelSpin), 8);
}

TEST_F(OptionFormRefill, LabelRowsTakeColourAndSize) {
    answers()["Ssystem.NameColor"] = " 1 0.5 0 1";
    answers()["Ssystem.NameFont"] = "Arial 12.5 1";
    answers()["Console.TextColor"] = " 0.2 0.4 0.6 1";
    answers()["Console.TextFont"] = "Courier_New 20 0";
    refill();
    EXPECT_EQ(F::buttonColor(form.fontPlanetColorButton), QColor(255, 127, 0));
    EXPECT_EQ(steps(form.fontPlanetSpin), 12);
    EXPECT_EQ(F::buttonColor(form.fontConsoleColorButton), QColor(51, 102, 153));
    EXPECT_EQ(steps(form.fontConsoleSpin), 20);
    // Unanswered rows: black, and the smallest size.
    EXPECT_EQ(F::buttonColor(form.fontFstarColorButton), QColor(0, 0, 0));
    EXPECT_EQ(steps(form.fontFstarSpin), 8);
}

TEST_F(OptionFormRefill, LineRowsTakeWidthAndColourFromOneAnswer) {
    answers()["Ssystem.OrbitDisp"] = " 2 1 0.5 0";
    answers()["Constes.SepsDisp"] = "3 0 0 1";
    // Fewer numbers than a line row reads: the missing ones are 0.
    answers()["Space.FrameDisp"] = " 4 1";
    // Out of range components are held to the colour's range.
    answers()["Constes.ArtDisp"] = " 1 2 -1 0.5";
    refill();
    EXPECT_EQ(steps(form.lineOrbitSpin), 2);
    EXPECT_EQ(F::buttonColor(form.lineOrbitColorButton), QColor(255, 127, 0));
    EXPECT_EQ(steps(form.lineConsteBoundSpin), 3);
    EXPECT_EQ(F::buttonColor(form.lineConsteBoundColorButton), QColor(0, 0, 255));
    EXPECT_EQ(steps(form.lineEqCoordSpin), 4);
    EXPECT_EQ(F::buttonColor(form.lineEqCoordColorButton), QColor(255, 0, 0));
    EXPECT_EQ(F::buttonColor(form.lineConstePictColorButton), QColor(255, 0, 127));
}

TEST_F(OptionFormRefill, AsksEveryValueOnceAndLeavesTheBlurComboAlone) {
    form.blurTypeCombo->setCurrentIndex(1);
    lines().clear();
    refill();
    EXPECT_EQ(engine.recorded.queries.size(), 51u);
    EXPECT_EQ(form.blurTypeCombo->currentIndex(), 1);
}

TEST_F(OptionFormRefill, DoesNothingWhileUpdatingOrWithoutAnEngine) {
    answers()["Detail.Orbit"] = "Low";
    answers()["Lscape.Dir"] = " 1";
    form.setUpdating(true);
    form.updateForm();
    form.setUpdating(false);
    EXPECT_TRUE(engine.recorded.queries.empty());
    EXPECT_FALSE(form.directionCheck->isChecked());

    engine.started = false;
    form.updateForm();
    EXPECT_TRUE(engine.recorded.queries.empty());
}

TEST_F(OptionFormRefill, ControlsChangedAfterARefillSendAgain) {
    answers()["Lscape.SstarsCenter"] = " 30 -45";
    refill();
    form.sstarDeclSpin->setValue(10.0f);
    EXPECT_EQ(lines(), std::vector<std::string>{"Lscape.SstarsCenter 30.000000 10.000000"});
}
