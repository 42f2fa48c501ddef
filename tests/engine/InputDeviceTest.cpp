#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/InputDevice.h"
#include "engine/LogMessage.h"
#include "platform/InputState.h"
#include "platform/SharedMemory.h"
#include "support/TestEnv.h"

using platform::SharedMemory;

namespace {

// Every test maps a block of its own and plays the device program through a
// second mapping of it.
class InputDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.open(block, InputDevice::WordCount)); }
    void TearDown() override { SharedMemory::remove(block); }

    std::string writeConfig(const std::string& relative, const std::string& text) {
        std::filesystem::path path = std::filesystem::path(dir.path()) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
        return path.string();
    }
    std::string configIn(const std::string& relativeDir) {
        return (std::filesystem::path(dir.path()) / relativeDir / "uidinit.cfg").string();
    }

    std::string block = "OrvexTest_" + std::to_string(getpid()) + "_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    orvextest::TempDir dir;
    SharedMemory device;
};

constexpr int button3 = 1 << 2;

} // namespace

TEST_F(InputDeviceTest, WithoutFileOrDeviceProgramNothingMoves) {
    InputDevice input(configIn("none"), block);
    EXPECT_TRUE(input.isMapped());
    EXPECT_EQ(input.getUidMode(), 1);
    EXPECT_EQ(input.getStatus(), 0);
    EXPECT_EQ(input.getSBStatus(), 0);
    EXPECT_FALSE(input.testButtons(0xffff));
    // An all-zero block is the far end of the joystick's 0..65535 range.
    EXPECT_DOUBLE_EQ(input.getStickAxis1(), 2.0 * (0 - 32767) / 65535);
    EXPECT_DOUBLE_EQ(input.getSBTrans(), 0.0);
    EXPECT_EQ(input.stickRange().centre, 32767);
}

TEST_F(InputDeviceTest, ModeZeroMapsNothingAndReadsRest) {
    device.store(InputDevice::StickStatus, 1);
    device.store(InputDevice::StickButtons, 0xff);
    device.store(InputDevice::StickAxis1, 65535);
    InputDevice input(writeConfig("uidinit.cfg", "UIDMode: 0\n"), block);
    EXPECT_FALSE(input.isMapped());
    EXPECT_EQ(input.getStatus(), 0);
    EXPECT_FALSE(input.testButtons(0xff));
    EXPECT_FALSE(input.testAndClearButtons(0xff));
    EXPECT_DOUBLE_EQ(input.getStickAxis1(), 0.0);
    EXPECT_DOUBLE_EQ(input.getSBRotate3(), 0.0);
    EXPECT_EQ(device.load(InputDevice::StickButtons), 0xff);
}

TEST_F(InputDeviceTest, DeadZoneBoundariesAndFullDeflection) {
    InputDevice input(configIn("none"), block);
    device.store(InputDevice::StickStatus, 1);
    const int centre = 32767;
    device.store(InputDevice::StickAxis1, centre + 6553);
    device.store(InputDevice::StickAxis1 + 1, centre - 6553);
    device.store(InputDevice::StickAxis1 + 2, centre + 6554);
    device.store(InputDevice::StickAxis1 + 3, 65535);
    EXPECT_EQ(input.getStatus(), 1);
    EXPECT_DOUBLE_EQ(input.getStickAxis1(), 0.0);
    EXPECT_DOUBLE_EQ(input.getStickAxis2(), 0.0);
    // Outside the zone the whole distance counts, not the part beyond it.
    EXPECT_NEAR(input.getStickAxis3(), 0.2, 1e-4);
    EXPECT_NEAR(input.getStickAxis4(), 1.000015, 1e-6);

    device.store(InputDevice::SBTrans, 500);
    device.store(InputDevice::SBRotate1, -500);
    device.store(InputDevice::SBRotate1 + 1, 20);
    device.store(InputDevice::SBRotate1 + 2, -21);
    EXPECT_DOUBLE_EQ(input.getSBTrans(), 1.0);
    EXPECT_DOUBLE_EQ(input.getSBRotate1(), -1.0);
    EXPECT_DOUBLE_EQ(input.getSBRotate2(), 0.0);
    EXPECT_DOUBLE_EQ(input.getSBRotate3(), -0.042);
}

TEST_F(InputDeviceTest, ConfigSetsRangesThresholdsAndMaxima) {
    std::string path = writeConfig("uidinit.cfg", "# StickMin: 5 is a comment\n"
                                                  "StickMin: 100 StickMax: 300\n"
                                                  "StickThreshold: 10\n"
                                                  "Unknown: 7\n"
                                                  "SBTransMin: -100 SBTransMax: 100 "
                                                  "SBTransThreshold: 0\n"
                                                  "SBRotateMin: -1000 SBRotateMax: 1000\n"
                                                  "SBRotateThreshold: 50\n"
                                                  "Phantom: 3\n");
    InputDevice input(path, block);
    EXPECT_EQ(input.stickRange().min, 100);
    EXPECT_EQ(input.stickRange().max, 300);
    EXPECT_EQ(input.stickRange().centre, 200);
    EXPECT_EQ(input.stickRange().threshold, 10);
    EXPECT_EQ(input.sbTransRange().centre, 0);
    EXPECT_EQ(input.sbRotateRange().max, 1000);
    EXPECT_EQ(input.sbRotateRange().threshold, 50);
    EXPECT_EQ(input.getPhantom(), 3);

    device.store(InputDevice::StickAxis1, 300);
    device.store(InputDevice::StickAxis1 + 1, 210);
    device.store(InputDevice::SBTrans, 1);
    device.store(InputDevice::SBRotate1, 500);
    EXPECT_DOUBLE_EQ(input.getStickAxis1(), 1.0);
    EXPECT_DOUBLE_EQ(input.getStickAxis2(), 0.0);
    EXPECT_DOUBLE_EQ(input.getSBTrans(), 0.01);
    EXPECT_DOUBLE_EQ(input.getSBRotate1(), 0.5);
}

TEST_F(InputDeviceTest, EmptyRangeFallsBackToTheDefault) {
    LogCapture log;
    InputDevice input(writeConfig("uidinit.cfg", "SBTransMin: 500\nStickMin: 70000\n"), block);
    EXPECT_EQ(input.stickRange().min, 0);
    EXPECT_EQ(input.stickRange().max, 65535);
    EXPECT_EQ(input.sbTransRange().min, -500);
    EXPECT_TRUE(log.contains("joystick"));
    EXPECT_TRUE(log.contains("3D-mouse translation"));
    device.store(InputDevice::SBTrans, 500);
    EXPECT_DOUBLE_EQ(input.getSBTrans(), 1.0);
}

TEST_F(InputDeviceTest, FirstFileFoundFromTheWorkingDirectoryUpWins) {
    std::filesystem::create_directories(std::filesystem::path(dir.path()) / "a/b/c");
    writeConfig("a/uidinit.cfg", "StickThreshold: 2\n");
    writeConfig("uidinit.cfg", "StickThreshold: 3\n"); // grandparent of a/b: found later
    InputDevice fromParent(configIn("a/b"), block);
    EXPECT_EQ(fromParent.stickRange().threshold, 2);
    InputDevice fromGrandparent(configIn("a/b/c"), block);
    EXPECT_EQ(fromGrandparent.stickRange().threshold, 2);
    writeConfig("a/b/uidinit.cfg", "StickThreshold: 1\n");
    InputDevice local(configIn("a/b"), block);
    EXPECT_EQ(local.stickRange().threshold, 1);
    InputDevice tooFar(configIn("a/b/c/d/e"), block);
    EXPECT_EQ(tooFar.stickRange().threshold, 6553);
    // A pipe in a file's place is passed over, and told.
    LogCapture log;
    ASSERT_EQ(::mkfifo(configIn("a/b/c").c_str(), 0600), 0);
    InputDevice pastPipe(configIn("a/b/c"), block);
    EXPECT_EQ(pastPipe.stickRange().threshold, 1);
    EXPECT_TRUE(log.contains(configIn("a/b/c") + ": Not a regular file (a named pipe)"));
}

TEST_F(InputDeviceTest, MappingClearsStaleButtonsButKeepsTheDeviceState) {
    for (int word = 0; word < InputDevice::WordCount; ++word)
        device.store(word, 100 + word);
    InputDevice input(configIn("none"), block);
    for (int word : {5, 6, 7, 15, 16, 17})
        EXPECT_EQ(device.load(word), 0) << "word " << word;
    EXPECT_EQ(input.getStatus(), 100);
    EXPECT_EQ(input.getSBStatus(), 108);
    EXPECT_EQ(device.load(9), 109);
}

TEST_F(InputDeviceTest, ButtonSetByTheDeviceProgramIsReportedOnce) {
    InputDevice input(configIn("none"), block);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SharedMemory program;
        if (!program.open(block, InputDevice::WordCount))
            _exit(1);
        program.setBits(InputDevice::StickButtons, button3);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_TRUE(input.testButtons(button3));
    EXPECT_TRUE(input.testButtons(0xffff));
    EXPECT_FALSE(input.testButtons(1 << 3));
    EXPECT_TRUE(input.testAndClearButtons(button3));
    EXPECT_FALSE(input.testAndClearButtons(button3));
    EXPECT_FALSE(input.testButtons(0xffff));
}

TEST_F(InputDeviceTest, ClearingOneButtonKeepsTheOthers) {
    InputDevice input(configIn("none"), block);
    device.setBits(InputDevice::StickButtons, button3 | 1);
    EXPECT_TRUE(input.testAndClearButtons(button3));
    EXPECT_EQ(device.load(InputDevice::StickButtons), 1);
    EXPECT_TRUE(input.testAndClearButtons(1));
    EXPECT_EQ(device.load(InputDevice::StickButtons), 0);
}

TEST_F(InputDeviceTest, CloseStopsReading) {
    InputDevice input(configIn("none"), block);
    device.store(InputDevice::StickStatus, 1);
    device.setBits(InputDevice::StickButtons, 1);
    input.close();
    EXPECT_FALSE(input.isMapped());
    EXPECT_EQ(input.getStatus(), 0);
    EXPECT_FALSE(input.testButtons(1));
    EXPECT_DOUBLE_EQ(input.getStickAxis1(), 0.0);
}

TEST(MouseButtonProbes, FollowTheButtonsHeldNow) {
    platform::setMouseButtons(Qt::LeftButton | Qt::RightButton);
    EXPECT_TRUE(isLeftButtonDown());
    EXPECT_FALSE(isMiddleButtonDown());
    EXPECT_TRUE(isRightButtonDown());
    platform::setMouseButtons(Qt::MiddleButton);
    EXPECT_FALSE(isLeftButtonDown());
    EXPECT_TRUE(isMiddleButtonDown());
    platform::setMouseButtons(Qt::NoButton);
    EXPECT_FALSE(isRightButtonDown());
}

TEST_F(InputDeviceTest, MalformedValuesKeepTheDefaults) {
    InputDevice input(writeConfig("uidinit.cfg", "StickMin: abc StickThreshold: 5\n"
                                                 "# a comment at the very end: StickMax:"
                                                 "\nSBTransThreshold:"),
                      block);
    EXPECT_EQ(input.stickRange().min, 0);
    EXPECT_EQ(input.stickRange().threshold, 5);
    EXPECT_EQ(input.stickRange().max, 65535);
    EXPECT_EQ(input.sbTransRange().threshold, 20);
    EXPECT_TRUE(input.isMapped());
}
