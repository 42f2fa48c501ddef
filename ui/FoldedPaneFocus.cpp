#include "ui/FoldedPaneFocus.h"

#include <QEvent>
#include <QSplitter>
#include <QWidget>

FoldedPaneFocus::FoldedPaneFocus(QSplitter* splitter) : QObject(splitter), splitter_(splitter) {}

void FoldedPaneFocus::watch(QWidget* pane) {
    pane->installEventFilter(this);
}

bool FoldedPaneFocus::eventFilter(QObject* watched, QEvent* e) {
    auto* pane = static_cast<QWidget*>(watched);
    const bool inSplitter = pane->parentWidget() == splitter_;
    // A pane keeps its minimum width when folded; only the splitter knows.
    if ((e->type() == QEvent::Resize || e->type() == QEvent::Move) && inSplitter)
        fold(pane, splitter_->sizes().value(splitter_->indexOf(pane)) == 0);
    else if (e->type() == QEvent::ParentChange && !inSplitter)
        fold(pane, false);
    return false;
}

void FoldedPaneFocus::fold(QWidget* pane, bool folded) {
    if (pane->isEnabled() != folded)
        return;
    QWidget* window = pane->window();
    QWidget* focus = window->focusWidget();
    // A start with the view embedded leaves the keyboard with the window
    // itself, on no control.
    if (!folded || !focus || (focus != window && !pane->isAncestorOf(focus))) {
        pane->setEnabled(!folded);
        return;
    }
    // A widget disabled with its parent drops the focus altogether; it goes
    // on along the window's order to the next control outside the pane.
    pane->setEnabled(false);
    for (QWidget* next = focus->nextInFocusChain(); next != focus;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && !next->focusProxy() && next->isEnabled() &&
            next->isVisible() && next->window() == window && !next->isWindow()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
