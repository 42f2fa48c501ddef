// How the option dialog asks the user for a colour or a font: the toolkit's
// modal colour and font dialogs. Tests put a subclass in its place that
// answers at once.
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

class ColorFontChooser {
public:
    virtual ~ColorFontChooser();

    // The colour the user picked, starting from initial; an invalid colour
    // when the user cancelled.
    virtual QColor chooseColor(const QColor& initial, QWidget* parent);
    // The font the user picked, starting from initial (initial itself when
    // taken unchanged); false (and font left alone) when the user cancelled.
    virtual bool chooseFont(QFont& font, const QFont& initial, QWidget* parent);
};
