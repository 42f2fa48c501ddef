// The root's frame step without a display: the configuration is read as the
// view's start-up reads it, but without the GL set-up.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "engine/InputDevice.h"
#include "engine/Orvex.h"
#include "engine/Timer.h"
#include "model/Ssystem.h"
#include "platform/InputState.h"
#include "platform/SharedMemory.h"
#include "support/RootDataSet.h"
#include "view/Camera.h"
#include "view/Console.h"

namespace {

class OrvexFrame : public ::testing::Test {
protected:
    void SetUp() override {
        root.setDataDir(data.path());
        // Main's start-up alone: the GL state needs a context.
        root.Main::init();
        ASSERT_TRUE(root.isConfigured());
        ASSERT_NE(root.getTimer(), nullptr);
        // The initial state is a stepped scenario: its lines run in the first frame.
        root.frame(0);
        start = root.getTimer()->getTime();
    }

    orvextest::RootDataSet data;
    Orvex root;
    double start = 0.0;
};

} // namespace

TEST_F(OrvexFrame, ClockAdvancesByRealTimeTimesStepTimesSpeed) {
    EXPECT_DOUBLE_EQ(start, 946728000.0); // 2000-01-01 12:00 UTC
    root.frame(500);
    EXPECT_NEAR(root.getTimer()->getTime() - start, 0.5 * 3600.0, 1e-6);
    // The bodies follow the clock in the same frame.
    ASSERT_NE(root.getSsystem()->findBody("Moon"), nullptr);
}

TEST_F(OrvexFrame, NegativeFrameRateStepsTheClockOncePerFrame) {
    ASSERT_EQ(root.processScenarioLine("Orvex.FPS -1"), 1);
    root.frame(17);
    root.frame(250);
    root.frame(0);
    EXPECT_NEAR(root.getTimer()->getTime() - start, 3.0 * 3600.0, 1e-6);
}

TEST_F(OrvexFrame, NominalFramesFollowTheFrameRateSetting) {
    root.frame(100);
    EXPECT_DOUBLE_EQ(root.getFrameStep(), 3.0);
    ASSERT_EQ(root.processScenarioLine("Orvex.FPS 60"), 1);
    root.frame(100);
    EXPECT_DOUBLE_EQ(root.getFrameStep(), 6.0);
    // No time passed: one nominal frame, and the clock stands still.
    const double before = root.getTimer()->getTime();
    root.frame(0);
    EXPECT_DOUBLE_EQ(root.getFrameStep(), 1.0);
    EXPECT_DOUBLE_EQ(root.getTimer()->getTime(), before);
}

TEST_F(OrvexFrame, MouseInputReachesTheCameraOnlyWhileInputIsOn) {
    Camera& camera = *root.getCamera();
    root.mouseButton(Camera::LeftButton, 1, 10, 10);
    EXPECT_EQ(camera.getMouseState(), Camera::ExamineRotate);
    root.mouseButton(Camera::LeftButton, 0, 12, 10);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);

    ASSERT_EQ(root.processScenarioLine("Orvex.InputTog"), 1);
    root.mouseButton(Camera::RightButton, 1, 10, 10);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);
    ASSERT_EQ(root.processScenarioLine("Orvex.Input 1"), 1);
    root.mouseButton(Camera::RightButton, 1, 10, 10);
    EXPECT_EQ(camera.getMouseState(), Camera::ExamineDistance);
}

TEST_F(OrvexFrame, TheMouseModeReachesCameraAndConsole) {
    root.setMouseMode(1);
    EXPECT_EQ(root.getConsole()->getMouseMode(), 1);
    // In mouse-look clicks do not drag.
    root.mouseButton(Camera::LeftButton, 1, 10, 10);
    EXPECT_EQ(root.getCamera()->getMouseState(), Camera::Idle);
    root.setMouseMode(0);
    EXPECT_EQ(root.getConsole()->getMouseMode(), 0);
}

TEST(Orvex, FramesAndDrawsDoNothingBeforeTheConfiguration) {
    Orvex root;
    EXPECT_EQ(root.frame(100), 0);
    EXPECT_EQ(root.getTimer(), nullptr);
    root.draw(0.0); // touches no GL
    EXPECT_STREQ(root.getName(), "Orvex");
    EXPECT_STREQ(root.getVersion(), "7.0");
}

// The root's joystick buttons, played by a device program on a private block.
class OrvexDeviceButtons : public OrvexFrame {
protected:
    void SetUp() override {
        OrvexFrame::SetUp();
        ASSERT_TRUE(device.open(block, InputDevice::WordCount));
        root.setInputDevice(std::make_unique<InputDevice>(data.path() + "/none.cfg", block));
        root.setNotifyCallback([this] { ++notifications; });
        platform::setKeyboardModifiers(Qt::NoModifier);
    }
    void TearDown() override {
        platform::setKeyboardModifiers(Qt::NoModifier);
        platform::SharedMemory::remove(block);
    }
    void press(int button) {
        device.store(InputDevice::StickStatus, 1);
        device.setBits(InputDevice::StickButtons, 1 << (button - 1));
    }
    std::string speed() { return root.getCommandValue("Timer.Speed"); }

    std::string block = "OrvexRootTest_" + std::to_string(getpid()) + "_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    platform::SharedMemory device;
    int notifications = 0;
};

TEST_F(OrvexDeviceButtons, APressRunsItsBindingOnceAndNotifies) {
    press(1);
    root.frame(10);
    EXPECT_EQ(speed(), " 7");
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(device.load(InputDevice::StickButtons), 0); // consumed

    ASSERT_EQ(root.processScenarioLine("Timer.Speed 1"), 1);
    root.frame(10);
    EXPECT_EQ(speed(), " 1");
    EXPECT_EQ(notifications, 1);
}

TEST_F(OrvexDeviceButtons, ModifiersMustMatchExactly) {
    // Button 2 is bound with Shift and Ctrl: alone, or with Shift only, it finds nothing.
    press(2);
    root.frame(10);
    EXPECT_EQ(speed(), " 1");
    platform::setKeyboardModifiers(Qt::ShiftModifier);
    press(2);
    root.frame(10);
    EXPECT_EQ(speed(), " 1");
    EXPECT_EQ(notifications, 0);
    platform::setKeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier);
    press(2);
    root.frame(10);
    EXPECT_EQ(speed(), " 9");
    EXPECT_EQ(notifications, 1);
    // Button 1 is bound without modifiers, so Shift and Ctrl hide it.
    press(1);
    root.frame(10);
    EXPECT_EQ(speed(), " 9");
}

TEST_F(OrvexDeviceButtons, ButtonsWithoutADeviceStatusWait) {
    device.setBits(InputDevice::StickButtons, 1);
    root.frame(10);
    EXPECT_EQ(speed(), " 1");
    EXPECT_EQ(device.load(InputDevice::StickButtons), 1); // left for the device to report
}
