// A camera in a small solar system (see ViewWorld.h), looking at the Earth,
// with an input device on a private shared block that the tests can write as
// the device program would.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <unistd.h>

#include "ViewWorld.h"
#include "engine/InputDevice.h"
#include "engine/Transition.h"
#include "platform/InputState.h"
#include "platform/SharedMemory.h"
#include "view/Camera.h"

namespace orvextest {

class CameraFixture : public ::testing::Test {
protected:
    CameraFixture() {
        device.open(block, InputDevice::WordCount);
        camera.setSsystem(&world.ssystem);
        camera.setTimer(&world.timer);
        world.select("Earth");
        platform::setMouseButtons(Qt::NoButton);
    }
    ~CameraFixture() override {
        platform::setMouseButtons(Qt::NoButton);
        Transition::setGlobalMode(Transition::Run);
        device.close();
        platform::SharedMemory::remove(block);
    }

    int run(const std::string& line) { return world.root.processScenarioLine(line); }
    std::string value(const std::string& word) {
        return world.root.getCommandValue("Camera." + word);
    }
    // Nominal frames as the root runs them: transitions tick, then the view.
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            Transition::tickAll(1.0);
            camera.stepView();
        }
    }
    static bool finite(const Quaternion& q) {
        return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
    }
    static bool finite(const Vector3& v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    }
    // The angle in degrees between two rotations.
    static double angleBetween(const Quaternion& a, const Quaternion& b) {
        const double dot = std::fabs(a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w);
        return 2.0 * std::acos(std::min(1.0, dot)) * 57.29577951308232;
    }

    // An input device of its own on a private block, as the device program
    // would map it.
    std::unique_ptr<InputDevice> privateDevice() {
        return std::make_unique<InputDevice>(dir.file("uidinit.cfg"), block);
    }

    TempDir dir;
    std::string block = "OrvexCamera_" + std::to_string(getpid()) + "_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    platform::SharedMemory device;
    ViewWorld world;
    Camera camera{&world.root, privateDevice()};
};

} // namespace orvextest
