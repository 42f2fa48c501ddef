// Mouse navigation: a press chooses a drag from the button and the mode, each
// move turns the view, changes the distance or the Observe angles, and the
// next press or release commits the drag. In mouse-look mode every move is
// the pointer's offset from the view's centre and is committed at once.
#include <cmath>

#include "engine/InputDevice.h"
#include "engine/Main.h"
#include "view/Camera.h"
#include "view/CameraMath.h"

using namespace cameramath;

namespace {

int heldButtons() {
    return (isLeftButtonDown() ? Camera::LeftButton : 0) |
           (isMiddleButtonDown() ? Camera::MiddleButton : 0) |
           (isRightButtonDown() ? Camera::RightButton : 0);
}

// A steering speed for a pointer fraction in the outer tenth of the view.
float edgeSpeed(float f, float sign) {
    if (f < 0.0f || f > 1.0f)
        return 0.0f;
    if (f < 0.1f)
        return (f - 0.1f) * 10.0f * sign;
    if (f > 0.9f)
        return (f - 0.9f) * 10.0f * sign;
    return 0.0f;
}

} // namespace

void Camera::setMousePosition(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void Camera::logLookNone() {
    if (owner_)
        owner_->interp.log.beginCommand(getName(), "Look").appendWord("None");
}

void Camera::dropTarget() {
    // A scenario that plays keeps its targets; the user's press is recorded.
    if (targetKind_ == NoTarget || (owner_ && owner_->getPlaying()))
        return;
    targetKind_ = NoTarget;
    logLookNone();
}

void Camera::mouseButton(int code, int pressed, int x, int y) {
    if (mouseMode_ || isAnimating())
        return;
    if (!selectMode_) {
        commitDrag();
        if (pressed) {
            if (mode_ == Examine) {
                if (code & (LeftButton | MiddleButton)) {
                    if (!rot_.isRunning()) {
                        dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0;
                        prevDragX_ = prevDragY_ = 0.0;
                        pressX_ = pressX0_ = x;
                        pressY_ = y;
                        mouseState_ = ExamineRotate;
                    }
                    dropTarget();
                } else if (code & RightButton) {
                    if (!distTr_.isRunning()) {
                        pendingDist_ = 0.0;
                        pressX_ = x;
                        pressY_ = y;
                        mouseState_ = ExamineDistance;
                    }
                } else {
                    mouseState_ = Idle;
                }
            } else if (mode_ == Observe) {
                if (code & LeftButton) {
                    if (!altTr_.isRunning() && !azTr_.isRunning()) {
                        altOffset_ = azOffset_ = 0.0;
                        pressX_ = x;
                        pressY_ = y;
                        mouseState_ = ObserveAltAz;
                    }
                    dropTarget();
                } else if (code & RightButton) {
                    if (!zoomTr_.isRunning()) {
                        zoomOffset_ = 0.0;
                        pressX_ = x;
                        pressY_ = y;
                        mouseState_ = ObserveZoom;
                    }
                } else {
                    mouseState_ = Idle;
                }
            } else {
                if (code & LeftButton) {
                    if (!rot_.isRunning()) {
                        dragAngleX_ = dragAngleY_ = dragAngleZ_ = 0.0;
                        prevDragX_ = prevDragY_ = 0.0;
                        pressX_ = pressX0_ = x;
                        pressY_ = y;
                        mouseState_ = FlyRotate;
                    }
                    dropTarget();
                } else {
                    mouseState_ = Idle;
                }
            }
        } else if (mode_ == Observe) {
            commitDrag();
        }
    }
    mouseX_ = x;
    mouseY_ = y;
}

double Camera::distanceRate() const {
    return scaleOn() ? accelDistRate_[0] : accelDistRate_[1];
}

void Camera::limitDistance() {
    const double r = bodyRadius();
    const double nearValue = getRadiusRate();
    const double farValue = getOrbitRate();
    if (dist_ + pendingDist_ <= 1.5)
        pendingDist_ = 1.5 - dist_;
    if (0.5 * farValue <= (dist_ + pendingDist_) * r)
        pendingDist_ = 0.5 * farValue / r - dist_;
    if (2.0 * nearValue >= (dist_ + pendingDist_) * r)
        pendingDist_ = 2.0 * nearValue / r - dist_;
}

void Camera::limitAltitude() {
    if (altBase_ + altOffset_ >= 90.0)
        altOffset_ = 90.0 - altBase_;
    if (altBase_ + altOffset_ <= underLimit_)
        altOffset_ = underLimit_ - altBase_;
}

void Camera::limitZoom() {
    if (zoomBase_ + zoomOffset_ >= zoomMaxLimit_)
        zoomOffset_ = zoomMaxLimit_ - zoomBase_;
    if (zoomBase_ + zoomOffset_ <= zoomMinLimit_)
        zoomOffset_ = zoomMinLimit_ - zoomBase_;
}

void Camera::restartRotateDrag(int x, int y) {
    // Pressing or releasing the middle button during a rotate drag starts a
    // new drag at the pointer, about the other axes.
    mouseButton(LeftButton, 1, x, y);
}

void Camera::mouseMove(int x, int y) {
    const int mask = heldButtons();
    const double w = owner_ && owner_->getWidth() > 0 ? owner_->getWidth() : 1.0;
    const double h = owner_ && owner_->getHeight() > 0 ? owner_->getHeight() : 1.0;
    const double dx = (pressX_ - x) / w; // positive: moved left
    const double dy = (pressY_ - y) / h; // positive: moved up

    if (mouseMode_ == 0) {
        if (selectMode_) {
            // Edge steering: the pointer in the outer tenth turns the view.
            float sx = edgeSpeed(float(x) / float(w), 1.0f);
            float sy = edgeSpeed(float(y) / float(h), -1.0f);
            if (mode_ == Examine) {
                dragAngleY_ = -sx;
                dragAngleX_ = sy;
                dragAngleZ_ = 0.0;
            } else {
                if (invertMouse_) {
                    sx = -sx;
                    sy = -sy;
                }
                azOffset_ = -sx;
                altOffset_ = sy;
                limitAltitude();
            }
            commitDrag();
            return;
        }
        switch (mouseState_) {
        case ExamineRotate:
        case FlyRotate: {
            if (rot_.isRunning())
                break;
            const bool fly = mouseState_ == FlyRotate;
            if (mask & MiddleButton) {
                if (!(prevButtons_ & MiddleButton))
                    restartRotateDrag(x, y);
                dragAngleZ_ = (pressX0_ - x) / w * (fly ? 80.0 : 240.0);
            } else {
                if (prevButtons_ & MiddleButton)
                    restartRotateDrag(x, y);
                const double scale = fly ? 40.0 : 120.0;
                dragAngleY_ = (pressX_ - x) / w * scale;
                dragAngleX_ = (pressY_ - y) / h * scale;
                spinRateX_ = dragAngleX_ - prevDragX_;
                spinRateY_ = dragAngleY_ - prevDragY_;
                prevDragX_ = dragAngleX_;
                prevDragY_ = dragAngleY_;
            }
            break;
        }
        case ExamineDistance:
            if (distTr_.isRunning())
                break;
            if (mask & MiddleButton) {
                pendingDist_ = (dy - dx) * distanceRate() * -100.0;
            } else {
                dist_ = powerStep(dist_, dy - dx, scaleOn() ? 0.2 : 0.25);
                pendingDist_ = 0.0;
            }
            limitDistance();
            pressX_ = x;
            pressY_ = y;
            break;
        case ObserveAltAz:
            if (altTr_.isRunning() || azTr_.isRunning())
                break;
            azOffset_ = dx * 60.0;
            altOffset_ = dy * 60.0;
            if (invertMouse_) {
                azOffset_ = -azOffset_;
                altOffset_ = -altOffset_;
            }
            limitAltitude();
            break;
        case ObserveZoom:
            if (zoomTr_.isRunning())
                break;
            zoomOffset_ = (-dx + dy) * -100.0;
            limitZoom();
            break;
        default:
            break;
        }
    } else {
        // Mouse-look: x and y are the offset from the centre.
        const bool lookButtons = mask == 0 || (mask & LeftButton);
        if (lookButtons && (mode_ == Examine || mode_ == Fly)) {
            const double scale = mode_ == Examine ? 60.0 : 20.0;
            dragAngleY_ = dx * scale;
            dragAngleX_ = dy * scale;
            foldDrag();
        } else if ((mask & MiddleButton) && (mode_ == Examine || mode_ == Fly)) {
            dragAngleZ_ = dx * (mode_ == Examine ? 240.0 : 80.0);
            foldDrag();
        } else if ((mask & RightButton) && mode_ == Examine) {
            pendingDist_ = dy * distanceRate() * -100.0;
            limitDistance();
            dist_ += pendingDist_;
            pendingDist_ = 0.0;
        } else if (lookButtons && mode_ == Observe) {
            azOffset_ = dx * -30.0;
            altOffset_ = dy * -30.0;
            if (invertMouse_) {
                azOffset_ = -azOffset_;
                altOffset_ = -altOffset_;
            }
            limitAltitude();
            altBase_ += altOffset_;
            azBase_ += azOffset_;
            altOffset_ = azOffset_ = 0.0;
        } else if ((mask & RightButton) && mode_ == Observe) {
            zoomOffset_ = dy * -100.0;
            limitZoom();
            zoomBase_ += zoomOffset_;
            zoomOffset_ = 0.0;
        }
        pressX_ = pressY_ = 0;
    }
    prevButtons_ = mask;
    mouseX_ = x;
    mouseY_ = y;
}
