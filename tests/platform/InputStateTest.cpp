#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>

#include "platform/InputState.h"

TEST(InputState, AnswersWhatWasLastSet) {
    platform::setKeyboardModifiers(Qt::ControlModifier | Qt::AltModifier);
    platform::setMouseButtons(Qt::LeftButton | Qt::RightButton);
    EXPECT_TRUE(platform::isCtrlDown());
    EXPECT_FALSE(platform::isShiftDown());
    EXPECT_TRUE(platform::isAltDown());
    EXPECT_TRUE(platform::isLeftButtonDown());
    EXPECT_FALSE(platform::isMiddleButtonDown());
    EXPECT_TRUE(platform::isRightButtonDown());
    platform::setKeyboardModifiers(Qt::NoModifier);
    platform::setMouseButtons(Qt::NoButton);
    EXPECT_FALSE(platform::isCtrlDown());
    EXPECT_FALSE(platform::isLeftButtonDown());
}

TEST(InputState, FollowsTheApplicationsEvents) {
    platform::trackInputEvents(*QCoreApplication::instance());
    QObject target;

    // A press of Ctrl itself may arrive with the modifiers of before it.
    QKeyEvent ctrlDown(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &ctrlDown);
    EXPECT_TRUE(platform::isCtrlDown());
    QKeyEvent shiftA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(&target, &shiftA);
    EXPECT_TRUE(platform::isShiftDown());
    QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(&target, &ctrlUp);
    EXPECT_FALSE(platform::isCtrlDown());
    EXPECT_TRUE(platform::isShiftDown());

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &press);
    EXPECT_TRUE(platform::isMiddleButtonDown());
    EXPECT_FALSE(platform::isShiftDown());

    // Releases outside the application are never seen.
    QEvent away(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &away);
    EXPECT_FALSE(platform::isMiddleButtonDown());
}
