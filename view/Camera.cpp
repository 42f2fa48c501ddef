#include "view/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>

#include "engine/InputDevice.h"
#include "engine/Main.h"
#include "engine/Timer.h"
#include "engine/Transition.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "view/CameraMath.h"
#include "view/CloudSwitch.h"
#include "view/LandscapeState.h"
#include "view/LookTargets.h"
#include "view/ParticleSystem.h"

using namespace cameramath;

namespace {

// Clipping planes while no solar system is connected.
constexpr double defaultNear = 0.0001;
constexpr double defaultFar = 100.0;
// The near plane during the half of a mode change spent at the surface.
constexpr double surfaceNear = 7.25e-05;
// The device factor of distance and zoom, in single precision.
constexpr double deviceStep = double(0.1f);

} // namespace

Camera::Camera(Main* owner) : Camera(owner, std::make_unique<InputDevice>()) {}

Camera::Camera(Main* owner, std::unique_ptr<InputDevice> device)
    : Base("Camera", owner), owner_(owner), particles_(std::make_unique<ParticleSystem>()),
      inputDevice_(std::move(device)) {
    registerCommands();
    animCounter_.set(-1.0);
    distTr_.set(dist_); // the distance shows before the first frame too
    placeDistTr_.setIfIdle(1.0);
    fovTr_.set(45.0);
    altTr_.setIfIdle(0.0);
    azTr_.setIfIdle(0.0);
    zoomTr_.setIfIdle(45.0);
    particles_->setAlpha(0.0f);
}

Camera::~Camera() {
    if (inputDevice_)
        inputDevice_->close();
}

double Camera::toRadians(double degrees) {
    return degrees * 0.017453292519943295 - std::trunc(degrees * (1.0 / 360.0)) * 6.283185307179586;
}

double Camera::getRadiusRate() const {
    return ssystem_ ? ssystem_->getRadiusRate() : defaultNear;
}

double Camera::getOrbitRate() const {
    return ssystem_ ? ssystem_->getOrbitRate() : defaultFar;
}

bool Camera::scaleOn() const {
    return ssystem_ && ssystem_->getScale();
}

bool Camera::hasPlace() const {
    return ssystem_ && ssystem_->getPlaceIndex() >= 0;
}

std::string Camera::selectedName() const {
    return ssystem_ ? ssystem_->getSelectedName() : std::string();
}

// The neutral answers without a selected body: identity, origin, radius 1.
Quaternion Camera::observeRot() const {
    return ssystem_ && ssystem_->getSelectedBody() ? ssystem_->getObserveRot() : Quaternion();
}

Vector3 Camera::bodyTrans() const {
    return ssystem_ && ssystem_->getSelectedBody() ? ssystem_->getTrans() : Vector3();
}

double Camera::bodyRadius() const {
    return ssystem_ && ssystem_->getSelectedBody() ? ssystem_->getRadius() : 1.0;
}

Vector3 Camera::observeTrans(int atRate2) const {
    return ssystem_ && ssystem_->getSelectedBody() ? ssystem_->getObserveTrans(atRate2, -1.0)
                                                   : Vector3();
}

void Camera::setDist(double d) {
    if (d <= 1.5)
        d = 1.5;
    dist_ = d;
    pendingDist_ = 0.0;
    distTr_.set(d);
}

void Camera::setAnimLength(int frames) {
    animLength_ = frames < 1 ? 60 : frames;
}

void Camera::placeDistTo(double h, int steps) {
    placeDistTr_.startTo(h, steps < 1 ? 1 : steps);
}

void Camera::selectMode(int on) {
    selectMode_ = on;
    commitDrag();
}

void Camera::commitDrag() {
    if (!(mouseState_ == ExamineRotate && std::hypot(spinRateX_, spinRateY_) >= animSense_))
        spinRateX_ = spinRateY_ = 0.0;
    foldDrag();
    dist_ += pendingDist_;
    altBase_ += altOffset_;
    azBase_ += azOffset_;
    zoomBase_ += zoomOffset_;
    pendingDist_ = altOffset_ = azOffset_ = zoomOffset_ = 0.0;
    mouseState_ = Idle;
}

void Camera::foldDrag() {
    baseRot_ = baseRot_ * T(axisY, dragAngleY_) * T(axisX, dragAngleX_) * T(axisZ, dragAngleZ_);
    dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0;
}

void Camera::loadEffect(const std::string& file) {
    platform::CurrentDirGuard guard;
    if (owner_ && !owner_->getDataDir().empty())
        guard.change(owner_->getDataDir());
    particles_->load(file);
}

void Camera::loadPlaceWeather() {
    if (mode_ == Observe)
        loadEffect(ssystem_ ? ssystem_->getPlaceWeather() : "None");
}

void Camera::updatePose() {
    if (ssystem_ && timer_)
        ssystem_->update(timer_->getTime());
    altTr_.setIfIdle(altBase_ + altOffset_);
    azTr_.setIfIdle(azBase_ + azOffset_);
    zoomTr_.setIfIdle(zoomBase_ + zoomOffset_);
    Pose pose{pos_, viewRot_};
    computePose(mode_, pose);
    pos_ = pose.pos;
    viewRot_ = pose.rot;
}

Quaternion Camera::placeRebuild(double tiltDegrees, double turnDegrees) const {
    Quaternion q0 = R(axisX, -pi / 2.0) * observeRot();
    if (tiltDegrees != 0.0 || turnDegrees != 0.0)
        q0 = (R(axisX, -tiltDegrees * pi / 180.0) * R(axisY, -turnDegrees * pi / 180.0)) * q0;
    const Vector3 v = q0.rotateVector(axisZ);
    const double heading = withoutTurns(std::atan2(v.x, v.y));
    const double elevation = withoutTurns(std::atan2(v.z, std::sqrt(v.x * v.x + v.y * v.y)));
    return Quaternion(0.0, 0.0, heading) * R(axisX, pi / 2.0 - elevation) * R(axisZ, pi);
}

Quaternion Camera::examineRotation(int mode, const Quaternion& held, bool& offsetApplies) {
    offsetApplies = true;
    if (rot_.isRunning())
        return rot_.getValue();
    Quaternion r = rot_.getValue();
    bool found = false;
    switch (targetKind_) {
    case FixedTarget:
        r = targetRot_;
        found = true;
        break;
    case MarkerTarget:
        found = markerLookRot(targetName_, false, r);
        break;
    case PlaceTarget:
        if (mode == Examine && hasPlace()) {
            r = placeRebuild();
            dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0;
            found = true;
        } else {
            // No place rotation here (Fly, or no place): the view keeps the
            // rotation it had, whose offset is already in it. Applying the
            // offset again would turn the view by it every frame.
            offsetApplies = false;
            return held;
        }
        break;
    case BodyTarget:
        if (ssystem_ && targetName_ != selectedName()) {
            r = ssystem_->getLookRot(targetName_, mode);
            found = true;
        }
        break;
    default:
        break;
    }
    if (found) {
        baseRot_ = r;
        rot_.set(r);
    }
    return r;
}

void Camera::computePose(int mode, Pose& pose) {
    if (mode == Observe) {
        pose.pos = -observeTrans(isAnimating() ? 0 : 1);
        const Quaternion placeRot = observeRot().inverse();
        if (!altTr_.isRunning() && !azTr_.isRunning()) {
            bool found = false;
            switch (targetKind_) {
            case FixedTarget:
                rotToAltAz(targetRot_, altBase_, azBase_);
                found = true;
                break;
            case MarkerTarget:
                if (Quaternion toMarker; markerLookRot(targetName_, true, toMarker)) {
                    rotToAltAz(toMarker, altBase_, azBase_);
                    found = true;
                }
                break;
            case BodyTarget:
                if (ssystem_ && targetName_ != selectedName()) {
                    rotToAltAz(ssystem_->getLookRot(targetName_, Observe), altBase_, azBase_);
                    found = true;
                }
                break;
            default:
                break;
            }
            if (found) {
                altTr_.set(altBase_);
                azTr_.set(azBase_);
            }
        }
        Quaternion r = placeRot * T(axisY, azTr_.getValue()) * T(axisX, altTr_.getValue());
        if (targetKind_ != NoTarget)
            r = r * offsetRot_.getValue();
        pose.rot = r;
        return;
    }
    bool offsetApplies = true;
    Quaternion r = examineRotation(mode, pose.rot, offsetApplies);
    if (targetKind_ != NoTarget && offsetApplies)
        r = r * offsetRot_.getValue();
    pose.rot = r;
    if (mode == Examine) {
        double d = distTr_.getValue() * bodyRadius();
        const double closest = 2.0 * getRadiusRate();
        if (closest > d)
            d = closest;
        pose.pos = r.inverse().rotateVector(Vector3(0.0, 0.0, -d)) - bodyTrans();
    }
}

void Camera::steerByDevices() {
    if (!inputDevice_ || isAnimating())
        return;
    auto clampZoomBase = [this] {
        zoomBase_ = std::min(std::max(zoomBase_, zoomMinLimit_), zoomMaxLimit_);
    };
    if (inputDevice_->getSBStatus()) {
        const double r1 = inputDevice_->getSBRotate1();
        const double r2 = inputDevice_->getSBRotate2();
        const double r3 = inputDevice_->getSBRotate3();
        const double t = inputDevice_->getSBTrans();
        if (mode_ == Examine) {
            baseRot_ = baseRot_ * R(axisY, toRadians(r2 + r3)) * R(axisX, toRadians(r1));
            dist_ += t * deviceStep;
        } else if (mode_ == Observe) {
            altBase_ -= r1 * 0.5;
            azBase_ -= r3 * 0.5;
            zoomBase_ += t * deviceStep;
            clampZoomBase();
        }
    }
    if (inputDevice_->getStatus()) {
        const double a1 = inputDevice_->getStickAxis1();
        const double a2 = inputDevice_->getStickAxis2();
        const double a3 = inputDevice_->getStickAxis3();
        const double a4 = inputDevice_->getStickAxis4();
        if (mode_ == Examine) {
            baseRot_ = baseRot_ * R(axisY, toRadians(a1)) * R(axisX, toRadians(a2));
            dist_ += a4 * deviceStep;
        } else if (mode_ == Observe) {
            altBase_ -= a2 * 0.5;
            azBase_ -= a1 * 0.5;
            zoomBase_ += a4 * deviceStep;
            clampZoomBase();
        } else {
            baseRot_ = baseRot_ * R(axisY, 0.1 * toRadians(a1)) * R(axisX, 0.1 * toRadians(a2)) *
                       R(axisZ, 0.025 * toRadians(a3));
            velocity_.z = a4 * a4 * a4 * -0.125;
        }
    }
}

void Camera::endModeAnimation() {
    if (timer_)
        timer_->release();
    nearPlaneOverride_ = leavingPlace_ = placeEntry_ = 0;
    particles_->setAlpha(0.0f);
    animCounter_.set(-1.0);
    if (mode_ == Observe) {
        loadEffect(ssystem_ ? ssystem_->getPlaceWeather() : "None");
        placeDistTr_.set(1.0);
    } else {
        loadEffect("None");
    }
    animWasRunning_ = 0;
}

void Camera::animateMode(double r) {
    const double radius = bodyRadius();
    auto alphaNear = [radius](const Vector3& a, const Vector3& b) {
        return 1.0 - (a - b).length() / radius;
    };
    if (mode_ == Observe && !placeEntry_) {
        if (r > 0.5) {
            viewRot_ = start_.rot;
            pos_ = start_.pos + (end_.pos - start_.pos) * (1.0 - std::pow(2.0 * (r - 0.5), 4));
        } else {
            viewRot_ = Quaternion::interpolate(start_.rot, end_.rot, 1.0 - 2.0 * r);
            pos_ = end_.pos;
        }
    } else if (mode_ == Observe) {
        if (r > 0.75) {
            // The start follows the orbit as it turns towards the place.
            Pose pose{pos_, viewRot_};
            computePose(Examine, pose);
            pos_ = start_.pos = pose.pos;
            viewRot_ = start_.rot = pose.rot;
        } else if (r > 0.25) {
            viewRot_ = start_.rot;
            pos_ = start_.pos + (end_.pos - start_.pos) * (1.0 - std::pow(2.0 * (r - 0.25), 8));
            particles_->setAlpha(float(std::clamp(alphaNear(pos_, end_.pos), 0.0, 1.0)));
        } else {
            viewRot_ = Quaternion::interpolate(start_.rot, end_.rot, 1.0 - 4.0 * r);
            pos_ = end_.pos;
            particles_->setAlpha(float(4.0 * r));
        }
    } else if (mode_ == Examine && !leavingPlace_) {
        viewRot_ = Quaternion::interpolate(start_.rot, end_.rot, 1.0 - r);
        pos_ = start_.pos + (end_.pos - start_.pos) * (1.0 - r);
    } else if (mode_ == Examine) {
        if (r > 0.5) {
            viewRot_ = Quaternion::interpolate(start_.rot, end_.rot, 1.0 - 2.0 * (r - 0.5));
            pos_ = start_.pos;
            if (placeEntry_)
                particles_->setAlpha(0.5f);
        } else {
            viewRot_ = end_.rot;
            pos_ = start_.pos + (end_.pos - start_.pos) * (1.0 - std::pow(2.0 * r, 8));
            if (placeEntry_)
                particles_->setAlpha(float(std::max(alphaNear(pos_, start_.pos), 0.0)));
        }
    } else {
        pos_ += viewRot_.inverse().rotateVector(velocity_ * speedScale_);
    }
}

void Camera::stepView() {
    steerByDevices();
    if (psystem_)
        particles_->update();
    if (animCounter_.getValue() <= 0.0 && animWasRunning_)
        endModeAnimation();

    if (!isAnimating()) {
        if (mode_ == Examine || mode_ == Fly) {
            rot_.setIfIdle(baseRot_ * T(axisY, dragAngleY_) * T(axisX, dragAngleX_) *
                           T(axisZ, dragAngleZ_));
            // After a fast enough drag the view keeps turning.
            if (mouseState_ == Idle && mouseMode_ == 0)
                baseRot_ = baseRot_ * T(axisY, spinRateY_) * T(axisX, spinRateX_);
        }
        if (mode_ == Examine) {
            distTr_.setIfIdle(dist_ + pendingDist_);
            if (velocity_.z != 0.0) {
                const double delta = speedScale_ * velocity_.z * 0.1;
                dist_ = scaleOn() ? powerStep(dist_, delta, 0.2) : powerStep(dist_, delta, 0.25);
                pendingDist_ = 0.0;
            }
        } else if (mode_ == Observe) {
            altTr_.setIfIdle(altBase_ + altOffset_);
            azTr_.setIfIdle(azBase_ + azOffset_);
            zoomTr_.setIfIdle(zoomBase_ + zoomOffset_);
            if (velocity_.z != 0.0) {
                zoomOffset_ = speedScale_ * velocity_.z * -4.0;
                limitZoom();
                zoomBase_ += zoomOffset_;
                zoomOffset_ = 0.0;
            }
            particles_->setAlpha(landscape_ && landscape_->getWeather()
                                     ? float(landscape_->getWeatherOpacity())
                                     : 0.0f);
        } else {
            pos_ += viewRot_.inverse().rotateVector(velocity_ * speedScale_);
        }
        Pose pose{pos_, viewRot_};
        computePose(mode_, pose);
        pos_ = pose.pos;
        viewRot_ = pose.rot;
    } else {
        animWasRunning_ = 1;
        animateMode(animCounter_.getValue() / animSteps_);
    }
    velocity_ = Vector3();
    speedScale_ = 1.0;

    projFovy_ = mode_ == Observe && !isAnimating() ? zoomTr_.getValue() : fovTr_.getValue();
    projNear_ = getRadiusRate();
    projFar_ = getOrbitRate();
    if (nearPlaneOverride_) {
        const double r = animCounter_.getValue() / animSteps_;
        if ((mode_ == Examine && r >= 0.5) || (mode_ == Observe && r <= 0.5))
            projNear_ = surfaceNear;
    }
}

void Camera::loadViewMatrices(double eyeOffset) const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(projFovy_, owner_ ? owner_->getAspect() : 1.0, projNear_, projFar_);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The stereo eye turns towards the middle at the viewing distance.
    glRotated(std::atan2(eyeOffset, distTr_.getValue()) * degreesPerRadian, 0.0, -1.0, 0.0);
    viewRot_.glRotate();
    pos_.glTranslate();
}

void Camera::updateView(double eyeOffset) {
    stepView();
    loadViewMatrices(eyeOffset);
}

void Camera::setMode(int newMode, int animate, int steps, int placeEntry) {
    if (isAnimating())
        placeEntry = 0;
    leavingPlace_ = 0;
    nearPlaneOverride_ = 0;
    placeEntry_ = placeEntry;
    if (newMode == Observe) {
        if (!hasPlace() && ssystem_ && ssystem_->getSelectedBody())
            ssystem_->getSelectedBody()->selectNextPlace();
        if (!hasPlace())
            return; // a body without places cannot be observed from
    }
    animCounter_.set(1.0); // isAnimating while the poses are computed
    nearPlaneOverride_ = newMode != mode_ && animate;

    if (mode_ == Observe && newMode != Observe && hasPlace()) {
        start_ = Pose{pos_, viewRot_};
        computePose(Observe, start_);
        leavingPlace_ = 1;
    } else {
        start_ = Pose{pos_, viewRot_};
    }
    float savedPlaceDist = 0.0f;
    if (!placeEntry) {
        savedPlaceDist = float(placeDistTr_.getValue());
        placeDistTr_.setIfIdle(1.2);
    }
    end_ = Pose{pos_, viewRot_};
    computePose(newMode, end_);
    if (!placeEntry)
        placeDistTr_.setIfIdle(savedPlaceDist);

    const bool immediate = !animate || Transition::getGlobalMode() == Transition::Immediate;
    if (immediate) {
        pos_ = end_.pos;
        viewRot_ = end_.rot;
        animCounter_.set(-1.0);
    } else {
        if (steps < 1)
            steps = animLength_;
        animCounter_.set(steps);
        animCounter_.startTo(0.0, steps);
        animSteps_ = steps;
        if (timer_)
            timer_->hold();
    }

    particles_->setAlpha(0.0f);
    if (newMode != mode_)
        loadEffect("None");
    const bool entering = newMode == Observe && placeEntry;
    const bool leaving = mode_ == Observe && newMode != Observe && placeEntry;
    if (entering || leaving) {
        if (entering) {
            baseRot_ = placeRebuild();
            dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0;
            rot_.startTo(baseRot_, int(animSteps_ * 0.24));
        }
        if (clouds_) {
            clouds_->setClouds(1);
            clouds_->setCloudsOpacityTo(1.0, int(animSteps_ * 0.25));
        }
        loadEffect(ssystem_ ? ssystem_->getAtmosphere() : "None");
        if (leaving) {
            // Climbing away, the atmosphere streams the other way.
            const float* c = particles_->getCenter();
            const float* v = particles_->getVelocity();
            particles_->setVelocity(v[0], v[1], -v[2]);
            particles_->setCenter(c[0], c[1], -c[2]);
        }
    }
    const bool arriving = newMode == Observe && mode_ != Observe;
    prevMode_ = mode_;
    mode_ = newMode;
    // Without an animation no last animation frame brings the place's
    // weather: it comes now.
    if (immediate && arriving)
        loadPlaceWeather();
    commitDrag();
}

void Camera::modeTog(int animate, int steps, int placeEntry) {
    setMode(mode_ == Examine ? Observe : Examine, animate, steps, placeEntry);
}

void Camera::modePrev(int animate, int steps, int placeEntry) {
    setMode(mode_ == Examine ? Observe : Examine, animate, steps, placeEntry);
}

Quaternion Camera::getParticleFrame() const {
    return R(axisX, -pi / 2.0) * observeRot() * viewRot_;
}

void Camera::drawParticles() {
    if (!psystem_)
        return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, owner_ ? owner_->getAspect() : 1.0, 0.0001, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const Quaternion q = getParticleFrame();
    const Quaternion back = q.inverse();
    // The screen's right and up (y grows downwards in the view's terms).
    particles_->setViewAxes(back.rotateVector(axisX), back.rotateVector(Vector3(0.0, -1.0, 0.0)));
    q.glRotate();
    particles_->draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
