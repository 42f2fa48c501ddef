#include "sky/SkyPosition.h"

#include <cmath>

namespace {

constexpr double degToRad = 0.017453292519943295;
// The tilt of the star sphere against the ecliptic frame the scene is drawn in.
constexpr double sphereTilt = 0.4084070383087704;

} // namespace

Vector3 skyDirection(double raDeg, double declDeg) {
    const double a = raDeg * degToRad;
    const double d = declDeg * degToRad;
    return Vector3(std::cos(a) * std::cos(d), std::sin(a) * std::cos(d), std::sin(d));
}

Quaternion skyLookRotation(double raDeg, double declDeg) {
    const Quaternion lift(Vector3(1.0, 0.0, 0.0), (-declDeg - 90.0) * degToRad);
    const Quaternion spin(Vector3(0.0, 0.0, 1.0), (90.0 - raDeg) * degToRad);
    const Quaternion tilt(Vector3(1.0, 0.0, 0.0), sphereTilt);
    return (tilt * spin) * lift;
}
