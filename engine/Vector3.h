// A point, direction or axis in double precision. A plain value with its
// components read and written directly.
#pragma once

class Vector3 {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vector3() = default;
    Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

    Vector3& operator*=(double s);
    Vector3& operator/=(double s);
    Vector3& operator+=(const Vector3& v);
    Vector3& operator-=(const Vector3& v);
    Vector3 operator-() const { return Vector3(-x, -y, -z); }

    // this × other
    Vector3 cross(const Vector3& other) const;
    double dot(const Vector3& other) const;
    double length() const;
    // Makes this a unit vector and returns the old length. The zero vector has
    // no direction and stays as it is (the result is 0).
    double normalize();

    void glTranslate() const;
    void glScale() const;
};

Vector3 operator*(const Vector3& v, double s);
Vector3 operator+(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& a, const Vector3& b);
// Exact equality of all three components.
bool operator==(const Vector3& a, const Vector3& b);
bool operator!=(const Vector3& a, const Vector3& b);
