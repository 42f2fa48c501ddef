#pragma once

#include <QWidget>
#include <functional>

class QAbstractItemView;

// The style's focus frame, drawn just inside the edge of a control that has
// the keyboard but would show no mark of its own: a list without a current
// entry (an empty one, or one whose entry was taken away), a button whose
// style sheet paints it whole. It lies over the control, takes no input, and
// is shown only while the control has the focus and still needs it.
class FocusMark : public QWidget {
public:
    // Marks `control` over `surface` (the control, or its viewport) while
    // `needed` holds, or always while it has the focus.
    FocusMark(QWidget* control, QWidget* surface, std::function<bool()> needed = {});

    // A list marked while it has no current entry.
    static FocusMark* add(QAbstractItemView* list);
    static FocusMark* add(QWidget* control);

    // Shows or hides the mark as the control's focus and state say.
    void follow();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QWidget* control_;
    std::function<bool()> needed_;
};
