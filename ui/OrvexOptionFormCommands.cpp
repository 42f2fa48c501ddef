// What the option dialog's controls send: one command line per change, built
// from the control's value (numbers in the C locale), and Save, Load, Close.
#include <QComboBox>
#include <QMessageBox>
#include <QToolButton>
#include <QVariant>
#include <initializer_list>

#include "app/EngineLink.h"
#include "app/EngineSave.h"
#include "ui/ColorFontChooser.h"
#include "ui/LabelFontText.h"
#include "ui/OptionFormWords.h"
#include "ui/OrvexOptionForm.h"
#include "ui/QFloatSpinBox.h"

namespace {

// Colours travel as reals from 0 to 1: each 8-bit component times 1/255 in
// single precision, so that 255 gives 1.000000.
constexpr float colorUnit = 0.003921569f;

const char* const colorProperty = "orvexColor";

QString colorArgs(const QColor& color) {
    return QString::asprintf("%f %f %f", double(color.red() * colorUnit),
                             double(color.green() * colorUnit), double(color.blue() * colorUnit));
}

// The word of a combo item, or none for an index outside the list.
const char* itemWord(std::initializer_list<const char*> words, int index) {
    if (index < 0 || index >= int(words.size()))
        return nullptr;
    return words.begin()[index];
}

} // namespace

QColor OrvexOptionForm::buttonColor(const QToolButton* button) {
    const QVariant color = button->property(colorProperty);
    return color.isValid() ? color.value<QColor>() : button->palette().color(QPalette::Button);
}

void OrvexOptionForm::setButtonColor(QToolButton* button, const QColor& color) {
    button->setProperty(colorProperty, color);
    // A style sheet of its own keeps the colour shown whatever the style.
    button->setStyleSheet(
        QStringLiteral("QToolButton { background-color: %1; border: 1px solid palette(dark); }")
            .arg(color.name()));
}

void OrvexOptionForm::send(const QString& line) {
    if (gl_)
        gl_->processScenarioLine(EngineLink::toEngineText(line));
}

std::string OrvexOptionForm::query(const char* name) const {
    return gl_ ? gl_->getCommandValue(name) : std::string();
}

void OrvexOptionForm::saveSlot() {
    if (updating)
        return;
    const QString failure = runEngineSave(gl_, "Orvex.SaveOptions Default");
    if (failure.isEmpty()) {
        close();
        return;
    }
    // The dialog stays open: its settings are in effect but not on disk.
    QMessageBox::warning(this, tr("Orvex Studio"),
                         tr("The options could not be saved.") + QLatin1Char('\n') + failure);
}

void OrvexOptionForm::loadSlot() {
    if (updating)
        return;
    // The controls show the loaded values the next time the dialog is opened.
    send(QStringLiteral("Orvex.LoadOptions Default"));
}

void OrvexOptionForm::closeSlot() {
    if (updating)
        return;
    close();
}

void OrvexOptionForm::cursorTypeSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Arrow", "Light", "Annotate"}, index))
        send(QStringLiteral("Lscape.CursorType ") + word);
}

void OrvexOptionForm::cursorSizeSlot() {
    if (updating)
        return;
    send(QString::asprintf("Lscape.CursorSize %f", double(cursorSizeSpin->value())));
}

void OrvexOptionForm::landscapeTypeSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Horizon", "Mesh", "Panorama"}, index))
        send(QStringLiteral("Lscape.GroundType ") + word);
}

void OrvexOptionForm::directionSlot(bool on) {
    if (updating)
        return;
    send(on ? QStringLiteral("Lscape.Dir 1") : QStringLiteral("Lscape.Dir 0"));
}

void OrvexOptionForm::keepDirVisibleSlot(bool on) {
    if (updating)
        return;
    send(on ? QStringLiteral("Lscape.KeepDirVisible 1")
            : QStringLiteral("Lscape.KeepDirVisible 0"));
}

void OrvexOptionForm::starRenderTypeSlot(int index) {
    if (updating)
        return;
    const char* word = index == 0 ? "Points" : index == 1 ? "Textured" : "PointSprites";
    send(QStringLiteral("Space.StarsStyle ") + word);
}

void OrvexOptionForm::magnitudeSlot(int value) {
    if (updating)
        return;
    send(QString::asprintf("Space.Magnitude %i", value));
}

void OrvexOptionForm::mwayRenderTypeSlot(int index) {
    if (updating)
        return;
    send(index == 0 ? QStringLiteral("Space.MwayStyle Polygon")
                    : QStringLiteral("Space.MwayStyle Textured"));
}

void OrvexOptionForm::mwayResSlot(int value) {
    if (updating)
        return;
    // The Milky Way keeps its usual grey.
    send(QString::asprintf("Space.MwayDisp %i 0.15 0.15 0.15", value));
}

void OrvexOptionForm::ambientLevelSlot() {
    if (updating)
        return;
    const double level = ambientLevelSpin->value();
    send(QString::asprintf("Ssystem.AmbientColor %f %f %f", level, level, level));
}

void OrvexOptionForm::sporadicSlot(bool on) {
    if (updating)
        return;
    send(on ? QStringLiteral("Lscape.SstarsRandom 1") : QStringLiteral("Lscape.SstarsRandom 0"));
}

void OrvexOptionForm::sstarFreqSlot(int value) {
    if (updating)
        return;
    send(QString::asprintf("Lscape.SstarsCount %i", value));
}

// Either box of the radiant sends the whole point, right ascension first.
void OrvexOptionForm::sendRadiant() {
    send(QString::asprintf("Lscape.SstarsCenter %f %f", double(sstarRASpin->value()),
                           double(sstarDeclSpin->value())));
}

void OrvexOptionForm::sstarDeclSlot() {
    if (updating)
        return;
    sendRadiant();
}

void OrvexOptionForm::sstarRASlot() {
    if (updating)
        return;
    sendRadiant();
}

void OrvexOptionForm::consoleTypeSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Default", "NamesOnly", "TimeOnly"}, index))
        send(QStringLiteral("Console.Mode ") + word);
}

void OrvexOptionForm::consoleLocaleSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"UTC", "Local"}, index))
        send(QStringLiteral("Timer.Mode ") + word);
}

void OrvexOptionForm::showFPSSlot(bool on) {
    if (updating)
        return;
    send(on ? QStringLiteral("Console.FPS 1") : QStringLiteral("Console.FPS 0"));
}

void OrvexOptionForm::alphaBlendingSlot(bool on) {
    if (updating)
        return;
    send(on ? QStringLiteral("Detail.AlphaBlend 1") : QStringLiteral("Detail.AlphaBlend 0"));
}

void OrvexOptionForm::drawMethodSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Wire", "Solid"}, index))
        send(QStringLiteral("Detail.Draw ") + word);
}

void OrvexOptionForm::meshResSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Low", "Mid", "High"}, index))
        send(QStringLiteral("Detail.Body ") + word);
}

void OrvexOptionForm::orbitResSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Low", "Mid", "High"}, index))
        send(QStringLiteral("Detail.Orbit ") + word);
}

void OrvexOptionForm::textureApplySlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"None", "Selected", "Always"}, index))
        send(QStringLiteral("Detail.Texture ") + word);
}

void OrvexOptionForm::textureFilterSlot(int index) {
    if (updating)
        return;
    if (const char* word = itemWord({"Nearest", "Linear"}, index))
        send(QStringLiteral("Detail.Filter ") + word);
}

void OrvexOptionForm::textureResSlot(int index) {
    if (updating)
        return;
    if (const char* dir = itemWord({"./texturesLow", "./texturesMid", "./texturesHigh"}, index))
        send(QStringLiteral("Detail.TexDir ") + dir);
}

// The engine has no command for the blur type: choosing one sends nothing.
void OrvexOptionForm::blurTypeSlot(int) {}

void OrvexOptionForm::blurLevelSlot(int value) {
    if (updating)
        return;
    send(QString::asprintf("Render.BlurCount %i", value));
}

void OrvexOptionForm::labelColor(int row) {
    if (updating)
        return;
    QToolButton* button = labelRows_[std::size_t(row)].color;
    const QColor color = chooser_->chooseColor(buttonColor(button), this);
    if (!color.isValid())
        return;
    setButtonColor(button, color);
    const OptionFormWords::LabelWords& words = OptionFormWords::labels[row];
    QString line = QString::fromLatin1(words.color) + ' ' + colorArgs(color);
    if (words.colorHasAlpha)
        line += QStringLiteral(" 1.000000");
    send(line);
}

// The engine's font at a new size, family and style kept; nothing when its
// font text cannot be read.
void OrvexOptionForm::labelSize(int row, int points) {
    if (updating || !gl_)
        return;
    const char* word = OptionFormWords::labels[row].font;
    const auto font = LabelFontText::parse(query(word));
    if (!font)
        return;
    gl_->processScenarioLine(std::string(word) + ' ' + font->withSize(points));
}

void OrvexOptionForm::labelFont(int row) {
    if (updating)
        return;
    const int points = chooseFont(OptionFormWords::labels[row].font);
    if (points <= 0)
        return;
    // The font line carried the size already.
    updating = true;
    labelRows_[std::size_t(row)].size->setValue(points);
    updating = false;
}

int OrvexOptionForm::chooseFont(const char* fontWord) {
    const auto current = LabelFontText::parse(query(fontWord));
    const QFont initial = current ? current->toFont() : QFont();
    QFont chosen;
    if (!chooser_->chooseFont(chosen, initial, nullptr))
        return -1;
    if (gl_)
        gl_->processScenarioLine(std::string(fontWord) + ' ' + LabelFontText::fromFont(chosen));
    return chosen.pointSize();
}

void OrvexOptionForm::sendLine(int row, int width, const QColor& color) {
    send(QString::fromLatin1(OptionFormWords::lines[row]) + QString::asprintf(" %i ", width) +
         colorArgs(color));
}

void OrvexOptionForm::lineWidth(int row, int width) {
    if (updating)
        return;
    sendLine(row, width, buttonColor(lineRows_[std::size_t(row)].color));
}

void OrvexOptionForm::lineColor(int row) {
    if (updating)
        return;
    const LineRow& line = lineRows_[std::size_t(row)];
    const QColor color = chooser_->chooseColor(buttonColor(line.color), this);
    if (!color.isValid())
        return;
    setButtonColor(line.color, color);
    sendLine(row, line.width->QSpinBox::value(), color);
}

void OrvexOptionForm::planelLabelColorSlot() {
    labelColor(PlanetLabels);
}
void OrvexOptionForm::planelLabelSizeSlot(int size) {
    labelSize(PlanetLabels, size);
}
void OrvexOptionForm::planetLabelFontSlot() {
    labelFont(PlanetLabels);
}
void OrvexOptionForm::fstarLabelColorSlot() {
    labelColor(FstarLabels);
}
void OrvexOptionForm::fstarLabelSizeSlot(int size) {
    labelSize(FstarLabels, size);
}
void OrvexOptionForm::fstarLabelFontSlot() {
    labelFont(FstarLabels);
}
void OrvexOptionForm::galaxyLabelColorSlot() {
    labelColor(GalaxyLabels);
}
void OrvexOptionForm::galaxyLabelSizeSlot(int size) {
    labelSize(GalaxyLabels, size);
}
void OrvexOptionForm::galaxyLabelFontSlot() {
    labelFont(GalaxyLabels);
}
void OrvexOptionForm::consteLabelColorSlot() {
    labelColor(ConsteLabels);
}
void OrvexOptionForm::consteLabelSizeSlot(int size) {
    labelSize(ConsteLabels, size);
}
void OrvexOptionForm::consteLabelFontSlot() {
    labelFont(ConsteLabels);
}
void OrvexOptionForm::directionLabelColorSlot() {
    labelColor(DirLabels);
}
void OrvexOptionForm::directionLabelSizeSlot(int size) {
    labelSize(DirLabels, size);
}
void OrvexOptionForm::directionLabelFontSlot() {
    labelFont(DirLabels);
}
void OrvexOptionForm::eqCoordLabelColorSlot() {
    labelColor(EqCoordLabels);
}
void OrvexOptionForm::eqCoordLabelSizeSlot(int size) {
    labelSize(EqCoordLabels, size);
}
void OrvexOptionForm::eqCoordLabelFontSlot() {
    labelFont(EqCoordLabels);
}
void OrvexOptionForm::consoleLabelColorSlot() {
    labelColor(ConsoleLabels);
}
void OrvexOptionForm::consoleLabelSizeSlot(int size) {
    labelSize(ConsoleLabels, size);
}
void OrvexOptionForm::consoleLabelFontSlot() {
    labelFont(ConsoleLabels);
}

void OrvexOptionForm::orbitLineWidthSlot(int width) {
    lineWidth(OrbitLines, width);
}
void OrvexOptionForm::orbitLineColorSlot() {
    lineColor(OrbitLines);
}
void OrvexOptionForm::hlorbitLineWidthSlot(int width) {
    lineWidth(HLOrbitLines, width);
}
void OrvexOptionForm::hlorbitLineColorSlot() {
    lineColor(HLOrbitLines);
}
void OrvexOptionForm::cometLineWidthSlot(int width) {
    lineWidth(CometLines, width);
}
void OrvexOptionForm::cometLineColorSlot() {
    lineColor(CometLines);
}
void OrvexOptionForm::asteroidLineWidthSlot(int width) {
    lineWidth(AsteroidLines, width);
}
void OrvexOptionForm::asteroidLineColorSlot() {
    lineColor(AsteroidLines);
}
void OrvexOptionForm::spinAxisLineWidthSlot(int width) {
    lineWidth(SpinAxisLines, width);
}
void OrvexOptionForm::spinAxisLineColorSlot() {
    lineColor(SpinAxisLines);
}
void OrvexOptionForm::protractorsLineWidth(int width) {
    lineWidth(ProtractorLines, width);
}
void OrvexOptionForm::protractorsLineColorSlot() {
    lineColor(ProtractorLines);
}
void OrvexOptionForm::eqCoordLineWidthSlot(int width) {
    lineWidth(EqCoordLines, width);
}
void OrvexOptionForm::eqCoordLineColorSlot() {
    lineColor(EqCoordLines);
}
void OrvexOptionForm::consteLineWidthSlot(int width) {
    lineWidth(ConsteLines, width);
}
void OrvexOptionForm::consteLineColorSlot() {
    lineColor(ConsteLines);
}
void OrvexOptionForm::hlconsteLineWidthSlot(int width) {
    lineWidth(HLConsteLines, width);
}
void OrvexOptionForm::hlconsteLineColorSlot() {
    lineColor(HLConsteLines);
}
void OrvexOptionForm::consteBoundLineWidthSlot(int width) {
    lineWidth(ConsteBoundLines, width);
}
void OrvexOptionForm::consteBoundLineColorSlot() {
    lineColor(ConsteBoundLines);
}
void OrvexOptionForm::constePictLineWidthSlot(int width) {
    lineWidth(ConstePictLines, width);
}
void OrvexOptionForm::constePictLineColorSlot() {
    lineColor(ConstePictLines);
}
void OrvexOptionForm::spaceProbeLineWidthSlot(int width) {
    lineWidth(SpaceProbeLines, width);
}
void OrvexOptionForm::spaceProbeLineColorSlot() {
    lineColor(SpaceProbeLines);
}
void OrvexOptionForm::hlconstePictLineWidthSlot(int width) {
    lineWidth(HLConstePictLines, width);
}
void OrvexOptionForm::hlconstePictLineColorSlot() {
    lineColor(HLConstePictLines);
}
