// Where the control window and the windows that open beside it go, so that
// each keeps part of itself and of its title bar in sight when the other is
// in front, and none hides the control window's title, menu bar or tool bar:
// side by side where the screen has room for both, else overlapping only in
// part, the window beside reaching past the control window on the side with
// more room, just below its bars, inside the screen's room as far as the room
// below the bars allows; a second window beside goes to the other side.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class WindowArrangement {
public:
    // room: the screen's area for windows; control: the control window's
    // frame; barsBottom: the lowest screen row of its menu bar and tool bar;
    // step: the cascade step, about a title bar's height.
    WindowArrangement(const QRect& room, const QRect& control, int barsBottom, int step);

    // The top-left corner for the control window's frame of size control
    // when a window of frame size beside opens next to it: the pair centred
    // where both fit side by side, else the control window at the room's
    // right edge; never above or left of the room.
    static QPoint controlPlace(const QRect& room, const QSize& control, const QSize& beside);
    // The top-left corner for a frame moved just enough to lie in the room
    // (a place saved on a larger screen, or reused for a window that longer
    // texts made wider); a frame larger than the room keeps its title and
    // menu bar at the room's edge.
    static QPoint within(const QRect& room, const QRect& frame);
    // The same for a window's client area with its frame's margins: first
    // made no larger than the room holds (but not below least, the client's
    // minimum size), then moved in.
    static QRect within(const QRect& room, const QRect& client, const QMargins& margins,
                        const QSize& least);

    // True when a window frame there would hide part of the control window's
    // title or bars.
    bool hidesTheBars(const QRect& frame) const;
    int barsBottom() const { return barsBottom_; }
    // The frame height the n-th window placed below the bars has down to the
    // room's bottom edge.
    int heightBelowBars(int n) const { return room_.bottom() - barsBottom_ - (n - 1) * step_; }
    // The top-left corner for the frame of the n-th window (1, 2, ...) placed
    // this way: the first on the side with room, the second on the other
    // side, each one a step further so that none hides another's title.
    QPoint place(const QSize& frame, int n) const;

private:
    bool fits(const QRect& frame) const { return room_.contains(frame); }

    QRect room_;
    QRect control_;
    int barsBottom_;
    int step_;
};
