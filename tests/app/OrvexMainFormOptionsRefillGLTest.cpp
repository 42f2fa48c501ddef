// The option dialog against the real engine of the GL window: opened from
// the control panel, every control shows the engine's value.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <cmath>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "ui/OptionFormWords.h"
#include "ui/OrvexOptionForm.h"
#include "ui/QFloatSpinBox.h"

namespace {

std::vector<double> reals(const std::string& answer) {
    std::istringstream in(answer);
    std::vector<double> values;
    for (double x; in >> x;)
        values.push_back(x);
    return values;
}

// A colour as the buttons hold it: each real times 255, cut.
QColor colorOf(const std::vector<double>& values, std::size_t first) {
    return QColor(int(values.at(first) * 255), int(values.at(first + 1) * 255),
                  int(values.at(first + 2) * 255));
}

} // namespace

TEST(MainFormOptionsRefillGL, EveryControlShowsTheEnginesValueWhenTheDialogOpens) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({"scenarios"});
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    EngineLink* engine = windows.engine();
    OrvexOptionForm* options = windows.form.optionForm;
    using F = OrvexOptionForm;

    // Every word of the dialog away from its value at start.
    const struct {
        const char* word;
        const char* value;
    } settings[] = {
        {"Lscape.CursorType", "Light"},
        {"Lscape.CursorSize", "1.5"},
        {"Lscape.GroundType", "Mesh"},
        {"Lscape.Dir", "0"},
        {"Lscape.KeepDirVisible", "1"},
        {"Space.StarsStyle", "PointSprites"},
        {"Space.Magnitude", "4"},
        {"Space.MwayStyle", "Polygon"},
        {"Space.MwayDisp", "5 0.15 0.15 0.15"},
        {"Ssystem.AmbientColor", "0.3 0.3 0.3"},
        {"Lscape.SstarsCenter", "270 -30.5"},
        {"Lscape.SstarsRandom", "1"},
        {"Lscape.SstarsCount", "20"},
        {"Console.Mode", "NamesOnly"},
        {"Timer.Mode", "UTC"},
        {"Console.FPS", "1"},
        {"Detail.AlphaBlend", "0"},
        {"Render.BlurCount", "8"},
        {"Detail.Draw", "Wire"},
        {"Detail.Body", "High"},
        {"Detail.Orbit", "Mid"},
        {"Detail.Texture", "Selected"},
        {"Detail.Filter", "Nearest"},
        {"Detail.TexDir", "./texturesMid"},
    };
    for (const auto& setting : settings) {
        const std::string before = engine->getCommandValue(setting.word);
        ASSERT_EQ(engine->processScenarioLine(std::string(setting.word) + " " + setting.value), 1)
            << setting.word;
        // The radiant resets the random switch given before it.
        if (std::string(setting.word) != "Lscape.SstarsRandom") {
            EXPECT_NE(engine->getCommandValue(setting.word), before) << setting.word;
        }
    }
    for (const auto& words : OptionFormWords::labels) {
        ASSERT_EQ(engine->processScenarioLine(std::string(words.color) + " 0.2 0.4 0.6" +
                                              (words.colorHasAlpha ? " 1" : "")),
                  1);
        ASSERT_EQ(engine->processScenarioLine(std::string(words.font) + " DejaVu_Sans 17 0"), 1);
    }
    for (const char* word : OptionFormWords::lines)
        ASSERT_EQ(engine->processScenarioLine(std::string(word) + " 3 1 0.5 0.25"), 1);

    windows.form.detailButton->click();
    ASSERT_TRUE(options->isVisible());
    auto answer = [engine](const char* word) { return engine->getCommandValue(word); };

    // Each combo's items stand for the engine's words in this order.
    const struct {
        QComboBox* F::*combo;
        const char* word;
        std::vector<std::string> items;
    } combos[] = {
        {&F::cursorTypeCombo, "Lscape.CursorType", {"Arrow", "Light", "Annotate"}},
        {&F::landscapeTypeCombo, "Lscape.GroundType", {"Horizon", "Mesh", "Panorama"}},
        {&F::bgStarTypeCombo, "Space.StarsStyle", {"Points", "Textured", "PointSprites"}},
        {&F::bgMwayTypeCombo, "Space.MwayStyle", {"Polygon", "Textured"}},
        {&F::consoleTypeCombo, "Console.Mode", {"Default", "NamesOnly", "TimeOnly"}},
        {&F::consoleLocaleCombo, "Timer.Mode", {"UTC", "Local"}},
        {&F::drawMethodCombo, "Detail.Draw", {"Wire", "Solid"}},
        {&F::meshResCombo, "Detail.Body", {"Low", "Mid", "High"}},
        {&F::orbitResCombo, "Detail.Orbit", {"Low", "Mid", "High"}},
        {&F::textureTypeCombo, "Detail.Texture", {"None", "Selected", "Always"}},
        {&F::textureFilterCombo, "Detail.Filter", {"Nearest", "Linear"}},
        {&F::textureResCombo,
         "Detail.TexDir",
         {"./texturesLow", "./texturesMid", "./texturesHigh"}},
    };
    for (const auto& c : combos) {
        const int item = (options->*c.combo)->currentIndex();
        ASSERT_GE(item, 0) << c.word;
        // Some words answer behind a blank.
        std::string word;
        std::istringstream(answer(c.word)) >> word;
        EXPECT_EQ(c.items.at(std::size_t(item)), word) << c.word;
    }

    const struct {
        QCheckBox* F::*check;
        const char* word;
    } checks[] = {{&F::directionCheck, "Lscape.Dir"},
                  {&F::dirVisibleCheck, "Lscape.KeepDirVisible"},
                  {&F::sporadicCheck, "Lscape.SstarsRandom"},
                  {&F::consoleFPSCheck, "Console.FPS"},
                  {&F::postfxAlphaCheck, "Detail.AlphaBlend"}};
    for (const auto& c : checks)
        EXPECT_EQ((options->*c.check)->isChecked(), reals(answer(c.word)).at(0) != 0) << c.word;

    // Spin boxes show the engine's first number (RA: the same angle).
    const struct {
        QFloatSpinBox* F::*spin;
        const char* word;
        std::size_t index;
        double turn;
    } spins[] = {
        {&F::cursorSizeSpin, "Lscape.CursorSize", 0, 0},
        {&F::bgMagnitudeSpin, "Space.Magnitude", 0, 0},
        {&F::bgMwayResSpin, "Space.MwayDisp", 0, 0},
        {&F::ambientLevelSpin, "Ssystem.AmbientColor", 0, 0},
        {&F::sstarFreqSpin, "Lscape.SstarsCount", 0, 0},
        {&F::sstarRASpin, "Lscape.SstarsCenter", 0, 360},
        {&F::sstarDeclSpin, "Lscape.SstarsCenter", 1, 0},
        {&F::blurLevelSpin, "Render.BlurCount", 0, 0},
    };
    for (const auto& s : spins) {
        double difference = (options->*s.spin)->value() - reals(answer(s.word)).at(s.index);
        if (s.turn > 0)
            difference = std::remainder(difference, s.turn);
        EXPECT_NEAR(difference, 0.0, 1e-4) << s.word;
    }

    // The rows in the order of their words.
    const struct {
        QFloatSpinBox* F::*size;
        QToolButton* F::*color;
    } labels[] = {
        {&F::fontPlanetSpin, &F::fontPlanetColorButton},
        {&F::fontFstarSpin, &F::fontFstarColorButton},
        {&F::fontGalaxySpin, &F::fontGalaxyColorButton},
        {&F::fontConsteSpin, &F::fontConsteColorButton},
        {&F::fontDirSpin, &F::fontDirColorButton},
        {&F::fontEqCoordSpin, &F::fontEqCoordColorButton},
        {&F::fontConsoleSpin, &F::fontConsoleColorButton},
    };
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        const OptionFormWords::LabelWords& words = OptionFormWords::labels[i];
        EXPECT_EQ(F::buttonColor(options->*labels[i].color), colorOf(reals(answer(words.color)), 0))
            << words.color;
        const std::string font = answer(words.font);
        EXPECT_EQ((options->*labels[i].size)->QSpinBox::value(),
                  int(reals(font.substr(font.find(' '))).at(0)))
            << words.font;
    }
    const struct {
        QFloatSpinBox* F::*width;
        QToolButton* F::*color;
    } lines[] = {
        {&F::lineOrbitSpin, &F::lineOrbitColorButton},
        {&F::lineHLOrbitSpin, &F::lineHLOrbitColorButton},
        {&F::lineCometOrbitSpin, &F::lineCometOrbitColorButton},
        {&F::lineAsteroidOrbitSpin, &F::lineAsteroidOrbitColorButton},
        {&F::lineSpaceProbeOrbitSpin, &F::lineSpaceProbeOrbitColorButton},
        {&F::lineSpinAxesSpin, &F::lineSpinAxesColorButton},
        {&F::lineProtractorsSpin, &F::lineProtractorsColorButton},
        {&F::lineEqCoordSpin, &F::lineEqCoordColorButton},
        {&F::lineConsteSpin, &F::lineConsteColorButton},
        {&F::lineHLConsteSpin, &F::lineHLConsteColorButton},
        {&F::lineConstePictSpin, &F::lineConstePictColorButton},
        {&F::lineHLConstePictSpin, &F::lineHLConstePictColorButton},
        {&F::lineConsteBoundSpin, &F::lineConsteBoundColorButton},
    };
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        const std::vector<double> values = reals(answer(OptionFormWords::lines[i]));
        EXPECT_EQ((options->*lines[i].width)->QSpinBox::value(), int(values.at(0)))
            << OptionFormWords::lines[i];
        EXPECT_EQ(F::buttonColor(options->*lines[i].color), colorOf(values, 1))
            << OptionFormWords::lines[i];
    }
    options->closeButton->click();
}
