// Look and trace targets: the name search (body, constellation, galaxy, fixed
// star, 3-D marker, in that order) and the conversions between view
// rotations, sky directions and the Observe angles.
#include <cmath>

#include "model/Ssystem.h"
#include "view/Camera.h"
#include "view/CameraMath.h"
#include "view/LookTargets.h"

using namespace cameramath;

Quaternion Camera::skyDirToRot(double a, double b) const {
    return R(axisX, eclipticTilt) * R(axisZ, (90.0 - a) * pi / 180.0) *
           R(axisX, (-b - 90.0) * pi / 180.0);
}

void Camera::rotToAltAz(const Quaternion& q, double& altitude, double& azimuth) const {
    const Vector3 v = (q.inverse() * observeRot().inverse()).rotateVector(Vector3(0, 0, -1));
    const double horizontal = std::sqrt(v.x * v.x + v.z * v.z);
    altitude = std::atan2(v.y, horizontal) * degreesPerRadian;
    if (horizontal == 0.0)
        return; // straight up or down: every azimuth is right, keep the one there is
    const double turn = v.z != 0.0 ? std::atan(v.x / v.z) : std::atan2(v.x, 0.0);
    azimuth = (turn + pi) * degreesPerRadian;
    if (v.z < 0.0)
        azimuth += 180.0;
}

void Camera::lookAt(double a, double b, double& altitude, double& azimuth) const {
    rotToAltAz(skyDirToRot(a, b), altitude, azimuth);
}

bool Camera::markerLookRot(const std::string& name, bool fromPlace, Quaternion& rot) const {
    if (!markers_ || !markers_->hasPos3(name))
        return false;
    const Vector3 pos = markers_->getPos3(name);
    const Vector3 to = fromPlace ? -pos - observeTrans(1) : pos;
    // A marker at the eye lies in no direction.
    const double length2 = to.dot(to);
    if (!(length2 > 0.0) || !std::isfinite(length2))
        return false;
    rot = Quaternion(axisZ, to);
    return true;
}

const SkyLookTargets* Camera::findSkyTarget(const std::string& name) const {
    for (const SkyLookTargets* targets : skyTargets_)
        if (targets && targets->hasLookTarget(name))
            return targets;
    return nullptr;
}

void Camera::getLookRot(const std::string& name, Quaternion& rot) {
    if (ssystem_ && ssystem_->isBodyShown(name)) {
        // The selected body is where the view already looks, outside Fly.
        if (mode_ == Fly || name != selectedName())
            rot = ssystem_->getLookRot(name, mode_);
    } else if (const SkyLookTargets* set = findSkyTarget(name)) {
        rot = set->getLookRot(name);
    } else {
        markerLookRot(name, false, rot);
    }
    targetName_.clear();
    targetKind_ = NoTarget;
}

void Camera::getLookAltAz(const std::string& name, double& altitude, double& azimuth) {
    bool found = false;
    Quaternion rot;
    if (ssystem_ && ssystem_->isBodyShown(name) && name != selectedName()) {
        rot = ssystem_->getLookRot(name, mode_);
        found = true;
    } else if (const SkyLookTargets* set = findSkyTarget(name)) {
        rot = set->getLookRot(name);
        found = true;
    } else {
        found = markerLookRot(name, true, rot);
    }
    if (found)
        rotToAltAz(rot, altitude, azimuth);
    targetName_.clear();
    targetKind_ = NoTarget;
}

void Camera::trace(const std::string& name) {
    if (ssystem_ && ssystem_->isBodyShown(name) && name != selectedName()) {
        targetName_ = name;
        targetKind_ = BodyTarget;
        return;
    }
    if (const SkyLookTargets* set = findSkyTarget(name)) {
        targetName_ = name;
        targetRot_ = set->getLookRot(name);
        targetKind_ = FixedTarget;
        return;
    }
    if (markerLookRot(name, false, targetRot_)) {
        targetName_ = name;
        targetKind_ = MarkerTarget;
        return;
    }
    targetName_.clear();
    targetKind_ = NoTarget;
    logLookNone();
}
