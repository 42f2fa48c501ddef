// The 76 command words of "Camera": what each reads and what it does.
// The table below is in the order of the command table; registration follows
// its own order (the property panel's), and seven words run without being
// registered at all.
#include <charconv>
#include <cmath>

#include "engine/CommandArgs.h"
#include "engine/CommandTable.h"
#include "engine/Main.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "view/Camera.h"
#include "view/CameraMath.h"
#include "view/ParticleSystem.h"

using namespace cameramath;

namespace {

enum class Word {
    Rotate,
    Euler,
    Dist,
    Orient,
    Zoom,
    Fov,
    Pos,
    OffsetRotate,
    OffsetEuler,
    UnderLimit,
    ZoomMinLimit,
    ZoomMaxLimit,
    PlaceDist,
    Mode,
    AnimLength,
    Animating,
    HeadLight,
    SelectMode,
    CurConste,
    ConsteName,
    InvertMouse,
    ViewLogFormat,
    AccelDistRate,
    AnimSense,
    PSystem,
    PSFilename,
    TargetName,
    RotateTo,
    EulerTo,
    DistTo,
    RefRotate,
    RefEuler,
    RefDist,
    RefRotateTo,
    RefEulerTo,
    RefDistTo,
    OrientTo,
    FovTo,
    ZoomTo,
    RefOrient,
    RefFov,
    RefZoom,
    RefOrientTo,
    RefFovTo,
    RefZoomTo,
    PosTo,
    RefPos,
    RefPosTo,
    Velocity,
    VelocityX,
    VelocityY,
    VelocityZ,
    Speed,
    PlaceDistTo,
    LookAt,
    LookAtTo,
    Look,
    LookTo,
    LookPlace,
    LookPlaceOffset,
    LookPlaceTo,
    LookPlaceOffsetTo,
    TraceAt,
    TraceAtTo,
    Trace,
    TraceTo,
    TracePlace,
    TracePlaceTo,
    OffsetRotateTo,
    OffsetEulerTo,
    ModeTo,
    ModeTog,
    ModePrev,
    ModeNext,
    HeadLightTog,
    RecordView
};

struct CommandWord {
    const char* name;
    Word word;
};

// The command table, in its own order.
constexpr CommandWord commandWords[] = {
    {"Rotate", Word::Rotate},
    {"Euler", Word::Euler},
    {"Dist", Word::Dist},
    {"Orient", Word::Orient},
    {"Zoom", Word::Zoom},
    {"Fov", Word::Fov},
    {"Pos", Word::Pos},
    {"OffsetRotate", Word::OffsetRotate},
    {"OffsetEuler", Word::OffsetEuler},
    {"UnderLimit", Word::UnderLimit},
    {"ZoomMinLimit", Word::ZoomMinLimit},
    {"ZoomMaxLimit", Word::ZoomMaxLimit},
    {"PlaceDist", Word::PlaceDist},
    {"Mode", Word::Mode},
    {"AnimLength", Word::AnimLength},
    {"Animating", Word::Animating},
    {"HeadLight", Word::HeadLight},
    {"SelectMode", Word::SelectMode},
    {"CurConste", Word::CurConste},
    {"ConsteName", Word::ConsteName},
    {"InvertMouse", Word::InvertMouse},
    {"ViewLogFormat", Word::ViewLogFormat},
    {"AccelDistRate", Word::AccelDistRate},
    {"AnimSense", Word::AnimSense},
    {"PSystem", Word::PSystem},
    {"PSFilename", Word::PSFilename},
    {"TargetName", Word::TargetName},
    {"RotateTo", Word::RotateTo},
    {"EulerTo", Word::EulerTo},
    {"DistTo", Word::DistTo},
    {"RefRotate", Word::RefRotate},
    {"RefEuler", Word::RefEuler},
    {"RefDist", Word::RefDist},
    {"RefRotateTo", Word::RefRotateTo},
    {"RefEulerTo", Word::RefEulerTo},
    {"RefDistTo", Word::RefDistTo},
    {"OrientTo", Word::OrientTo},
    {"FovTo", Word::FovTo},
    {"ZoomTo", Word::ZoomTo},
    {"RefOrient", Word::RefOrient},
    {"RefFov", Word::RefFov},
    {"RefZoom", Word::RefZoom},
    {"RefOrientTo", Word::RefOrientTo},
    {"RefFovTo", Word::RefFovTo},
    {"RefZoomTo", Word::RefZoomTo},
    {"PosTo", Word::PosTo},
    {"RefPos", Word::RefPos},
    {"RefPosTo", Word::RefPosTo},
    {"Velocity", Word::Velocity},
    {"VelocityX", Word::VelocityX},
    {"VelocityY", Word::VelocityY},
    {"VelocityZ", Word::VelocityZ},
    {"Speed", Word::Speed},
    {"PlaceDistTo", Word::PlaceDistTo},
    {"LookAt", Word::LookAt},
    {"LookAtTo", Word::LookAtTo},
    {"Look", Word::Look},
    {"LookTo", Word::LookTo},
    {"LookPlace", Word::LookPlace},
    {"LookPlaceOffset", Word::LookPlaceOffset},
    {"LookPlaceTo", Word::LookPlaceTo},
    {"LookPlaceOffsetTo", Word::LookPlaceOffsetTo},
    {"TraceAt", Word::TraceAt},
    {"TraceAtTo", Word::TraceAtTo},
    {"Trace", Word::Trace},
    {"TraceTo", Word::TraceTo},
    {"TracePlace", Word::TracePlace},
    {"TracePlaceTo", Word::TracePlaceTo},
    {"OffsetRotateTo", Word::OffsetRotateTo},
    {"OffsetEulerTo", Word::OffsetEulerTo},
    {"ModeTo", Word::ModeTo},
    {"ModeTog", Word::ModeTog},
    {"ModePrev", Word::ModePrev},
    {"ModeNext", Word::ModeNext},
    {"HeadLightTog", Word::HeadLightTog},
    {"RecordView", Word::RecordView},
};
static_assert(sizeof commandWords / sizeof commandWords[0] == 76, "76 command words");

struct Registration {
    const char* name;
    bool hidden;
};

// Registration order (the listing's). Not registered at all: OffsetRotate,
// OffsetEuler, OffsetRotateTo, OffsetEulerTo, TracePlace, TracePlaceTo and
// ModeTog.
constexpr Registration registrations[] = {
    {"Rotate", false},       {"Euler", false},
    {"Dist", false},         {"Fov", false},
    {"Orient", false},       {"Zoom", false},
    {"Pos", false},          {"UnderLimit", false},
    {"ZoomMinLimit", false}, {"ZoomMaxLimit", false},
    {"PlaceDist", false},    {"Mode", false},
    {"AnimLength", false},   {"Animating", false},
    {"HeadLight", false},    {"SelectMode", true},
    {"CurConste", true},     {"ConsteName", true},
    {"InvertMouse", false},  {"ViewLogFormat", false},
    {"AccelDistRate", true}, {"AnimSense", true},
    {"PSystem", false},      {"PSFilename", false},
    {"TargetName", false},   {"RotateTo", false},
    {"EulerTo", false},      {"DistTo", false},
    {"RefRotate", false},    {"RefEuler", false},
    {"RefDist", false},      {"RefRotateTo", false},
    {"RefEulerTo", false},   {"RefDistTo", false},
    {"OrientTo", false},     {"FovTo", false},
    {"ZoomTo", false},       {"RefOrient", false},
    {"RefFov", false},       {"RefZoom", false},
    {"RefOrientTo", false},  {"RefFovTo", false},
    {"RefZoomTo", false},    {"PosTo", false},
    {"RefPos", false},       {"RefPosTo", false},
    {"Velocity", true},      {"VelocityX", true},
    {"VelocityY", true},     {"VelocityZ", true},
    {"Speed", true},         {"PlaceDistTo", false},
    {"LookAt", false},       {"LookAtTo", false},
    {"Look", false},         {"LookTo", false},
    {"LookPlace", false},    {"LookPlaceOffset", false},
    {"LookPlaceTo", false},  {"LookPlaceOffsetTo", false},
    {"TraceAt", false},      {"TraceAtTo", false},
    {"Trace", false},        {"TraceTo", false},
    {"ModeTo", false},       {"ModePrev", false},
    {"ModeNext", false},     {"HeadLightTog", false},
    {"RecordView", false},
};
static_assert(sizeof registrations / sizeof registrations[0] == 69, "69 registered words");

// Argument readers. A number that is no finite number (nan, inf, 1e999)
// reads as 0 like any other non-number, so that nothing undefined reaches
// the view or a saved line.
double number(CommandArgs& args) {
    double value = 0.0;
    args.readDouble(value);
    return std::isfinite(value) ? value : 0.0;
}

int integer(CommandArgs& args) {
    int value = 0;
    args.readInt(value);
    return value;
}

// The step count of a To form: missing or below 1 is 1.
int steps(CommandArgs& args) {
    const int n = integer(args);
    return n < 1 ? 1 : n;
}

Vector3 vector(CommandArgs& args) {
    const double x = number(args);
    const double y = number(args);
    const double z = number(args);
    return Vector3(x, y, z);
}

// "x y z a": false for an axis without a direction (all three 0, which is
// also what missing arguments give); the rotation then stays as it was.
bool axisRotation(CommandArgs& args, Quaternion& q) {
    const Vector3 axis = vector(args);
    const double angle = number(args);
    if (axis.length() == 0.0)
        return false;
    q = R(axis, Camera::toRadians(angle));
    return true;
}

// "a b c" as the three angles of the Euler rotation (radians).
void eulerAngles(CommandArgs& args, double angles[3]) {
    for (int i = 0; i < 3; ++i)
        angles[i] = Camera::toRadians(number(args));
}

// "%.2e" in the C locale whatever locale is set.
std::string exponent2(double value) {
    char buffer[64];
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 2).ptr;
    return std::string(buffer, end);
}

} // namespace

void Camera::registerCommands() {
    if (!owner_)
        return;
    for (const Registration& entry : registrations)
        owner_->interp.addCommand(getName(), entry.name, entry.hidden);
}

int Camera::execute() {
    const CommandWord* entry = findCommandWord(commandWords, owner_->interp.commandWord);
    if (!entry)
        return 0;
    CommandArgs& args = owner_->interp.args;
    auto clampView = [this](double v) {
        if (v < zoomMinLimit_)
            v = zoomMinLimit_;
        if (v > zoomMaxLimit_)
            v = zoomMaxLimit_;
        return v;
    };
    // A relative change reduced so that current + d stays within the limits.
    auto reduceView = [this](double current, double d) {
        if (current + d < zoomMinLimit_)
            d = zoomMinLimit_ - current;
        if (current + d > zoomMaxLimit_)
            d = zoomMaxLimit_ - current;
        return d;
    };
    auto clearDrag = [this] { dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0; };
    auto removeAzimuthTurns = [this] {
        const double v = azTr_.getValue();
        azTr_.set(v - std::trunc(v / 360.0) * 360.0);
    };
    // The turn of LookAt and LookAtTo (and TraceAtTo's).
    auto lookAtSky = [&](double a, double b, int frames, bool animated) {
        if (mode_ == Observe) {
            lookAt(a, b, altBase_, azBase_);
            if (animated) {
                altTr_.startTo(altBase_, frames);
                azTr_.startTo(azBase_, frames);
            } else {
                altTr_.set(altBase_);
                azTr_.set(azBase_);
            }
        } else {
            baseRot_ = skyDirToRot(a, b);
            if (animated)
                rot_.startTo(baseRot_, frames);
            else
                rot_.set(baseRot_);
        }
    };
    // The turn of Look and LookTo (and TraceTo's).
    auto lookAtName = [&](std::string name, int frames, bool animated) {
        if (mode_ == Observe) {
            getLookAltAz(name, altBase_, azBase_);
            if (animated) {
                altTr_.startTo(altBase_, frames);
                azTr_.startTo(azBase_, frames);
            } else {
                altTr_.set(altBase_);
                azTr_.set(azBase_);
            }
        } else {
            if (name == "Default")
                name = selectedName();
            getLookRot(name, baseRot_);
            if (animated)
                rot_.startTo(baseRot_, frames);
            else
                rot_.set(baseRot_);
        }
    };
    auto traceAt = [&](double a, double b) {
        targetRot_ = skyDirToRot(a, b);
        targetName_ = "R.A." + exponent2(a) + " Decl." + exponent2(b);
        targetKind_ = FixedTarget;
    };
    // The place rows act outside Observe, with a selected place only.
    auto placeRow = [&](bool offset, bool animated, int kind) {
        updatePose();
        const double a = offset ? number(args) : 0.0;
        const double b = offset ? number(args) : 0.0;
        const int frames = animated ? steps(args) : 1;
        if (mode_ == Observe || !hasPlace())
            return;
        baseRot_ = placeRebuild(a, b);
        clearDrag();
        if (animated)
            rot_.startTo(baseRot_, frames);
        else
            rot_.set(baseRot_);
        targetKind_ = kind;
    };

    Quaternion q;
    double angles[3];
    switch (entry->word) {
    // Rotations of Examine and Fly.
    case Word::Rotate:
    case Word::RotateTo:
    case Word::RefRotate:
    case Word::RefRotateTo: {
        const bool valid = axisRotation(args, q);
        const bool animated = entry->word == Word::RotateTo || entry->word == Word::RefRotateTo;
        const int frames = animated ? steps(args) : 1;
        if (!valid)
            return 1;
        const bool relative = entry->word == Word::RefRotate || entry->word == Word::RefRotateTo;
        baseRot_ = relative ? rot_.getValue() * q : q;
        clearDrag();
        if (animated)
            rot_.startTo(baseRot_, frames);
        else
            rot_.set(baseRot_);
        return 1;
    }
    case Word::Euler:
        eulerAngles(args, angles);
        baseRot_ = Quaternion(angles[0], angles[1], angles[2]);
        clearDrag();
        rot_.set(baseRot_);
        return 1;
    case Word::EulerTo:
        eulerAngles(args, angles);
        baseRot_ = Quaternion(angles[0], angles[1], angles[2]);
        clearDrag();
        rot_.startToEuler(angles[0], angles[1], angles[2], steps(args));
        return 1;
    case Word::RefEuler:
    case Word::RefEulerTo:
        eulerAngles(args, angles);
        baseRot_ = baseRot_ * Quaternion(angles[0], angles[1], angles[2]);
        clearDrag();
        if (entry->word == Word::RefEulerTo)
            rot_.startTo(baseRot_, steps(args));
        else
            rot_.set(baseRot_);
        return 1;
    case Word::OffsetRotate:
        if (axisRotation(args, q))
            offsetRot_.set(q);
        return 1;
    case Word::OffsetEuler:
        eulerAngles(args, angles);
        offsetRot_.set(Quaternion(angles[0], angles[1], angles[2]));
        return 1;
    case Word::OffsetRotateTo: {
        updatePose();
        const bool valid = axisRotation(args, q);
        const int frames = steps(args);
        if (valid)
            offsetRot_.startTo(q, frames);
        return 1;
    }
    case Word::OffsetEulerTo:
        updatePose();
        eulerAngles(args, angles);
        offsetRot_.startTo(Quaternion(angles[0], angles[1], angles[2]), steps(args));
        return 1;

    // Distance, Observe angles and fields of view.
    case Word::Dist:
        dist_ = number(args);
        pendingDist_ = 0.0;
        distTr_.set(dist_);
        return 1;
    case Word::DistTo:
        dist_ = number(args);
        pendingDist_ = 0.0;
        distTr_.startTo(dist_, steps(args));
        return 1;
    case Word::RefDist:
        dist_ = distTr_.getValue() + number(args);
        pendingDist_ = 0.0;
        distTr_.set(dist_);
        return 1;
    case Word::RefDistTo:
        dist_ = distTr_.getValue() + number(args);
        pendingDist_ = 0.0;
        distTr_.startTo(dist_, steps(args));
        return 1;
    case Word::Orient:
        altBase_ = number(args);
        azBase_ = number(args);
        altOffset_ = azOffset_ = 0.0;
        altTr_.set(altBase_);
        azTr_.set(azBase_);
        return 1;
    case Word::OrientTo: {
        altBase_ = number(args);
        azBase_ = number(args);
        const int frames = steps(args);
        altOffset_ = azOffset_ = 0.0;
        // From 725 the way to 10 is 5 degrees on, not 715 back.
        removeAzimuthTurns();
        altTr_.startTo(altBase_, frames);
        azTr_.startTo(azBase_, frames);
        return 1;
    }
    case Word::RefOrient:
        altBase_ = altTr_.getValue() + number(args);
        azBase_ = azTr_.getValue() + number(args);
        altOffset_ = azOffset_ = 0.0;
        altTr_.set(altBase_);
        azTr_.set(azBase_);
        return 1;
    case Word::RefOrientTo: {
        const double alt = number(args);
        const double az = number(args);
        const int frames = steps(args);
        altOffset_ = azOffset_ = 0.0;
        removeAzimuthTurns();
        altBase_ = altTr_.getValue() + alt;
        azBase_ = azTr_.getValue() + az;
        altTr_.startTo(altBase_, frames);
        azTr_.startTo(azBase_, frames);
        return 1;
    }
    case Word::Fov:
        fovTr_.set(clampView(number(args)));
        return 1;
    case Word::FovTo: {
        const double f = clampView(number(args));
        fovTr_.startTo(f, steps(args));
        return 1;
    }
    case Word::RefFov:
    case Word::RefFovTo: {
        const double v = fovTr_.getValue();
        const double target = v + reduceView(v, number(args));
        if (entry->word == Word::RefFovTo)
            fovTr_.startTo(target, steps(args));
        else
            fovTr_.set(target);
        return 1;
    }
    case Word::Zoom:
    case Word::ZoomTo:
        zoomBase_ = clampView(number(args));
        zoomOffset_ = 0.0;
        if (entry->word == Word::ZoomTo)
            zoomTr_.startTo(zoomBase_, steps(args));
        else
            zoomTr_.set(zoomBase_);
        return 1;
    case Word::RefZoom:
    case Word::RefZoomTo: {
        const double v = zoomTr_.getValue();
        zoomBase_ = v + reduceView(v, number(args));
        zoomOffset_ = 0.0;
        if (entry->word == Word::RefZoomTo)
            zoomTr_.startTo(zoomBase_, steps(args));
        else
            zoomTr_.set(zoomBase_);
        return 1;
    }
    case Word::PlaceDist:
        placeDist(number(args));
        return 1;
    case Word::PlaceDistTo: {
        const double h = number(args);
        placeDistTo(h, integer(args));
        return 1;
    }

    // Position and motion.
    case Word::Pos:
    case Word::PosTo:
        pos_ = vector(args); // there is no position transition: the step count is ignored
        return 1;
    case Word::RefPos:
    case Word::RefPosTo:
        pos_ += vector(args);
        return 1;
    case Word::Velocity:
        velocity_ = vector(args);
        return 1;
    case Word::VelocityX:
        velocity_.x = number(args);
        return 1;
    case Word::VelocityY:
        velocity_.y = number(args);
        return 1;
    case Word::VelocityZ:
        velocity_.z = number(args);
        return 1;
    case Word::Speed:
        speedScale_ = number(args);
        return 1;

    // Looking at things.
    case Word::LookAt:
    case Word::LookAtTo: {
        updatePose();
        const double a = number(args);
        const double b = number(args);
        const bool animated = entry->word == Word::LookAtTo;
        lookAtSky(a, b, animated ? steps(args) : 1, animated);
        return 1;
    }
    case Word::Look:
    case Word::LookTo: {
        updatePose();
        commitDrag();
        const std::string name = args.readWord();
        const bool animated = entry->word == Word::LookTo;
        lookAtName(name, animated ? steps(args) : 1, animated);
        return 1;
    }
    case Word::TraceAt: {
        updatePose();
        commitDrag();
        const double a = number(args);
        const double b = number(args);
        traceAt(a, b);
        return 1;
    }
    case Word::TraceAtTo: {
        updatePose();
        const double a = number(args);
        const double b = number(args);
        lookAtSky(a, b, steps(args), true);
        traceAt(a, b);
        return 1;
    }
    case Word::Trace:
        updatePose();
        commitDrag();
        trace(args.readWord());
        return 1;
    case Word::TraceTo: {
        updatePose();
        const std::string name = args.readWord();
        lookAtName(name, steps(args), true);
        trace(name);
        return 1;
    }
    case Word::LookPlace:
    case Word::LookPlaceTo:
    case Word::LookPlaceOffset:
    case Word::LookPlaceOffsetTo:
    case Word::TracePlace:
    case Word::TracePlaceTo: {
        const Word w = entry->word;
        const bool offset = w == Word::LookPlaceOffset || w == Word::LookPlaceOffsetTo;
        const bool animated =
            w == Word::LookPlaceTo || w == Word::LookPlaceOffsetTo || w == Word::TracePlaceTo;
        const bool follow = w == Word::TracePlace || w == Word::TracePlaceTo;
        placeRow(offset, animated, follow ? PlaceTarget : NoTarget);
        return 1;
    }

    // Modes.
    case Word::Mode: {
        const std::string word = args.readWord();
        if (word == "Examine")
            setMode(Examine, 0, -1, 0);
        else if (word == "Observe")
            setMode(Observe, 0, -1, 0);
        else if (word == "Flight" || word == "Fly")
            setMode(Fly, 0, -1, 0);
        else
            return 0;
        return 1;
    }
    case Word::ModeTo: {
        const std::string word = args.readWord();
        const int frames = integer(args);
        const int placeEntry = integer(args);
        if (word == "Examine")
            setMode(Examine, 1, frames, placeEntry);
        else if (word == "Observe" && mode_ != Observe)
            setMode(Observe, 1, frames, placeEntry);
        else if (word == "Fly" && mode_ != Fly)
            setMode(Fly, 0, frames, placeEntry); // into Fly is never animated
        return 1;
    }
    case Word::ModeTog:
    case Word::ModeNext:
    case Word::ModePrev: {
        const int frames = integer(args);
        const int placeEntry = integer(args);
        if (entry->word == Word::ModePrev)
            modePrev(1, frames, placeEntry);
        else
            modeTog(1, frames, placeEntry);
        return 1;
    }
    case Word::SelectMode:
        selectMode(integer(args));
        return 1;
    case Word::AnimLength:
        setAnimLength(integer(args));
        return 1;

    // Switches and settings.
    case Word::HeadLight:
        if (integer(args))
            headLightOn();
        else
            headLightOff();
        return 1;
    case Word::HeadLightTog:
        headLightTog();
        return 1;
    case Word::InvertMouse:
        invertMouse_ = integer(args);
        return 1;
    case Word::ViewLogFormat:
        viewLogFormat_ = integer(args) != 0;
        return 1;
    case Word::AccelDistRate:
        accelDistRate_[0] = number(args);
        accelDistRate_[1] = number(args);
        return 1;
    case Word::AnimSense:
        animSense_ = number(args);
        return 1;
    case Word::UnderLimit:
        underLimit(number(args));
        return 1;
    case Word::ZoomMinLimit:
        zoomMinLimit(number(args));
        return 1;
    case Word::ZoomMaxLimit:
        zoomMaxLimit(number(args));
        return 1;
    case Word::PSystem:
        psystem_ = integer(args);
        return 1;
    case Word::PSFilename:
        loadEffect(args.readWord());
        return 1;
    case Word::RecordView:
        recordView();
        return NotLogged;

    // Words that only answer queries.
    case Word::Animating:
    case Word::CurConste:
    case Word::ConsteName:
    case Word::TargetName:
        return 0;
    }
    return 0;
}
