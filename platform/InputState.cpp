#include "platform/InputState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

namespace {

Qt::KeyboardModifiers heldModifiers;
Qt::MouseButtons heldButtons;

// The modifier a key press or release of a modifier key itself changes. The
// event's own modifier set may show the state before the key.
Qt::KeyboardModifier modifierOfKey(int key) {
    switch (key) {
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

class InputTracker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            Qt::KeyboardModifiers modifiers = key->modifiers();
            const Qt::KeyboardModifier own = modifierOfKey(key->key());
            if (own != Qt::NoModifier)
                modifiers.setFlag(own, event->type() == QEvent::KeyPress);
            heldModifiers = modifiers;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            heldButtons = mouse->buttons();
            heldModifiers = mouse->modifiers();
            break;
        }
        case QEvent::ApplicationDeactivate:
            heldButtons = Qt::NoButton;
            heldModifiers = Qt::NoModifier;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool isCtrlDown() {
    return heldModifiers.testFlag(Qt::ControlModifier);
}

bool isShiftDown() {
    return heldModifiers.testFlag(Qt::ShiftModifier);
}

bool isAltDown() {
    return heldModifiers.testFlag(Qt::AltModifier);
}

bool isLeftButtonDown() {
    return heldButtons.testFlag(Qt::LeftButton);
}

bool isMiddleButtonDown() {
    return heldButtons.testFlag(Qt::MiddleButton);
}

bool isRightButtonDown() {
    return heldButtons.testFlag(Qt::RightButton);
}

void setKeyboardModifiers(Qt::KeyboardModifiers modifiers) {
    heldModifiers = modifiers;
}

void setMouseButtons(Qt::MouseButtons buttons) {
    heldButtons = buttons;
}

void trackInputEvents(QCoreApplication& app) {
    // Parented to the application, so it goes with it.
    app.installEventFilter(new InputTracker(&app));
}

} // namespace platform
