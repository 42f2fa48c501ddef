// The frame the GL window and the media viewer share: a widget stack filling
// the window through its "mainLayout", with black pages.
#pragma once

#include <QColor>

class QHBoxLayout;
class QLabel;
class QStackedWidget;
class QWidget;

namespace WindowStack {

void paintBackground(QWidget* widget, const QColor& colour);
// The stack, filling the window through a box layout named "mainLayout"
// (margin 0, spacing 0), which is handed back in mainLayout.
QStackedWidget* fill(QWidget* window, QHBoxLayout*& mainLayout);
// A black, centred picture label "imageLabel" as the stack's next page.
QLabel* addImageLabel(QStackedWidget* stack);

} // namespace WindowStack
