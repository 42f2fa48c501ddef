// The rotation shorthands the camera's sources share. Products read as the
// engine's quaternion product: p * q is rotation p followed by rotation q.
#pragma once

#include <algorithm>
#include <cmath>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "view/Camera.h"

namespace cameramath {

constexpr double pi = 3.141592653589793;
constexpr double degreesPerRadian = 57.29577951308232;
// The ecliptic tilt of the star sphere (23.4 degrees).
constexpr double eclipticTilt = 0.4084070383087704;

inline const Vector3 axisX(1.0, 0.0, 0.0);
inline const Vector3 axisY(0.0, 1.0, 0.0);
inline const Vector3 axisZ(0.0, 0.0, 1.0);

// The rotation about an axis by r radians.
inline Quaternion R(const Vector3& axis, double r) {
    return Quaternion(axis, r);
}

// The drag and device rotations: by -a degrees (whole turns removed).
inline Quaternion T(const Vector3& axis, double degrees) {
    return Quaternion(axis, -Camera::toRadians(degrees));
}

// A radian angle with whole turns removed.
inline double withoutTurns(double radians) {
    return radians - 2.0 * pi * std::trunc(radians / (2.0 * pi));
}

// A distance moved in the power scale the view zooms in: (d^p - delta)^(1/p).
// The distance is taken at its lower limit (1.5 radii) at least and the base
// at 0 at least, so that no power of a negative number turns into NaN.
inline double powerStep(double dist, double delta, double p) {
    const double base = std::pow(std::max(dist, 1.5), p) - delta;
    return std::pow(std::max(base, 0.0), 1.0 / p);
}

} // namespace cameramath
