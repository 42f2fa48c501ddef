#include "ui/WindowStack.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>

namespace WindowStack {

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QStackedWidget* fill(QWidget* window, QHBoxLayout*& mainLayout) {
    auto* stack = new QStackedWidget(window);
    mainLayout = new QHBoxLayout(window);
    mainLayout->setObjectName("mainLayout");
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(stack);
    return stack;
}

QLabel* addImageLabel(QStackedWidget* stack) {
    auto* label = new QLabel(stack);
    label->setObjectName("imageLabel");
    paintBackground(label, Qt::black);
    label->setAlignment(Qt::AlignCenter);
    stack->addWidget(label);
    return label;
}

} // namespace WindowStack
