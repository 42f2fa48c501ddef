// A 4x4 transform of sixteen doubles m[0]..m[15], laid out as OpenGL lays out
// its matrices (column-major: m[12..14] hold a translation) for the rotations
// a Quaternion writes and for transform(). Element (r, c) of the determinant,
// minor and adjoint is m[r*4 + c].
#pragma once

#include "engine/Vector3.h"

class Matrix4 {
public:
    double m[16];

    Matrix4() { setIdentity(); }

    void setIdentity();
    // Copies sixteen doubles in array order.
    void set(const double* a);
    void get(double* a) const;

    // Determinant of the 3x3 matrix of rows r0, r1, r2 and columns c0, c1, c2.
    double minor(int r0, int r1, int r2, int c0, int c1, int c2) const;
    double determinant() const;
    void adjoint(Matrix4& out) const;
    // The inverse, mirrors included; the identity when the matrix is singular
    // (its determinant vanishes against the size of its rows) or not finite.
    // Returns whether an inverse existed.
    bool inverse(Matrix4& out) const;

    // Maps a point: x' = (m0·x + m4·y + m8·z + m12) / w' and so on, with
    // w' = m3·x + m7·y + m11·z + m15.
    void transform(const Vector3& p, Vector3& out) const;
    // Multiplies the current GL matrix by the transposed array, i.e. reads the
    // array row by row; for a rotation from Quaternion::getMatrix this applies
    // the opposite rotation.
    void glMultMatrix() const;
};
