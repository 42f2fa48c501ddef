#pragma once

#include <QObject>

class QWidget;

// A frame in the highlight colour round the simulation view while it has the
// keyboard. The pane around the view keeps a thin margin for it while it is
// embedded and paints it there: a mark drawn by GL would land in saved images
// and prints. In a window of its own the view needs no margin; its window
// shows that it is active.
class ViewFocusFrame : public QObject {
public:
    static constexpr int width = 2;

    // `pane` holds the view in its layout.
    ViewFocusFrame(QWidget* pane, QWidget* view);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fitMargin();

    QWidget* pane_;
    QWidget* view_;
};
