// An orientation as a quaternion (x, y, z vector part, w scalar part), in
// double precision. Not kept normalised: operations that need an angle and an
// axis derive them as angle = 2·acos(w) and axis = (x, y, z) / |(x, y, z)|,
// with the axis (0, 0, 1) when there is no rotation. Angles are radians.
#pragma once

#include "engine/Vector3.h"

class Matrix4;

class Quaternion {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;

    // The identity rotation.
    Quaternion() = default;
    // The raw components.
    Quaternion(double x, double y, double z, double w) : x(x), y(y), z(z), w(w) {}
    Quaternion(const Vector3& axis, double angle) { setAxisAngle(axis, angle); }
    Quaternion(double a1, double a2, double a3) { setEuler(a1, a2, a3); }
    Quaternion(const Vector3& from, const Vector3& to) { setRotationBetween(from, to); }

    // The rotation by angle about the axis (normalised here). An axis of zero
    // length gives the identity.
    void setAxisAngle(const Vector3& axis, double angle);
    // Three angles: the first turns about Y, the second about X, the third
    // about Z, applied as X (second angle), then Y (first), then Z (third) —
    // the rotation getEuler reads back.
    void setEuler(double a1, double a2, double a3);
    // The three angles of setEuler, read from the rotation matrix.
    void getEuler(double& a1, double& a2, double& a3) const;
    // The unit rotation that turns the direction from into the direction to.
    // Parallel directions give the identity, opposite ones the half turn about
    // an axis perpendicular to from.
    void setRotationBetween(const Vector3& from, const Vector3& to);
    // Angle in [0, 2π] and unit axis; axis (0, 0, 1) when the angle is 0.
    void getAxisAngle(Vector3& axis, double& angle) const;

    Quaternion& operator*=(const Quaternion& other);

    // The same axis with the negated angle (the conjugate of a unit quaternion).
    void invert();
    Quaternion inverse() const;

    // Blends axis and angle of a and b linearly (not a spherical blend): t = 0
    // gives a's rotation, t = 1 b's. Used by orientation transitions and the
    // camera's animated turns.
    static Quaternion interpolate(const Quaternion& a, const Quaternion& b, double t);
    static Quaternion identity();

    // Rotation matrix in GL layout; a quaternion of any non-zero length gives a
    // pure rotation.
    void getMatrix(Matrix4& out) const;
    // The vector turned by this rotation.
    Vector3 rotateVector(const Vector3& v) const;

    // glRotated by the angle in degrees about the axis.
    void glRotate() const;
};

// Rotation a followed by rotation b (the Hamilton product b·a).
Quaternion operator*(const Quaternion& a, const Quaternion& b);
// Exact equality of all four components.
bool operator==(const Quaternion& a, const Quaternion& b);
bool operator!=(const Quaternion& a, const Quaternion& b);
