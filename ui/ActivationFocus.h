#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Gives the keyboard to a control of a window whenever the window becomes
// active: the control that held it last, or a first control before any did.
// Without it the window itself may take the keyboard (its last control gone
// or out of reach, as the web engine's page widgets are replaced), which
// shows no mark, and the first Tab lands somewhere the user did not look.
class ActivationFocus : public QObject {
public:
    ActivationFocus(QWidget* window, QWidget* first);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void remember(QWidget* now);
    // Once the activation has settled: the toolkit puts the keyboard back
    // first, where it can.
    void settle();
    bool onAControl() const;

    QWidget* window_;
    QPointer<QWidget> first_;
    QPointer<QWidget> last_;
    // The control to take the keyboard back to from the toolkit's choice.
    QPointer<QWidget> overrule_;
};
