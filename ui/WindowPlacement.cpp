#include "ui/WindowPlacement.h"

#include <QWidget>

#include "app/WindowSettings.h"

WindowPlacement::WindowPlacement(const QString& prefix) : prefix_(prefix) {}

bool WindowPlacement::takesNormalPlace(const QWidget* window) {
    return !WindowSettings::isMaximizedOrFull(window) && !window->parentWidget();
}

void WindowPlacement::restore(QWidget* window, bool reset) {
    if (reset) {
        normal_ = defaultGeometry();
    } else {
        auto settings = WindowSettings::open();
        saved_ = settings->contains(prefix_ + "/geometry/x");
        normal_ = WindowSettings::readGeometry(*settings, prefix_, defaultGeometry());
        wasMaximized_ = settings->value(prefix_ + "/maximized", 0).toInt() == 1;
    }
    window->setGeometry(normal_);
}

void WindowPlacement::track(const QWidget* window) {
    // Not from the events a window gets as it is shown: they carry what it
    // was given while hidden, such as the pane's size just after it left it.
    // The window manager is asked only about a place that is new.
    if (window->geometry() != normal_ && WindowSettings::isShownPlain(window))
        normal_ = window->geometry();
}

void WindowPlacement::apply(QWidget* window) const {
    if (takesNormalPlace(window) && normal_.isValid())
        window->setGeometry(normal_);
}

void WindowPlacement::reset(QWidget* window, const QRect& rect) {
    normal_ = rect;
    apply(window);
}

void WindowPlacement::shown(const QWidget* window) {
    if (window->isWindow())
        shown_ = true;
    noteState(window);
}

void WindowPlacement::noteState(const QWidget* window) {
    const Qt::WindowStates state = window->windowState();
    if (window->isWindow() && window->isVisible() &&
        !(state & (Qt::WindowMinimized | Qt::WindowFullScreen)))
        wasMaximized_ = state & Qt::WindowMaximized;
}

void WindowPlacement::save() const {
    if (!shown_)
        return;
    auto settings = WindowSettings::open();
    settings->setValue(prefix_ + "/maximized", wasMaximized_ ? 1 : 0);
    WindowSettings::writeGeometry(*settings, prefix_, normal_);
}

void WindowPlacement::changingVisibility(QWidget* window, bool visible) {
    if (!window->isWindow() || visible == window->isVisible())
        return;
    if (visible)
        leaveHiddenState(window, window->windowState());
    hiddenInState_ = !visible && WindowSettings::isMaximizedOrFull(window);
}

void WindowPlacement::leaveHiddenState(QWidget* window, Qt::WindowStates state) {
    if (!hiddenInState_ || window->isVisible() || !window->isWindow())
        return;
    window->setWindowState(state & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    apply(window);
    window->setWindowState(state);
}
