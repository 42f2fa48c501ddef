#include "ui/ActivationFocus.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

ActivationFocus::ActivationFocus(QWidget* window, QWidget* first)
    : QObject(window), window_(window), first_(first) {
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { remember(now); });
}

void ActivationFocus::remember(QWidget* now) {
    if (!now || now == window_ || now->window() != window_)
        return;
    // A widget that stands in for another (the web page's, made anew with
    // each renderer) is remembered by the one it stands in for.
    while (now->parentWidget() && now->parentWidget() != window_ &&
           now->parentWidget()->focusProxy() == now)
        now = now->parentWidget();
    last_ = now;
}

bool ActivationFocus::eventFilter(QObject* watched, QEvent* e) {
    if (watched == window_ && e->type() == QEvent::WindowActivate) {
        // Sent before the toolkit puts the keyboard back. Without a widget
        // of its own to take it (the page's, replaced while the window was
        // inactive), the toolkit gives it to the first control of the chain,
        // not the user's: the last one is taken back from it.
        const QWidget* kept = window_->focusWidget();
        overrule_ = !kept || !kept->isVisible() ? last_ : nullptr;
        QTimer::singleShot(0, this, &ActivationFocus::settle);
    }
    return false;
}

bool ActivationFocus::onAControl() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus != window_ && focus->window() == window_;
}

void ActivationFocus::settle() {
    QWidget* const overrule = overrule_;
    overrule_ = nullptr;
    if (!window_->isActiveWindow())
        return;
    if (overrule && overrule->isVisible() && overrule->isEnabled()) {
        overrule->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    for (QWidget* control : {last_.data(), first_.data()}) {
        if (onAControl())
            return;
        if (control && control != window_ && control->window() == window_ && control->isVisible() &&
            control->isEnabled())
            control->setFocus(Qt::ActiveWindowFocusReason);
    }
}
