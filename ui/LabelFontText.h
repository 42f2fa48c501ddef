// The engine's text form of a label font, as its font command words take and
// answer it: the family with every blank written as "_", the size in points
// and a style number (1 bold, 2 italic, 4 underline, 8 strike-out, added).
#pragma once

#include <optional>
#include <string>

#include <QFont>

struct LabelFontText {
    std::string family; // as the engine writes it, "_" for blanks
    double size = 0.0;
    int style = 0;

    // Reads family, size and style (0 when missing) from the start of text;
    // nothing when the text holds no family or no size after it.
    static std::optional<LabelFontText> parse(const std::string& text);
    // The size of a font text (the family skipped); 0 when there is none.
    static double parseSize(const std::string& text);

    // The same family and style at another size: "Arial 20.000000 2".
    std::string withSize(int points) const;

    // The toolkit font: "_" back to blanks, the size cut to whole points.
    QFont toFont() const;
    // A toolkit font in the engine's form: "Arial 14 1" for a bold 14-point
    // Arial.
    static std::string fromFont(const QFont& font);
};
