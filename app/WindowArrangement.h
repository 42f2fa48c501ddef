// Where a window that opens beside the control window goes so that it hides
// neither the control window's title, menu bar nor tool bar: beside the
// control window where the screen has room for it, else cascaded just below
// its bars, inside the screen's room as far as the room below the bars
// allows.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class WindowArrangement {
public:
    // room: the screen's area for windows; control: the control window's
    // frame; barsBottom: the lowest screen row of its menu bar and tool bar;
    // step: the cascade step, about a title bar's height.
    WindowArrangement(const QRect& room, const QRect& control, int barsBottom, int step);

    // True when a window frame there would hide part of the control window's
    // title or bars.
    bool hidesTheBars(const QRect& frame) const;
    // The top-left corner for the frame of the n-th window (1, 2, ...) placed
    // this way, each one a step further so that none hides another's title.
    QPoint place(const QSize& frame, int n) const;

private:
    bool fits(const QRect& frame) const { return room_.contains(frame); }

    QRect room_;
    QRect control_;
    int barsBottom_;
    int step_;
};
