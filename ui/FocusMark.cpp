#include "ui/FocusMark.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyleOptionFocusRect>

FocusMark::FocusMark(QWidget* control, QWidget* surface, std::function<bool()> needed)
    : QWidget(surface), control_(control), needed_(std::move(needed)) {
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    control->installEventFilter(this);
    surface->installEventFilter(this);
    hide();
}

FocusMark* FocusMark::add(QAbstractItemView* list) {
    auto* mark =
        new FocusMark(list, list->viewport(), [list] { return !list->currentIndex().isValid(); });
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, mark, &FocusMark::follow);
    return mark;
}

FocusMark* FocusMark::add(QWidget* control) {
    return new FocusMark(control, control);
}

void FocusMark::follow() {
    const bool shown = control_->hasFocus() && (!needed_ || needed_());
    if (shown) {
        setGeometry(parentWidget()->rect());
        raise();
        update();
    }
    setVisible(shown);
}

bool FocusMark::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Resize:
        follow();
        break;
    default:
        break;
    }
    return false;
}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(control_);
    option.rect = rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = control_->palette().color(control_->backgroundRole());
    // The application's style: a control's own style sheet would place the
    // frame by the control's padding, off its edge.
    QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
