#include "engine/Quaternion.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "engine/Matrix4.h"

namespace {

const Vector3 unitX(1.0, 0.0, 0.0);
const Vector3 unitY(0.0, 1.0, 0.0);
const Vector3 unitZ(0.0, 0.0, 1.0);

// acos of a value that rounding may have pushed just outside [-1, 1].
double safeAcos(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0));
}

} // namespace

void Quaternion::setAxisAngle(const Vector3& axis, double angle) {
    Vector3 a = axis;
    if (a.normalize() == 0.0) {
        *this = Quaternion();
        return;
    }
    const double s = std::sin(angle * 0.5);
    x = a.x * s;
    y = a.y * s;
    z = a.z * s;
    w = std::cos(angle * 0.5);
}

void Quaternion::setEuler(double a1, double a2, double a3) {
    *this = (Quaternion(unitX, a2) * Quaternion(unitY, a1)) * Quaternion(unitZ, a3);
}

void Quaternion::getEuler(double& a1, double& a2, double& a3) const {
    Matrix4 matrix;
    getMatrix(matrix);
    const double* m = matrix.m;
    const double c = std::sqrt(m[0] * m[0] + m[1] * m[1]);
    a1 = std::atan2(-m[2], c);
    if (c < 1e-12) {
        // The first angle at ±90 degrees: the second and third angles then turn
        // about the same axis, so the third is taken as 0. Rounding keeps c
        // from being exactly 0 there, and dividing by it would give noise.
        a3 = 0.0;
        a2 = std::atan2(m[4], m[5]);
        if (a1 <= 0.0)
            a2 = -a2;
    } else {
        a2 = std::atan2(m[6] / c, m[10] / c);
        a3 = std::atan2(m[1] / c, m[0] / c);
    }
}

void Quaternion::setRotationBetween(const Vector3& from, const Vector3& to) {
    Vector3 a = from;
    Vector3 b = to;
    if (a.normalize() == 0.0 || b.normalize() == 0.0) {
        *this = Quaternion();
        return;
    }
    const double c = std::clamp(a.dot(b), -1.0, 1.0);
    Vector3 axis = a.cross(b);
    if (axis.normalize() < 1e-12) {
        if (c > 0.0) {
            *this = Quaternion();
            return;
        }
        // Opposite: any axis perpendicular to a serves; take the one from the
        // coordinate axis least aligned with a.
        const Vector3 other = std::fabs(a.x) < 0.5 ? unitX : (std::fabs(a.y) < 0.5 ? unitY : unitZ);
        axis = a.cross(other);
        axis.normalize();
    }
    // Half-angle forms of cos θ = c: unit length whatever θ is.
    const double s = std::sqrt((1.0 - c) * 0.5);
    x = axis.x * s;
    y = axis.y * s;
    z = axis.z * s;
    w = std::sqrt((1.0 + c) * 0.5);
}

void Quaternion::getAxisAngle(Vector3& axis, double& angle) const {
    angle = 2.0 * safeAcos(w);
    axis = Vector3(x, y, z);
    // A full turn (w = -1) has no axis left either.
    if (angle == 0.0 || axis.normalize() == 0.0)
        axis = unitZ;
}

Quaternion& Quaternion::operator*=(const Quaternion& other) {
    *this = *this * other;
    return *this;
}

void Quaternion::invert() {
    Vector3 axis;
    double angle;
    getAxisAngle(axis, angle);
    setAxisAngle(axis, -angle);
}

Quaternion Quaternion::inverse() const {
    Quaternion q = *this;
    q.invert();
    return q;
}

Quaternion Quaternion::interpolate(const Quaternion& a, const Quaternion& b, double t) {
    Vector3 axisA, axisB;
    double angleA, angleB;
    a.getAxisAngle(axisA, angleA);
    b.getAxisAngle(axisB, angleB);
    return Quaternion(axisA + (axisB - axisA) * t, angleA + (angleB - angleA) * t);
}

Quaternion Quaternion::identity() {
    return Quaternion();
}

void Quaternion::getMatrix(Matrix4& out) const {
    const double norm = x * x + y * y + z * z + w * w;
    if (!(norm > 0.0)) {
        out.setIdentity();
        return;
    }
    const double s = 2.0 / norm;
    double* m = out.m;
    m[0] = 1.0 - s * (y * y + z * z);
    m[1] = s * (x * y + z * w);
    m[2] = s * (x * z - y * w);
    m[3] = 0.0;
    m[4] = s * (x * y - z * w);
    m[5] = 1.0 - s * (x * x + z * z);
    m[6] = s * (y * z + x * w);
    m[7] = 0.0;
    m[8] = s * (x * z + y * w);
    m[9] = s * (y * z - x * w);
    m[10] = 1.0 - s * (x * x + y * y);
    m[11] = 0.0;
    m[12] = m[13] = m[14] = 0.0;
    m[15] = 1.0;
}

Vector3 Quaternion::rotateVector(const Vector3& v) const {
    Matrix4 m;
    getMatrix(m);
    Vector3 out;
    m.transform(v, out);
    return out;
}

void Quaternion::glRotate() const {
    Vector3 axis;
    double angle;
    getAxisAngle(axis, angle);
    glRotated(angle * 57.29577951308232, axis.x, axis.y, axis.z);
}

Quaternion operator*(const Quaternion& a, const Quaternion& b) {
    return Quaternion(b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y,
                      b.w * a.y + b.y * a.w + b.z * a.x - a.z * b.x,
                      b.w * a.z + b.z * a.w + a.y * b.x - b.y * a.x,
                      a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z);
}

bool operator==(const Quaternion& a, const Quaternion& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

bool operator!=(const Quaternion& a, const Quaternion& b) {
    return !(a == b);
}
