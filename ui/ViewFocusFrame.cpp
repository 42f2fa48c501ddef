#include "ui/ViewFocusFrame.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QWidget>

ViewFocusFrame::ViewFocusFrame(QWidget* pane, QWidget* view)
    : QObject(pane), pane_(pane), view_(view) {
    pane->installEventFilter(this);
    view->installEventFilter(this);
    fitMargin();
}

void ViewFocusFrame::fitMargin() {
    const int margin = pane_->isWindow() ? 0 : width;
    pane_->layout()->setContentsMargins(margin, margin, margin, margin);
}

bool ViewFocusFrame::eventFilter(QObject* watched, QEvent* e) {
    if (watched == view_) {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
            pane_->update();
    } else if (e->type() == QEvent::ParentChange) {
        fitMargin();
    } else if (e->type() == QEvent::Paint && !pane_->isWindow() && view_->hasFocus()) {
        // The pane has painted its background; its own paint event draws nothing.
        QPainter painter(pane_);
        painter.setClipRegion(QRegion(pane_->rect()).subtracted(pane_->layout()->contentsRect()));
        painter.fillRect(pane_->rect(), pane_->palette().color(QPalette::Highlight));
    }
    return false;
}
