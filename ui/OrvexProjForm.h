// The window that holds the simulation view: on its own as a normal or full
// screen window (a second screen, a projector) or as the first pane of the
// control window. Behind the view, on a stack, it keeps a picture label and a
// media player. It remembers its normal geometry, shows its client size in
// its caption and reports when the user closes it.
#pragma once

#include <QWidget>

#include "ui/WindowPlacement.h"

class EngineLink;
class MediaPlayerPane;
class QHBoxLayout;
class QLabel;
class QStackedWidget;

class OrvexProjForm : public QWidget {
    Q_OBJECT
public:
    // The program's window: the GL view and its engine link.
    explicit OrvexProjForm(QWidget* parent = nullptr, const char* name = nullptr);
    // A window around the given view and link (either may be null: an empty
    // black view, a link without engine). The caller keeps the link.
    OrvexProjForm(QWidget* view, EngineLink* engine, QWidget* parent = nullptr,
                  const char* name = nullptr);
    ~OrvexProjForm() override;

    // The view's link to the engine; never null.
    EngineLink* engine() const { return engine_; }
    // The widget on page 0 that shows the simulation.
    QWidget* view() const { return view_; }

    // Back to the normal geometry, unless maximised, full screen or embedded.
    void restoreGeometry();
    // "Reset windows": a new normal geometry.
    void resetGeometry(const QRect& rect);
    const QRect& normalGeometry() const { return placement_.normalGeometry(); }
    // Hidden after it was closed maximised or full screen: a plain window at
    // its normal place again (WindowPlacement::leaveHiddenState).
    void leaveHiddenState() { placement_.leaveHiddenState(this, Qt::WindowNoState); }
    void setVisible(bool visible) override;
    // Whether the user last had the window maximised (WindowPlacement).
    bool wasMaximized() const { return placement_.wasMaximized(); }
    // Whether the settings held a place from an earlier run.
    bool hasSavedPlace() const { return placement_.hasSavedPlace(); }

    // The media player behind the view.
    void mediaPlay();
    void mediaPause();
    void mediaStop();
    void setMediaControls(bool on);

    QStackedWidget* stack = nullptr;
    QHBoxLayout* mainLayout = nullptr;
    QLabel* imageLabel = nullptr;
    MediaPlayerPane* mediaPlayerAXAX = nullptr;

signals:
    void closed();

protected:
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void build(QWidget* view);

    QWidget* view_ = nullptr;
    EngineLink* engine_ = nullptr;
    WindowPlacement placement_;
};
