#include "ui/LabelFontText.h"

#include <QString>
#include <algorithm>
#include <cctype>

#include "app/EngineLink.h"
#include "engine/RealToInt.h"
#include "graphics/LabelFont.h"
#include "platform/NumericLocale.h"
#include "ui/EngineAnswer.h"

namespace {

enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::optional<LabelFontText> LabelFontText::parse(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    if (end == begin)
        return std::nullopt;

    LabelFontText font;
    font.family = text.substr(begin, end - begin);
    const char* sizeText = text.c_str() + end;
    const char* afterSize = sizeText;
    font.size = platform::parseDouble(sizeText, &afterSize);
    if (afterSize == sizeText)
        return std::nullopt;
    font.style = EngineAnswer::leadingInt(afterSize);
    return font;
}

double LabelFontText::parseSize(const std::string& text) {
    const auto font = parse(text);
    return font ? font->size : 0.0;
}

std::string LabelFontText::withSize(int points) const {
    // The family stays the engine's 8-bit text, byte for byte.
    return family + QString::asprintf(" %f %i", double(points), style).toStdString();
}

QFont LabelFontText::toFont() const {
    QString name = EngineLink::fromEngineText(family);
    name.replace('_', ' ');
    QFont font;
    font.setFamily(name);
    const int points = truncToInt(size);
    if (points > 0)
        font.setPointSize(std::min(points, int(LabelFont::MaxSize)));
    font.setWeight(style & Bold ? QFont::Bold : QFont::Normal);
    font.setItalic(style & Italic);
    font.setUnderline(style & Underline);
    font.setStrikeOut(style & StrikeOut);
    return font;
}

std::string LabelFontText::fromFont(const QFont& font) {
    QString name = font.family();
    name.replace(' ', '_');
    int style = 0;
    if (font.weight() > QFont::Normal)
        style |= Bold;
    if (font.italic())
        style |= Italic;
    if (font.underline())
        style |= Underline;
    if (font.strikeOut())
        style |= StrikeOut;
    const int points =
        std::clamp(font.pointSize(), int(LabelFont::MinSize), int(LabelFont::MaxSize));
    return EngineLink::toEngineText(name) +
           QString::asprintf(" %i %i", points, style).toStdString();
}
