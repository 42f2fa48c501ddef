// What the camera answers to queries, the lines it saves into the state and
// options files, and the view lines "RecordView" writes into the command log.
// Angles in these texts are degrees. Saved distances, angles and positions
// take the digits that read them back; a rotation, turned into axis and
// angle and back, is not kept exactly whatever the digits, and keeps " %g".
#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "platform/NumericLocale.h"
#include "view/Camera.h"
#include "view/CameraMath.h"
#include "view/ParticleSystem.h"

using namespace cameramath;

namespace {

const char* modeWord(int mode) {
    return mode == Camera::Examine ? "Examine" : mode == Camera::Observe ? "Observe" : "Flight";
}

// Adding 0 turns a negative zero into 0, so texts never show "-0".
double plain(double value) {
    return value + 0.0;
}

// " x y z angle" of a rotation.
CommandArgs& appendAxisAngle(CommandArgs& text, const Quaternion& q) {
    Vector3 axis;
    double angle = 0.0;
    q.getAxisAngle(axis, angle);
    return text.appendDouble(axis.x).appendDouble(axis.y).appendDouble(axis.z).appendDouble(
        angle * degreesPerRadian);
}

// The state line's axis and angle, " %g" each, taken as the Rotate command
// reads them until the text reads back as itself: reading normalises the
// six-digit axis again, which can move its last digit, and a saved state
// then would not restore the lines it was saved from.
std::string savedAxisAngle(Quaternion q) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        CommandArgs line;
        appendAxisAngle(line, q);
        if (line.getText() == text)
            break;
        text = line.getText();
        double values[4] = {};
        const char* at = text.c_str();
        for (double& value : values)
            value = platform::parseDouble(at, &at);
        q = R(Vector3(values[0], values[1], values[2]), Camera::toRadians(values[3]));
    }
    return text;
}

// The three angles of the Euler commands, in the order they read them.
CommandArgs& appendEuler(CommandArgs& text, const Quaternion& q) {
    double a1 = 0.0, a2 = 0.0, a3 = 0.0;
    q.getEuler(a1, a2, a3);
    return text.appendDouble(plain(a1 * degreesPerRadian))
        .appendDouble(plain(a2 * degreesPerRadian))
        .appendDouble(plain(a3 * degreesPerRadian));
}

} // namespace

std::string Camera::getValue() {
    const std::string& word = owner_->interp.commandWord;
    CommandArgs text;
    if (word == "Rotate")
        appendAxisAngle(text, rot_.getValue());
    else if (word == "Euler")
        appendEuler(text, rot_.getValue());
    else if (word == "OffsetRotate")
        appendAxisAngle(text, offsetRot_.getValue());
    else if (word == "OffsetEuler")
        appendEuler(text, offsetRot_.getValue());
    else if (word == "Dist")
        text.appendDouble(distTr_.getValue());
    else if (word == "Orient")
        text.appendDouble(altTr_.getValue()).appendDouble(azTr_.getValue());
    else if (word == "Fov")
        text.appendDouble(fovTr_.getValue());
    else if (word == "Zoom")
        text.appendDouble(zoomTr_.getValue());
    else if (word == "Pos")
        text.appendDouble(pos_.x).appendDouble(pos_.y).appendDouble(pos_.z);
    else if (word == "PlaceDist")
        text.appendDouble(placeDistTr_.getValue());
    else if (word == "UnderLimit")
        text.appendDouble(underLimit_);
    else if (word == "ZoomMaxLimit")
        text.appendDouble(zoomMaxLimit_);
    else if (word == "ZoomMinLimit")
        text.appendDouble(zoomMinLimit_);
    else if (word == "AnimSense")
        text.appendDouble(animSense_);
    else if (word == "AccelDistRate")
        text.appendDouble(accelDistRate_[0]).appendDouble(accelDistRate_[1]);
    else if (word == "Mode")
        text.appendWord(modeWord(mode_));
    else if (word == "SelectMode")
        text.appendInt(selectMode_);
    else if (word == "HeadLight")
        text.appendInt(headLight_);
    else if (word == "AnimLength")
        text.appendInt(animLength_);
    else if (word == "InvertMouse")
        text.appendInt(invertMouse_);
    else if (word == "ViewLogFormat")
        text.appendInt(viewLogFormat_);
    else if (word == "PSystem")
        text.appendInt(psystem_);
    else if (word == "Animating")
        text.appendInt(isAnimating());
    else if (word == "PSFilename")
        text.appendWord(particles_->getFileName());
    else if (word == "TargetName")
        return targetKind_ == NoTarget ? std::string() : targetName_;
    else if (word == "CurConste" || word == "ConsteName")
        return consteName_;
    else
        return Base::getValue();
    return text.getText();
}

std::string Camera::saveStates() {
    CommandArgs text;
    if (viewLogFormat_ == 0)
        text.beginCommand(getName(), "Rotate").append(savedAxisAngle(baseRot_));
    else
        appendEuler(text.beginCommand(getName(), "Euler"), baseRot_);
    text.beginCommand(getName(), "Dist").appendExactDouble(dist_);
    text.beginCommand(getName(), "Fov").appendExactDouble(fovTr_.getValue());
    text.beginCommand(getName(), "Orient").appendExactDouble(altBase_).appendExactDouble(azBase_);
    text.beginCommand(getName(), "Zoom").appendExactDouble(zoomBase_);
    text.beginCommand(getName(), "Pos")
        .appendExactDouble(pos_.x)
        .appendExactDouble(pos_.y)
        .appendExactDouble(pos_.z);
    text.beginCommand(getName(), "Mode").appendWord(modeWord(mode_));
    text.beginCommand(getName(), "HeadLight").appendInt(headLight_);
    text.beginCommand(getName(), "PSystem").appendInt(psystem_);
    text.beginCommand(getName(), "PSFilename").appendWord(particles_->getFileName());
    return text.getText();
}

std::string Camera::saveOptions() {
    CommandArgs text;
    text.beginCommand(getName(), "PlaceDist").appendExactDouble(placeDistTr_.getValue());
    text.beginCommand(getName(), "UnderLimit").appendExactDouble(underLimit_);
    text.beginCommand(getName(), "ZoomMaxLimit").appendExactDouble(zoomMaxLimit_);
    text.beginCommand(getName(), "ZoomMinLimit").appendExactDouble(zoomMinLimit_);
    text.beginCommand(getName(), "InvertMouse").appendInt(invertMouse_);
    text.beginCommand(getName(), "ViewLogFormat").appendInt(viewLogFormat_);
    text.beginCommand(getName(), "AccelDistRate").appendExactDoubles(accelDistRate_, 2);
    text.beginCommand(getName(), "AnimSense").appendExactDouble(animSense_);
    return text.getText();
}

void Camera::recordView() {
    if (!owner_)
        return;
    CommandArgs& log = owner_->interp.log;
    auto rotationLine = [&] {
        if (viewLogFormat_ == 0)
            appendAxisAngle(log.beginCommand(getName(), "Rotate"), rot_.getValue());
        else
            appendEuler(log.beginCommand(getName(), "Euler"), rot_.getValue());
    };
    if (mode_ == Examine) {
        rotationLine();
        log.beginCommand(getName(), "Dist").appendDouble(distTr_.getValue());
    } else if (mode_ == Observe) {
        log.beginCommand(getName(), "Orient")
            .appendDouble(altTr_.getValue())
            .appendDouble(azTr_.getValue());
        log.beginCommand(getName(), "Zoom").appendDouble(zoomTr_.getValue());
    } else {
        rotationLine();
        log.beginCommand(getName(), "Pos")
            .appendDouble(pos_.x)
            .appendDouble(pos_.y)
            .appendDouble(pos_.z);
    }
}
