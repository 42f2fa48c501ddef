#include "engine/Vector3.h"

#include <GL/gl.h>
#include <cmath>

Vector3& Vector3::operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

Vector3& Vector3::operator/=(double s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

Vector3& Vector3::operator+=(const Vector3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

Vector3 Vector3::cross(const Vector3& o) const {
    return Vector3(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}

double Vector3::dot(const Vector3& o) const {
    return x * o.x + y * o.y + z * o.z;
}

double Vector3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

double Vector3::normalize() {
    const double len = length();
    if (len > 0.0)
        *this /= len;
    return len;
}

void Vector3::glTranslate() const {
    glTranslated(x, y, z);
}

void Vector3::glScale() const {
    glScaled(x, y, z);
}

Vector3 operator*(const Vector3& v, double s) {
    return Vector3(v.x * s, v.y * s, v.z * s);
}

Vector3 operator+(const Vector3& a, const Vector3& b) {
    return Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

Vector3 operator-(const Vector3& a, const Vector3& b) {
    return Vector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

bool operator==(const Vector3& a, const Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool operator!=(const Vector3& a, const Vector3& b) {
    return !(a == b);
}
