// updateForm: every control of the option dialog from the engine's answers.
// Setting a spin box or check box runs its slot; the raised updating flag
// keeps those slots from sending the value back.
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/EngineLink.h"
#include "engine/RealToInt.h"
#include "ui/EngineAnswer.h"
#include "ui/LabelFontText.h"
#include "ui/OptionFormWords.h"
#include "ui/OrvexOptionForm.h"
#include "ui/QFloatSpinBox.h"

namespace {

using EngineAnswer::leadingInt;
using EngineAnswer::leadingReal;
using EngineAnswer::leadingReals;

// The item of the first word the whole answer equals (case matters; leading
// blanks skipped), else the fallback item.
int itemOf(const std::string& answer, std::initializer_list<std::pair<const char*, int>> words,
           int fallback) {
    const std::string given = EngineAnswer::word(answer);
    for (const auto& [word, item] : words)
        if (given == word)
            return item;
    return fallback;
}

// A colour component from a real of 0 to 1: times 255, cut toward zero.
int component(double x) {
    return std::clamp(truncToInt(x * 255.0), 0, 255);
}

QColor colorOf(double red, double green, double blue) {
    return QColor(component(red), component(green), component(blue));
}

} // namespace

void OrvexOptionForm::updateForm() {
    if (updating || !gl_ || !gl_->hasRoot())
        return;
    updating = true;
    refillDisplayPage();
    refillLabelRows();
    refillLineRows();
    updating = false;
}

// The blur type combo is not refilled: it sends nothing, so it keeps the
// user's last choice.
void OrvexOptionForm::refillDisplayPage() {
    cursorTypeCombo->setCurrentIndex(
        itemOf(query("Lscape.CursorType"), {{"Arrow", 0}, {"Light", 1}}, 2));
    cursorSizeSpin->setValue(leadingReal(query("Lscape.CursorSize")));
    landscapeTypeCombo->setCurrentIndex(
        itemOf(query("Lscape.GroundType"), {{"Panorama", 2}, {"Mesh", 1}}, 0));
    directionCheck->setChecked(leadingInt(query("Lscape.Dir")) != 0);
    dirVisibleCheck->setChecked(leadingInt(query("Lscape.KeepDirVisible")) != 0);
    bgStarTypeCombo->setCurrentIndex(
        itemOf(query("Space.StarsStyle"), {{"Points", 0}, {"Textured", 1}}, 2));
    bgMagnitudeSpin->setValue(leadingInt(query("Space.Magnitude")));

    // An older option file may hold the style as a number.
    const std::string mwayStyle = query("Space.MwayStyle");
    bgMwayTypeCombo->setCurrentIndex(
        itemOf(mwayStyle, {{"Polygon", 0}, {"Textured", 1}}, leadingInt(mwayStyle) == 0 ? 0 : 1));
    bgMwayResSpin->setValue(leadingInt(query("Space.MwayDisp")));
    ambientLevelSpin->setValue(leadingReal(query("Ssystem.AmbientColor")));

    sporadicCheck->setChecked(leadingInt(query("Lscape.SstarsRandom")) != 0);
    sstarFreqSpin->setValue(leadingInt(query("Lscape.SstarsCount")));
    const std::vector<double> radiant = leadingReals(query("Lscape.SstarsCenter"), 2);
    sstarDeclSpin->setValue(radiant[1]);
    sstarRASpin->setValue(radiant[0]);

    consoleTypeCombo->setCurrentIndex(
        itemOf(query("Console.Mode"), {{"Default", 0}, {"NamesOnly", 1}}, 2));
    consoleLocaleCombo->setCurrentIndex(itemOf(query("Timer.Mode"), {{"UTC", 0}}, 1));
    consoleFPSCheck->setChecked(leadingInt(query("Console.FPS")) != 0);
    postfxAlphaCheck->setChecked(leadingInt(query("Detail.AlphaBlend")) != 0);
    blurLevelSpin->setValue(leadingInt(query("Render.BlurCount")));

    drawMethodCombo->setCurrentIndex(itemOf(query("Detail.Draw"), {{"Wire", 0}}, 1));
    meshResCombo->setCurrentIndex(itemOf(query("Detail.Body"), {{"Low", 0}, {"Mid", 1}}, 2));
    orbitResCombo->setCurrentIndex(itemOf(query("Detail.Orbit"), {{"Low", 0}, {"Mid", 1}}, 2));
    textureTypeCombo->setCurrentIndex(
        itemOf(query("Detail.Texture"), {{"None", 0}, {"Selected", 1}}, 2));
    textureFilterCombo->setCurrentIndex(itemOf(query("Detail.Filter"), {{"Nearest", 0}}, 1));
    textureResCombo->setCurrentIndex(
        itemOf(query("Detail.TexDir"), {{"./texturesHigh", 2}, {"./texturesMid", 1}}, 0));
}

void OrvexOptionForm::refillLabelRows() {
    for (int i = 0; i < LabelRowCount; ++i) {
        const OptionFormWords::LabelWords& words = OptionFormWords::labels[i];
        const LabelRow& row = labelRows_[std::size_t(i)];
        const std::vector<double> rgb = leadingReals(query(words.color), 3);
        setButtonColor(row.color, colorOf(rgb[0], rgb[1], rgb[2]));
        row.size->setValue(truncToInt(LabelFontText::parseSize(query(words.font))));
    }
}

// A line answer is the width and then the colour.
void OrvexOptionForm::refillLineRows() {
    for (int i = 0; i < LineRowCount; ++i) {
        const LineRow& row = lineRows_[std::size_t(i)];
        const std::string answer = query(OptionFormWords::lines[i]);
        row.width->setValue(leadingInt(answer));
        const std::vector<double> values = leadingReals(answer, 4);
        setButtonColor(row.color, colorOf(values[1], values[2], values[3]));
    }
}
