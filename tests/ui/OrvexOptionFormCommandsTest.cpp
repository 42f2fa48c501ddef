// What the option dialog's controls send: every one of its 76 slots through
// the control wired to it, and the colour and font dialogs' answers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "OptionFormFixture.h"
#include "ui/QFloatSpinBox.h"

namespace {

using orvextest::OptionFormTest;
using orvextest::TestOptionForm;
using F = OrvexOptionForm;
using Action = std::function<void(TestOptionForm&)>;

struct SlotCase {
    std::string slot;
    Action setup;     // runs before the recording starts
    Action act;       // what the user does
    std::string line; // the one line sent, "" for none
};

Action pick(QComboBox* F::*combo, int index) {
    return [=](TestOptionForm& f) { emit(f.*combo)->activated(index); };
}
Action spin(QFloatSpinBox* F::*box, float value) {
    return [=](TestOptionForm& f) { (f.*box)->setValue(value); };
}
Action check(QCheckBox* F::*box) {
    return [=](TestOptionForm& f) { (f.*box)->setChecked(true); };
}
Action click(QAbstractButton* button) {
    return [=](TestOptionForm&) { button->click(); };
}
Action clickTool(QToolButton* F::*button) {
    return [=](TestOptionForm& f) { (f.*button)->click(); };
}
// A value set as the engine's refill would set it: nothing sent.
Action quietly(QFloatSpinBox* F::*box, float value) {
    return [=](TestOptionForm& f) {
        f.setUpdating(true);
        (f.*box)->setValue(value);
        f.setUpdating(false);
    };
}
const Action nothing = [](TestOptionForm&) {};

// The label rows: colour button, size box, font button and their words.
const struct {
    const char* name;
    QToolButton* F::*color;
    QFloatSpinBox* F::*size;
    QToolButton* F::*font;
    const char* colorLine; // for pure red
    const char* fontWord;
} labelRows[] = {
    {"planelLabel", &F::fontPlanetColorButton, &F::fontPlanetSpin, &F::fontPlanetBrowseButton,
     "Ssystem.NameColor 1.000000 0.000000 0.000000 1.000000", "Ssystem.NameFont"},
    {"fstarLabel", &F::fontFstarColorButton, &F::fontFstarSpin, &F::fontFstarBrowseButton,
     "Fstars.NameColor 1.000000 0.000000 0.000000", "Fstars.NameFont"},
    {"galaxyLabel", &F::fontGalaxyColorButton, &F::fontGalaxySpin, &F::fontGalaxyBrowseButton,
     "Galaxies.NameColor 1.000000 0.000000 0.000000", "Galaxies.NameFont"},
    {"consteLabel", &F::fontConsteColorButton, &F::fontConsteSpin, &F::fontConsteBrowseButton,
     "Constes.NameColor 1.000000 0.000000 0.000000", "Constes.NameFont"},
    {"directionLabel", &F::fontDirColorButton, &F::fontDirSpin, &F::fontDirBrowseButton,
     "Lscape.DirColor 1.000000 0.000000 0.000000", "Lscape.DirFont"},
    {"eqCoordLabel", &F::fontEqCoordColorButton, &F::fontEqCoordSpin, &F::fontEqCoordBrowseButton,
     "Space.FrameColor 1.000000 0.000000 0.000000", "Space.FrameFont"},
    {"consoleLabel", &F::fontConsoleColorButton, &F::fontConsoleSpin, &F::fontConsoleBrowseButton,
     "Console.TextColor 1.000000 0.000000 0.000000 1.000000", "Console.TextFont"},
};

// The line rows in the order of their slots.
const struct {
    const char* name;
    QFloatSpinBox* F::*width;
    QToolButton* F::*color;
    const char* word;
} lineRows[] = {
    {"orbitLine", &F::lineOrbitSpin, &F::lineOrbitColorButton, "Ssystem.OrbitDisp"},
    {"hlorbitLine", &F::lineHLOrbitSpin, &F::lineHLOrbitColorButton, "Ssystem.OrbithDisp"},
    {"cometLine", &F::lineCometOrbitSpin, &F::lineCometOrbitColorButton, "Ssystem.CometOrbitDisp"},
    {"asteroidLine", &F::lineAsteroidOrbitSpin, &F::lineAsteroidOrbitColorButton,
     "Ssystem.AsteroidOrbitDisp"},
    {"spinAxisLine", &F::lineSpinAxesSpin, &F::lineSpinAxesColorButton, "Ssystem.AxisDisp"},
    {"protractorsLine", &F::lineProtractorsSpin, &F::lineProtractorsColorButton,
     "Ssystem.AngularDisp"},
    {"eqCoordLine", &F::lineEqCoordSpin, &F::lineEqCoordColorButton, "Space.FrameDisp"},
    {"consteLine", &F::lineConsteSpin, &F::lineConsteColorButton, "Constes.LinesDisp"},
    {"hlconsteLine", &F::lineHLConsteSpin, &F::lineHLConsteColorButton, "Constes.LineshDisp"},
    {"consteBoundLine", &F::lineConsteBoundSpin, &F::lineConsteBoundColorButton,
     "Constes.SepsDisp"},
    {"constePictLine", &F::lineConstePictSpin, &F::lineConstePictColorButton, "Constes.ArtDisp"},
    {"spaceProbeLine", &F::lineSpaceProbeOrbitSpin, &F::lineSpaceProbeOrbitColorButton,
     "Ssystem.SpacecraftOrbitDisp"},
    {"hlconstePictLine", &F::lineHLConstePictSpin, &F::lineHLConstePictColorButton,
     "Constes.ArthDisp"},
};

std::vector<SlotCase> slotCases(TestOptionForm& f) {
    std::vector<SlotCase> cases = {
        {"saveSlot", nothing, click(f.saveButton), "Orvex.SaveOptions Default"},
        {"loadSlot", nothing, click(f.loadButton), "Orvex.LoadOptions Default"},
        {"closeSlot", nothing, click(f.closeButton), ""},
        {"cursorTypeSlot", nothing, pick(&F::cursorTypeCombo, 1), "Lscape.CursorType Light"},
        {"cursorSizeSlot", nothing, spin(&F::cursorSizeSpin, 1.5f), "Lscape.CursorSize 1.500000"},
        {"landscapeTypeSlot", nothing, pick(&F::landscapeTypeCombo, 2),
         "Lscape.GroundType Panorama"},
        {"directionSlot", nothing, check(&F::directionCheck), "Lscape.Dir 1"},
        {"keepDirVisibleSlot", nothing, check(&F::dirVisibleCheck), "Lscape.KeepDirVisible 1"},
        {"starRenderTypeSlot", nothing, pick(&F::bgStarTypeCombo, 2),
         "Space.StarsStyle PointSprites"},
        {"magnitudeSlot", nothing, spin(&F::bgMagnitudeSpin, 6), "Space.Magnitude 6"},
        {"mwayRenderTypeSlot", nothing, pick(&F::bgMwayTypeCombo, 1), "Space.MwayStyle Textured"},
        {"mwayResSlot", nothing, spin(&F::bgMwayResSpin, 5), "Space.MwayDisp 5 0.15 0.15 0.15"},
        {"ambientLevelSlot", nothing, spin(&F::ambientLevelSpin, 0.3f),
         "Ssystem.AmbientColor 0.300000 0.300000 0.300000"},
        {"sporadicSlot", nothing, check(&F::sporadicCheck), "Lscape.SstarsRandom 1"},
        {"sstarFreqSlot", nothing, spin(&F::sstarFreqSpin, 12), "Lscape.SstarsCount 12"},
        {"sstarDeclSlot", quietly(&F::sstarRASpin, -45), spin(&F::sstarDeclSpin, 30),
         "Lscape.SstarsCenter -45.000000 30.000000"},
        {"sstarRASlot",
         [](TestOptionForm& form) {
             quietly(&F::sstarDeclSpin, 30)(form);
             quietly(&F::sstarRASpin, 0)(form);
         },
         spin(&F::sstarRASpin, -45), "Lscape.SstarsCenter -45.000000 30.000000"},
        {"consoleTypeSlot", nothing, pick(&F::consoleTypeCombo, 2), "Console.Mode TimeOnly"},
        {"consoleLocaleSlot", nothing, pick(&F::consoleLocaleCombo, 1), "Timer.Mode Local"},
        {"showFPSSlot", nothing, check(&F::consoleFPSCheck), "Console.FPS 1"},
        {"alphaBlendingSlot", nothing, check(&F::postfxAlphaCheck), "Detail.AlphaBlend 1"},
        {"drawMethodSlot", nothing, pick(&F::drawMethodCombo, 0), "Detail.Draw Wire"},
        {"meshResSlot", nothing, pick(&F::meshResCombo, 1), "Detail.Body Mid"},
        {"orbitResSlot", nothing, pick(&F::orbitResCombo, 2), "Detail.Orbit High"},
        {"textureApplySlot", nothing, pick(&F::textureTypeCombo, 2), "Detail.Texture Always"},
        {"textureFilterSlot", nothing, pick(&F::textureFilterCombo, 1), "Detail.Filter Linear"},
        {"textureResSlot", nothing, pick(&F::textureResCombo, 0), "Detail.TexDir ./texturesLow"},
    };
    for (const auto& row : labelRows) {
        const std::string fontWord = row.fontWord;
        cases.push_back(
            {std::string(row.name) + "ColorSlot", nothing, clickTool(row.color), row.colorLine});
        cases.push_back({std::string(row.name) + "SizeSlot", nothing, spin(row.size, 20),
                         fontWord + " Arial 20.000000 2"});
        cases.push_back({std::string(row.name) + "FontSlot", nothing, clickTool(row.font),
                         fontWord + " Two_Words 16 3"});
    }
    for (const auto& row : lineRows) {
        const std::string word = row.word;
        const auto color = row.color;
        cases.push_back(
            {std::string(row.name) + "WidthSlot",
             [color](TestOptionForm& form) { F::setButtonColor(form.*color, QColor(0, 255, 0)); },
             spin(row.width, 3), word + " 3 0.000000 1.000000 0.000000"});
        cases.push_back({std::string(row.name) + "ColorSlot", quietly(row.width, 2),
                         clickTool(row.color), word + " 2 1.000000 0.000000 0.000000"});
    }
    cases.push_back({"blurTypeSlot", nothing, pick(&F::blurTypeCombo, 1), ""});
    cases.push_back({"blurLevelSlot", nothing, spin(&F::blurLevelSpin, 8), "Render.BlurCount 8"});
    return cases;
}

} // namespace

TEST_F(OptionFormTest, EverySlotSendsItsOneLine) {
    for (const auto& row : labelRows)
        answers()[row.fontWord] = "Arial 12 2";
    chooser->font = QFont("Two Words", 16);
    chooser->font.setBold(true);
    chooser->font.setItalic(true);

    const std::vector<SlotCase> cases = slotCases(form);
    ASSERT_EQ(cases.size(), 76u);
    for (const SlotCase& c : cases) {
        c.setup(form);
        lines().clear();
        c.act(form);
        const std::vector<std::string> expected =
            c.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.line};
        EXPECT_EQ(lines(), expected) << c.slot;
    }
}

TEST_F(OptionFormTest, NothingIsSentOrAskedWhileUpdating) {
    form.setUpdating(true);
    for (const SlotCase& c : slotCases(form))
        c.act(form);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(chooser->colorAsks, 0);
    EXPECT_EQ(chooser->fontAsks, 0);
}

TEST_F(OptionFormTest, ItemsOutsideTheListsSendNothingOrTheLastWord) {
    for (QComboBox* combo :
         {form.cursorTypeCombo, form.landscapeTypeCombo, form.consoleTypeCombo,
          form.consoleLocaleCombo, form.drawMethodCombo, form.meshResCombo, form.orbitResCombo,
          form.textureTypeCombo, form.textureFilterCombo, form.textureResCombo})
        emit combo->activated(7);
    EXPECT_TRUE(lines().empty());
    emit form.bgStarTypeCombo->activated(7);
    emit form.bgMwayTypeCombo->activated(7);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Space.StarsStyle PointSprites",
                                                 "Space.MwayStyle Textured"}));
}

TEST_F(OptionFormTest, ALineColourIsKeptByItsButtonForTheWidth) {
    form.setUpdating(true);
    form.lineOrbitSpin->setValue(2);
    form.setUpdating(false);
    form.lineOrbitColorButton->click();
    EXPECT_EQ(F::buttonColor(form.lineOrbitColorButton), QColor(255, 0, 0));
    form.lineOrbitSpin->setValue(3);
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"Ssystem.OrbitDisp 2 1.000000 0.000000 0.000000",
                                        "Ssystem.OrbitDisp 3 1.000000 0.000000 0.000000"}));
    // The next pick starts from the colour the button holds.
    form.lineOrbitColorButton->click();
    EXPECT_EQ(chooser->initialColor, QColor(255, 0, 0));
}

TEST_F(OptionFormTest, ACancelledColourChangesNothing) {
    F::setButtonColor(form.fontFstarColorButton, QColor(10, 20, 30));
    F::setButtonColor(form.lineConsteColorButton, QColor(40, 50, 60));
    chooser->color = QColor();
    form.fontFstarColorButton->click();
    form.lineConsteColorButton->click();
    EXPECT_EQ(chooser->colorAsks, 2);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(F::buttonColor(form.fontFstarColorButton), QColor(10, 20, 30));
    EXPECT_EQ(F::buttonColor(form.lineConsteColorButton), QColor(40, 50, 60));
}

TEST_F(OptionFormTest, WhiteLabelsAreOnesAndAColourComponentIsAFractionOf255) {
    chooser->color = QColor(255, 255, 255);
    form.fontPlanetColorButton->click();
    chooser->color = QColor(127, 0, 51);
    form.fontGalaxyColorButton->click();
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"Ssystem.NameColor 1.000000 1.000000 1.000000 1.000000",
                                        "Galaxies.NameColor 0.498039 0.000000 0.200000"}));
}

TEST_F(OptionFormTest, AChosenFontSetsItsSizeBoxWithoutASizeLine) {
    answers()["Lscape.DirFont"] = "Times_New_Roman 12 6";
    chooser->font = QFont("Two Words", 16);
    chooser->font.setBold(true);
    chooser->font.setItalic(true);
    form.fontDirBrowseButton->click();
    EXPECT_EQ(lines(), std::vector<std::string>{"Lscape.DirFont Two_Words 16 3"});
    EXPECT_EQ(form.fontDirSpin->QSpinBox::value(), 16);
    EXPECT_FALSE(form.isUpdating());
    // The dialog started from the engine's font.
    EXPECT_EQ(chooser->initialFont.family(), "Times New Roman");
    EXPECT_EQ(chooser->initialFont.pointSize(), 12);
    EXPECT_TRUE(chooser->initialFont.italic());
    EXPECT_TRUE(chooser->initialFont.underline());
    EXPECT_FALSE(chooser->initialFont.bold());
}

TEST_F(OptionFormTest, ACancelledFontLeavesTheSizeBoxAlone) {
    chooser->fontAccepted = false;
    form.fontConsoleBrowseButton->click();
    EXPECT_EQ(chooser->fontAsks, 1);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(form.fontConsoleSpin->QSpinBox::value(), 8);
}

TEST_F(OptionFormTest, ASizeChangeNeedsAFontTextItCanRead) {
    // No answer at all ("Undefined"), a family alone, an empty answer.
    form.fontPlanetSpin->setValue(20);
    answers()["Fstars.NameFont"] = "Arial";
    form.fontFstarSpin->setValue(20);
    answers()["Constes.NameFont"] = "";
    form.fontConsteSpin->setValue(20);
    EXPECT_TRUE(lines().empty());
    // A font text without a style keeps style 0.
    answers()["Galaxies.NameFont"] = "Arial 12";
    form.fontGalaxySpin->setValue(14);
    EXPECT_EQ(lines(), std::vector<std::string>{"Galaxies.NameFont Arial 14.000000 0"});
}

TEST_F(OptionFormTest, SaveClosesTheDialogAndLoadKeepsItOpen) {
    form.show();
    form.loadButton->click();
    EXPECT_TRUE(form.isVisible());
    form.saveButton->click();
    EXPECT_FALSE(form.isVisible());
    form.show();
    form.closeButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"Orvex.LoadOptions Default", "Orvex.SaveOptions Default"}));
}

TEST(OptionForm, SendsNothingWithoutAnEngine) {
    orvextest::FakeEngine stopped(false);
    OrvexOptionForm form;
    form.setGL(&stopped);
    form.saveButton->click();
    form.orbitResCombo->activated(1);
    form.fontPlanetSpin->setValue(20);
    EXPECT_TRUE(stopped.recorded.lines.empty());
    EXPECT_TRUE(stopped.recorded.queries.empty());
}
