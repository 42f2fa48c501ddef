#include "engine/RotationTransition.h"

void RotationTransition::setEuler(double a1, double a2, double a3) {
    set(Quaternion(a1, a2, a3));
}

void RotationTransition::startTo(const Quaternion& target, int frames) {
    ValueTransition::startTo(target, frames);
    useAngles_ = false;
}

void RotationTransition::startToEuler(double a1, double a2, double a3, int frames) {
    if (immediate()) {
        setEuler(a1, a2, a3);
        return;
    }
    start_ = currentValue();
    start_.getEuler(startAngles_[0], startAngles_[1], startAngles_[2]);
    endAngles_[0] = a1;
    endAngles_[1] = a2;
    endAngles_[2] = a3;
    end_ = Quaternion(a1, a2, a3);
    begin(frames);
    useAngles_ = true;
}

Quaternion RotationTransition::currentValue() const {
    if (!isRunning())
        return end_;
    const double t = fraction();
    if (!useAngles_)
        return Quaternion::interpolate(start_, end_, t);
    double a[3];
    for (int i = 0; i < 3; ++i)
        a[i] = startAngles_[i] + (endAngles_[i] - startAngles_[i]) * t;
    return Quaternion(a[0], a[1], a[2]);
}
