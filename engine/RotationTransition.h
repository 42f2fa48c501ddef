// An orientation that turns to its target, blended either by axis and angle
// (startTo) or by the three angles of Quaternion::setEuler (startToEuler).
#pragma once

#include "engine/Quaternion.h"
#include "engine/ValueTransition.h"

class RotationTransition : public ValueTransition<Quaternion> {
public:
    // set with the rotation of the three angles (radians).
    void setEuler(double a1, double a2, double a3);
    void startTo(const Quaternion& target, int frames);
    // Blends the current value's three angles linearly to a1, a2, a3. Always
    // starts, even towards the current orientation.
    void startToEuler(double a1, double a2, double a3, int frames);
    Quaternion getValue() const { return currentValue(); }

protected:
    Quaternion currentValue() const override;

private:
    double startAngles_[3] = {0.0, 0.0, 0.0};
    double endAngles_[3] = {0.0, 0.0, 0.0};
    bool useAngles_ = false;
};
