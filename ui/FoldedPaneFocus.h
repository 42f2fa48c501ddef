#pragma once

#include <QObject>

class QSplitter;
class QWidget;

// Keeps the keyboard out of the panes a splitter has folded away. A folded
// pane is still shown, only moved out of sight, and its controls
// would take Tab stops nobody sees: it is disabled until it opens again, and
// a focus inside it moves on to the next control in sight.
class FoldedPaneFocus : public QObject {
public:
    explicit FoldedPaneFocus(QSplitter* splitter);

    // Follows a pane of the splitter, or a widget that comes into it later;
    // a widget that leaves the splitter is enabled again.
    void watch(QWidget* pane);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fold(QWidget* pane, bool folded);

    QSplitter* splitter_;
};
