#include "ui/ColorFontChooser.h"

#include <QColorDialog>
#include <QFontDialog>

ColorFontChooser::~ColorFontChooser() = default;

QColor ColorFontChooser::chooseColor(const QColor& initial, QWidget* parent) {
    return QColorDialog::getColor(initial, parent);
}

bool ColorFontChooser::chooseFont(QFont& font, const QFont& initial, QWidget* parent) {
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
    if (accepted)
        font = chosen;
    return accepted;
}
