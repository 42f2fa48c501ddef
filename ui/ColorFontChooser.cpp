#include "ui/ColorFontChooser.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <climits>
#include <cstdlib>

namespace {

// The font with its family's own name for its style ("Book", "Regular",
// "Roman"): the font dialog finds a style by name, and one it does not find
// it replaces by the family's first, which may be "Oblique". Among the faces
// of the font's slant and nearest weight the shortest name wins, so that
// "Book" goes before "Condensed".
QFont withFamilyStyleName(const QFont& font) {
    const QFontDatabase fonts;
    QString best;
    int bestDistance = INT_MAX;
    for (const QString& style : fonts.styles(font.family())) {
        const QFont face = fonts.font(font.family(), style, font.pointSize());
        if (face.italic() != font.italic())
            continue;
        const int distance = std::abs(face.weight() - font.weight()) * 1000 + style.size();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = style;
        }
    }
    QFont styled = font;
    if (!best.isEmpty())
        styled.setStyleName(best);
    return styled;
}

} // namespace

ColorFontChooser::~ColorFontChooser() = default;

QColor ColorFontChooser::chooseColor(const QColor& initial, QWidget* parent) {
    return QColorDialog::getColor(initial, parent);
}

bool ColorFontChooser::chooseFont(QFont& font, const QFont& initial, QWidget* parent) {
    QFontDialog dialog(parent);
    dialog.setCurrentFont(withFamilyStyleName(initial));
    // What the dialog makes of the font: a family it does not list reads
    // back as another. Taken unchanged, the font given is the answer.
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    font = chosen == shown ? initial : chosen;
    return true;
}
