#include "app/WindowArrangement.h"

#include <algorithm>

WindowArrangement::WindowArrangement(const QRect& room, const QRect& control, int barsBottom,
                                     int step)
    : room_(room), control_(control), barsBottom_(barsBottom), step_(step) {}

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
    // Cascaded below the bars, pushed back inside the room sideways. Where
    // the room below the bars is too low for it, the bars come first: the
    // window reaches past the screen's bottom edge with its title on it.
    QPoint at(control_.left() + n * step_, barsBottom_ + 1 + offset);
    at.setX(std::max(room_.left(), std::min(at.x(), room_.right() + 1 - frame.width())));
    at.setY(std::max(room_.top(), at.y()));
    return at;
}
