#include "engine/Matrix4.h"

#include <GL/gl.h>
#include <cmath>
#include <cstring>

void Matrix4::setIdentity() {
    for (double& e : m)
        e = 0.0;
    m[0] = m[5] = m[10] = m[15] = 1.0;
}

void Matrix4::set(const double* a) {
    std::memcpy(m, a, sizeof m);
}

void Matrix4::get(double* a) const {
    std::memcpy(a, m, sizeof m);
}

double Matrix4::minor(int r0, int r1, int r2, int c0, int c1, int c2) const {
    auto M = [this](int r, int c) { return m[r * 4 + c]; };
    return M(r0, c0) * (M(r1, c1) * M(r2, c2) - M(r2, c1) * M(r1, c2)) -
           M(r0, c1) * (M(r2, c2) * M(r1, c0) - M(r1, c2) * M(r2, c0)) +
           M(r0, c2) * (M(r2, c1) * M(r1, c0) - M(r1, c1) * M(r2, c0));
}

double Matrix4::determinant() const {
    return m[0] * minor(1, 2, 3, 1, 2, 3) - m[1] * minor(1, 2, 3, 0, 2, 3) +
           m[2] * minor(1, 2, 3, 0, 1, 3) - m[3] * minor(1, 2, 3, 0, 1, 2);
}

void Matrix4::adjoint(Matrix4& out) const {
    // Out (i, j) is the cofactor of (j, i): rows other than j, columns other than i.
    for (int i = 0; i < 4; ++i) {
        int c[3];
        for (int k = 0, n = 0; k < 4; ++k)
            if (k != i)
                c[n++] = k;
        for (int j = 0; j < 4; ++j) {
            int r[3];
            for (int k = 0, n = 0; k < 4; ++k)
                if (k != j)
                    r[n++] = k;
            const double sign = (i + j) % 2 ? -1.0 : 1.0;
            out.m[i * 4 + j] = sign * minor(r[0], r[1], r[2], c[0], c[1], c[2]);
        }
    }
}

bool Matrix4::inverse(Matrix4& out) const {
    // Whether the determinant vanishes is judged against the product of the row
    // lengths (its largest possible size), so that a matrix of tiny scale, as a
    // body a few kilometres wide measured in astronomical units makes, still
    // inverts, and a mirror (negative determinant) does too.
    double bound = 1.0;
    for (int r = 0; r < 4; ++r)
        bound *= std::sqrt(m[r * 4] * m[r * 4] + m[r * 4 + 1] * m[r * 4 + 1] +
                           m[r * 4 + 2] * m[r * 4 + 2] + m[r * 4 + 3] * m[r * 4 + 3]);
    const double det = determinant();
    if (!std::isfinite(det) || !std::isfinite(bound) || std::fabs(det) <= 1e-12 * bound) {
        out.setIdentity();
        return false;
    }
    Matrix4 adj;
    adjoint(adj);
    for (int k = 0; k < 16; ++k)
        out.m[k] = adj.m[k] / det;
    return true;
}

void Matrix4::transform(const Vector3& p, Vector3& out) const {
    const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    const Vector3 q((m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12]) / w,
                    (m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13]) / w,
                    (m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]) / w);
    out = q; // p and out may be the same vector
}

void Matrix4::glMultMatrix() const {
    double t[16];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            t[c * 4 + r] = m[r * 4 + c];
    glMultMatrixd(t);
}
