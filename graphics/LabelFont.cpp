#include "graphics/LabelFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/LogMessage.h"
#include "engine/RealToInt.h"
#include "graphics/TextBitmap.h"

namespace {

std::string& defaultFamily() {
    static std::string family = "Arial";
    return family;
}

std::string replaceAll(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// A family counts as present when the system lists it, or when the font
// configuration maps it to a face of its own (a metric-compatible alias such
// as Arial -> Liberation Sans) rather than to the face any unknown name gets.
bool familyPresent(const QFont& font) {
    const QString wanted = font.family();
    for (const QString& listed : QFontDatabase().families())
        if (listed.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    const QString resolved = QFontInfo(font).family();
    const QString unknown = QFontInfo(QFont(QStringLiteral("orvex-no-such-family"))).family();
    return resolved.compare(unknown, Qt::CaseInsensitive) != 0;
}

} // namespace

void setDefaultFontFamily(const std::string& family) {
    defaultFamily() = family;
}

const std::string& getDefaultFontFamily() {
    return defaultFamily();
}

LabelFont::LabelFont() : family(defaultFamily()) {}

LabelFont::~LabelFont() = default;

int LabelFont::pixelSize(float points) {
    // GDI's logical height: -(LOGPIXELSY * size / 72), truncated toward zero.
    const int height = truncToInt(96 * points * -0.013888889);
    return std::max(1, std::abs(height));
}

void LabelFont::init() {
    if (font)
        return;
    // The family given before this moment (the configured default or a font
    // command) is kept.
    setFont(family, size, style, 1);
}

float LabelFont::boundSize(float points, float current) {
    if (std::isnan(points)) {
        logMessage("Font size %g is not a number; the size stays %g.", double(points),
                   double(current));
        return current;
    }
    const float bounded = std::clamp(points, MinSize, MaxSize);
    if (bounded != points)
        logMessage("Font size %g is out of range; %g is used.", double(points), double(bounded));
    return bounded;
}

void LabelFont::setFont(const std::string& name, float points, int styleBits, int force) {
    family = replaceAll(name, '_', ' ');
    size = boundSize(points, size);
    style = styleBits;
    if (!font && !force)
        return;
    if (!QGuiApplication::instance())
        return; // no text rendering without the application: measure by estimate

    auto made = std::make_unique<QFont>(QString::fromStdString(family));
    made->setPixelSize(pixelSize(size));
    made->setWeight((style & 1) ? QFont::Bold : QFont::Normal);
    made->setItalic(style & 2);
    made->setUnderline(style & 4);
    made->setStrikeOut(style & 8);
    if (!familyPresent(*made)) {
        logMessage("Font %s was not found.\n", family.c_str());
        family = QFontInfo(*made).family().toStdString();
        made->setFamily(QString::fromStdString(family));
    }
    font = std::move(made);
}

std::string LabelFont::getFamilyToken() const {
    return replaceAll(family, ' ', '_');
}

std::string LabelFont::getFontSpec() const {
    char number[64];
    std::snprintf(number, sizeof number, " %g %i", double(size), style);
    return getFamilyToken() + number;
}

std::string LabelFont::getFaceName() const {
    return font ? QFontInfo(*font).family().toStdString() : std::string();
}

int LabelFont::getTextWidth(const std::string& text) {
    init();
    if (!font)
        return int(float(text.size()) * size);
    return QFontMetrics(*font).horizontalAdvance(TextBitmap::decode(text));
}

int LabelFont::getTextHeight(const std::string&) {
    init();
    if (!font)
        return int(size);
    const QFontMetrics metrics(*font);
    return metrics.ascent() + metrics.descent();
}
