// Where a secondary top-level window (the GL window, the media viewer) sits
// when it is a plain window: its "normal geometry", kept while it is neither
// maximised, full screen nor embedded in another window, restored at start and
// when it leaves the control window, and written to the settings when it goes.
#pragma once

#include <QRect>
#include <QString>
#include <Qt>

class QWidget;

class WindowPlacement {
public:
    // prefix: the window's settings group, such as "/Orvex/OrvexGL".
    explicit WindowPlacement(const QString& prefix);

    static QRect defaultGeometry() { return QRect(100, 100, 640, 480); }

    // At construction: the saved normal geometry (put on a screen), or the
    // default with the reset switch; the window takes it.
    void restore(QWidget* window, bool reset);
    // Whether the window was maximised when it was last a window of its own
    // shown neither minimised nor full screen: as saved by an earlier run at
    // first (false with the reset switch), then as the user left it.
    bool wasMaximized() const { return wasMaximized_; }
    // From show events and window state changes: a window of its own shown
    // neither minimised nor full screen tells whether the user wants it
    // maximised. Minimised, full screen (maximised before or not), in the
    // pane or hidden it tells nothing.
    void noteState(const QWidget* window);
    // From move and resize events: the window's geometry while it is shown
    // as a plain window of its own (WindowSettings::isShownPlain).
    void track(const QWidget* window);
    // Puts the window back at its normal geometry unless it is maximised, full
    // screen or embedded.
    void apply(QWidget* window) const;
    // Makes rect the normal geometry and applies it.
    void reset(QWidget* window, const QRect& rect);
    // From show events: a window shown on its own has a place worth saving.
    void shown(const QWidget* window);
    // From setVisible, before the window is hidden or shown. A window hidden
    // while maximised or full screen (the window manager closed it, Alt+F4)
    // stays in that state at the screen's size, and the manager forgets
    // where it was before: shown as it is, in any state, the manager would
    // keep the screen's size as the place to go back to. Until it is shown
    // again leaveHiddenState puts it back at its normal place.
    void changingVisibility(QWidget* window, bool visible);
    // The hidden window that was left in such a state leaves it: at its
    // normal place as a plain window, then in `state` (the state it is about
    // to be shown in, or none).
    void leaveHiddenState(QWidget* window, Qt::WindowStates state);
    // At destruction, for a window that was shown on its own: "maximized"
    // (wasMaximized, whatever state the run ends in) and the normal geometry.
    // A window never shown keeps what an earlier run saved.
    void save() const;
    // Whether restore found a place saved by an earlier run.
    bool hasSavedPlace() const { return saved_; }

    const QRect& normalGeometry() const { return normal_; }

private:
    // A window of its own neither maximised nor full screen: apply gives it
    // its normal place.
    static bool takesNormalPlace(const QWidget* window);

    QString prefix_;
    QRect normal_;
    bool wasMaximized_ = false;
    bool saved_ = false;
    bool shown_ = false;
    bool hiddenInState_ = false;
};
