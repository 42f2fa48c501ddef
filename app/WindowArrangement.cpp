#include "app/WindowArrangement.h"

#include <algorithm>

WindowArrangement::WindowArrangement(const QRect& room, const QRect& control, int barsBottom,
                                     int step)
    : room_(room), control_(control), barsBottom_(barsBottom), step_(step) {}

QPoint WindowArrangement::controlPlace(const QRect& room, const QSize& control,
                                       const QSize& beside) {
    int x = room.right() + 1 - control.width();
    if (control.width() + beside.width() <= room.width())
        x = room.left() + (room.width() - control.width() - beside.width()) / 2;
    const int y = room.top() + (room.height() - control.height()) / 2;
    return QPoint(std::max(room.left(), x), std::max(room.top(), y));
}

QPoint WindowArrangement::within(const QRect& room, const QRect& frame) {
    const int x = std::min(frame.left(), room.right() + 1 - frame.width());
    const int y = std::min(frame.top(), room.bottom() + 1 - frame.height());
    return QPoint(std::max(room.left(), x), std::max(room.top(), y));
}

bool WindowArrangement::hidesTheBars(const QRect& frame) const {
    const QRect top(control_.left(), control_.top(), control_.width(),
                    barsBottom_ - control_.top() + 1);
    return frame.intersects(top);
}

QPoint WindowArrangement::place(const QSize& frame, int n) const {
    const int offset = (n - 1) * step_;
    const QRect right(QPoint(control_.right() + 1 + offset, control_.top() + offset), frame);
    if (fits(right))
        return right.topLeft();
    const QRect left(QPoint(control_.left() - frame.width() - offset, control_.top() + offset),
                     frame);
    if (fits(left))
        return left.topLeft();
    // Below the bars, against the room's edge on the side where more of it
    // stays clear of the control window; each next one a step lower, so that
    // the titles stay in sight. Where the room below the bars is too low for
    // it, the bars come first: the window reaches past the screen's bottom
    // edge with its title on it.
    const bool leftIsWider = control_.left() - room_.left() >= room_.right() - control_.right();
    QPoint at(leftIsWider ? room_.left() : room_.right() + 1 - frame.width(),
              barsBottom_ + 1 + offset);
    at.setX(std::max(room_.left(), at.x()));
    at.setY(std::max(room_.top(), at.y()));
    return at;
}
