#include "engine/InputDevice.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/InputState.h"

namespace {

// The ranges the device program reports in when no file says otherwise.
const InputDevice::Range stickDefault{0, 65535, 6553};
const InputDevice::Range sbTransDefault{-500, 500, 20};
const InputDevice::Range sbRotateDefault{-500, 500, 20};

// An empty range would divide by zero and hand the camera infinities.
void checkRange(InputDevice::Range& range, const InputDevice::Range& fallback, const char* what) {
    if (range.max > range.min)
        return;
    logMessage("Input device: the %s range %d to %d is empty; using %d to %d.", what, range.min,
               range.max, fallback.min, fallback.max);
    range.min = fallback.min;
    range.max = fallback.max;
}

const char* const unreadConfig = "Could not read input device file.";

// "name", "../name" and "../../name", beside the directory part of name.
std::string findConfig(const std::string& name) {
    std::filesystem::path given(name);
    std::filesystem::path dir = given.parent_path();
    std::filesystem::path file = given.filename();
    for (const char* up : {"", "..", "../.."}) {
        std::filesystem::path candidate = dir / up / file;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate.string();
        if (std::filesystem::exists(candidate, error)) { // passed over, and told
            const DataFile refused(candidate.string());
            logFileFailure(unreadConfig, candidate.string(), refused.error());
        }
    }
    return std::string();
}

} // namespace

void InputDevice::Range::computeCentre() {
    // Halved in 64 bits: the sum of two large raw values overflows an int.
    centre = std::int32_t((std::int64_t(min) + max) / 2);
}

double InputDevice::Range::scale(std::int64_t raw) const {
    std::int64_t offset = raw - centre;
    if (std::llabs(offset) <= threshold)
        return 0.0;
    return 2.0 * double(offset) / (double(max) - double(min));
}

InputDevice::InputDevice(const std::string& configFile, const std::string& sharedName)
    : sharedName_(sharedName), stick_(stickDefault), sbTrans_(sbTransDefault),
      sbRotate_(sbRotateDefault) {
    readConfig(configFile);
}

InputDevice::~InputDevice() {
    close();
}

void InputDevice::readConfig(const std::string& fileName) {
    std::string path = findConfig(fileName);
    if (!path.empty())
        parse(path);
    checkRange(stick_, stickDefault, "joystick");
    checkRange(sbTrans_, sbTransDefault, "3D-mouse translation");
    checkRange(sbRotate_, sbRotateDefault, "3D-mouse rotation");
    stick_.computeCentre();
    sbTrans_.computeCentre();
    sbRotate_.computeCentre();
    if (uidMode_ == 1) {
        uidMode_ = 0;
        mapBlock();
    }
}

void InputDevice::parse(const std::string& path) {
    // The maxima have keywords too: a device whose range does not end at the
    // defaults would otherwise be read with the wrong scale.
    const std::pair<const char*, int*> keywords[] = {
        {"UIDMode:", &uidMode_},
        {"StickMin:", &stick_.min},
        {"StickMax:", &stick_.max},
        {"StickThreshold:", &stick_.threshold},
        {"SBTransMin:", &sbTrans_.min},
        {"SBTransMax:", &sbTrans_.max},
        {"SBTransThreshold:", &sbTrans_.threshold},
        {"SBRotateMin:", &sbRotate_.min},
        {"SBRotateMax:", &sbRotate_.max},
        {"SBRotateThreshold:", &sbRotate_.threshold},
        {"Phantom:", &phantom_},
    };
    DataFile file(path);
    if (!file.error().empty())
        logFileFailure(unreadConfig, path, file.error());
    std::string word;
    while (file.good()) {
        file.readWord(word);
        if (word.empty())
            break;
        if (word[0] == '#') {
            std::string rest;
            file.readLine(rest);
            continue;
        }
        for (const auto& keyword : keywords) {
            if (word == keyword.first) {
                file.readInt(*keyword.second);
                break;
            }
        }
    }
}

void InputDevice::mapBlock() {
    if (!block_.open(sharedName_, WordCount)) {
        logMessage("Input device: could not map the shared block %s.", sharedName_.c_str());
        return;
    }
    uidMode_ = 1;
    // Words the device program fills afresh; old button presses must not fire.
    for (int word : {5, 6, int(StickButtons), 15, 16, 17})
        block_.store(word, 0);
}

void InputDevice::close() {
    block_.close();
}

int InputDevice::getStatus() const {
    return live() ? block_.load(StickStatus) : 0;
}

int InputDevice::getSBStatus() const {
    return live() ? block_.load(SBStatus) : 0;
}

double InputDevice::axis(int word, const Range& range) const {
    return range.scale(live() ? block_.load(word) : range.centre);
}

bool InputDevice::testButtons(std::int32_t mask) const {
    return live() && (block_.load(StickButtons) & mask) != 0;
}

bool InputDevice::testAndClearButtons(std::int32_t mask) {
    // One atomic step: a press the device program writes meanwhile stays in
    // the word for the next frame.
    return live() && (block_.fetchAndClear(StickButtons, mask) & mask) != 0;
}

bool isLeftButtonDown() {
    return platform::isLeftButtonDown();
}

bool isMiddleButtonDown() {
    return platform::isMiddleButtonDown();
}

bool isRightButtonDown() {
    return platform::isRightButtonDown();
}
