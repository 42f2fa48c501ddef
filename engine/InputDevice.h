// A joystick and a 3D mouse whose state an outside device program publishes in
// the shared block "DUUID_DATA" (eighteen 32-bit words). Axes come out scaled
// to about -1..+1 with a dead zone around the centre; joystick buttons are bits
// the device program sets and this side clears once it has acted on them.
// Ranges and the mode come from "uidinit.cfg".
#pragma once

#include <cstdint>
#include <string>

#include "platform/SharedMemory.h"

class InputDevice {
public:
    static constexpr const char* blockName = "DUUID_DATA";
    static constexpr const char* configName = "uidinit.cfg";

    // Word indices of the shared block.
    enum Word : int {
        StickStatus = 0,
        StickAxis1 = 1, // axes 2 to 4 follow
        StickButtons = 7,
        SBStatus = 8,
        SBTrans = 10,
        SBRotate1 = 12, // rotations 2 and 3 follow
        WordCount = 18
    };

    // An axis range in raw device units. Inside the dead zone (threshold
    // around the centre) an axis reads exactly 0; outside it the full distance
    // from the centre counts.
    struct Range {
        std::int32_t min;
        std::int32_t max;
        std::int32_t threshold;
        std::int32_t centre = 0;
        void computeCentre();
        double scale(std::int64_t raw) const;
    };

    // Reads the configuration found from configFile (see readConfig) and maps
    // the shared block named sharedName; tests pass a private block name.
    explicit InputDevice(const std::string& configFile = configName,
                         const std::string& sharedName = blockName);
    ~InputDevice();
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    // Reads the first of "name", "../name", "../../name" that exists (relative
    // to the directory part of name), then maps the block when the mode asks
    // for it. Without a file the defaults stay.
    void readConfig(const std::string& fileName);
    // Unmaps the block.
    void close();

    int getStatus() const;
    int getSBStatus() const;
    double getStickAxis1() const { return axis(StickAxis1, stick_); }
    double getStickAxis2() const { return axis(StickAxis1 + 1, stick_); }
    double getStickAxis3() const { return axis(StickAxis1 + 2, stick_); }
    double getStickAxis4() const { return axis(StickAxis1 + 3, stick_); }
    double getSBTrans() const { return axis(SBTrans, sbTrans_); }
    double getSBRotate1() const { return axis(SBRotate1, sbRotate_); }
    double getSBRotate2() const { return axis(SBRotate1 + 1, sbRotate_); }
    double getSBRotate3() const { return axis(SBRotate1 + 2, sbRotate_); }

    // True when any button bit of the mask is set (bit i is button i + 1).
    bool testButtons(std::int32_t mask) const;
    // The same test, and the mask's bits are cleared, so each press is seen once.
    bool testAndClearButtons(std::int32_t mask);

    bool isMapped() const { return block_.isOpen(); }
    int getUidMode() const { return uidMode_; }
    int getPhantom() const { return phantom_; }

    const Range& stickRange() const { return stick_; }
    const Range& sbTransRange() const { return sbTrans_; }
    const Range& sbRotateRange() const { return sbRotate_; }

private:
    bool live() const { return uidMode_ == 1 && block_.isOpen(); }
    // The scaled word; the centre of its range (so the axis rests) when the
    // device is not read.
    double axis(int word, const Range& range) const;
    void parse(const std::string& path);
    void mapBlock();

    std::string sharedName_;
    platform::SharedMemory block_;
    int uidMode_ = 1;
    Range stick_{0, 65535, 6553};
    Range sbTrans_{-500, 500, 20};
    Range sbRotate_{-500, 500, 20};
    int phantom_ = 0;
};

// Whether a mouse button is down right now (the camera's drag handling asks
// while it moves the view).
bool isLeftButtonDown();
bool isMiddleButtonDown();
bool isRightButtonDown();
