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

QRect WindowArrangement::within(const QRect& room, const QRect& client, const QMargins& margins,
                                const QSize& least) {
    const QSize extent(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize size = client.size().boundedTo(room.size() - extent).expandedTo(least);
    const QPoint corner(margins.left(), margins.top());
    const QRect frame(client.topLeft() - corner, size + extent);
    return QRect(within(room, frame) + corner, size);
}

bool WindowArrangement::hidesTheBars(const QRect& frame) const {
    const QRect top(control_.left(), control_.top(), control_.width(),
                    barsBottom_ - control_.top() + 1);
    return frame.intersects(top);
}

QPoint WindowArrangement::place(const QSize& frame, int n) const {
    const int offset = (n - 1) * step_;
    const auto rightOf = [&](int by) {
        return QRect(QPoint(control_.right() + 1 + by, control_.top() + by), frame);
    };
    const auto leftOf = [&](int by) {
        return QRect(QPoint(control_.left() - frame.width() - by, control_.top() + by), frame);
    };
    // The first window goes right of the control window where that fits, else
    // left of it, else to the side where more of the room stays clear of it;
    // the second to the other side, so that neither hides the other's title
    // whichever of them is in front.
    const bool leftIsWider = control_.left() - room_.left() >= room_.right() - control_.right();
    bool onRight = fits(rightOf(0)) || (!fits(leftOf(0)) && !leftIsWider);
    if (n % 2 == 0)
        onRight = !onRight;
    const QRect beside = onRight ? rightOf(offset) : leftOf(offset);
    if (fits(beside))
        return beside.topLeft();
    // Below the bars, against the room's edge on that side; each next one a
    // step lower, so that the titles stay in sight. Where the room below the
    // bars is too low for it, the bars come first: the window reaches past
    // the screen's bottom edge with its title on it.
    QPoint at(onRight ? room_.right() + 1 - frame.width() : room_.left(), barsBottom_ + 1 + offset);
    at.setX(std::max(room_.left(), at.x()));
    at.setY(std::max(room_.top(), at.y()));
    return at;
}
