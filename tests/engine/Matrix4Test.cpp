#include <gtest/gtest.h>

#include <cmath>

#include "engine/Matrix4.h"
#include "engine/Quaternion.h"

namespace {

// Product in the layout of the determinant: element (r, c) = m[r*4 + c].
Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[r * 4 + k] * b.m[k * 4 + c];
            p.m[r * 4 + c] = sum;
        }
    return p;
}

void expectIdentity(const Matrix4& m, double tolerance) {
    const Matrix4 id;
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(m.m[k], id.m[k], tolerance) << "element " << k;
}

Matrix4 fromArray(std::initializer_list<double> values) {
    double a[16];
    int k = 0;
    for (double v : values)
        a[k++] = v;
    Matrix4 m;
    m.set(a);
    return m;
}

} // namespace

TEST(Matrix4, IdentitySetAndGet) {
    Matrix4 m;
    expectIdentity(m, 0.0);
    double a[16];
    for (int k = 0; k < 16; ++k)
        a[k] = k;
    m.set(a);
    double b[16] = {};
    m.get(b);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(b[k], k);
    m.setIdentity();
    expectIdentity(m, 0.0);
}

TEST(Matrix4, DeterminantAndAdjoint) {
    const Matrix4 a = fromArray({2, 0, 1, 3, 1, 3, 2, 0, 0, 1, 4, 1, 5, 2, 0, 1});
    Matrix4 adj;
    a.adjoint(adj);
    // A · adj(A) = det(A) · I.
    const double det = a.determinant();
    EXPECT_NEAR(det, -84.0, 1e-12); // by permutation expansion
    Matrix4 p = multiply(a, adj);
    for (double& e : p.m)
        e /= det;
    expectIdentity(p, 1e-12);
}

TEST(Matrix4, InverseOfMirrorAndRotationAndTinyScale) {
    // A mirror (determinant -1) with a translation.
    const Matrix4 mirror = fromArray({-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 4, 5, 1});
    EXPECT_EQ(mirror.determinant(), -1.0);
    Matrix4 inv;
    EXPECT_TRUE(mirror.inverse(inv));
    expectIdentity(multiply(mirror, inv), 1e-12);

    // A rotation's inverse is its transpose.
    Matrix4 rot;
    Quaternion(Vector3(1, 2, 3), 0.7).getMatrix(rot);
    ASSERT_TRUE(rot.inverse(inv));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(inv.m[r * 4 + c], rot.m[c * 4 + r], 1e-12);

    // A body a few kilometres wide in astronomical units, far from the origin.
    const double s = 1e-8;
    const Matrix4 tiny = fromArray({s, 0, 0, 0, 0, 0, s, 0, 0, -s, 0, 0, 30, -2, 1, 1});
    ASSERT_TRUE(tiny.inverse(inv));
    expectIdentity(multiply(tiny, inv), 1e-6);
    EXPECT_NEAR(inv.m[0], 1e8, 1e-6);
}

TEST(Matrix4, SingularOrBrokenMatrixInvertsToIdentity) {
    const Matrix4 flat = fromArray({1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 0, 0, 0, 1});
    Matrix4 inv = flat;
    EXPECT_FALSE(flat.inverse(inv));
    expectIdentity(inv, 0.0);
    Matrix4 zero = fromArray({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(zero.inverse(inv));
    Matrix4 bad;
    bad.m[5] = NAN;
    EXPECT_FALSE(bad.inverse(inv));
    expectIdentity(inv, 0.0);
}

TEST(Matrix4, TransformMapsPointsColumnMajor) {
    Matrix4 m;
    Vector3 out;
    m.transform(Vector3(1, 2, 3), out);
    EXPECT_EQ(out, Vector3(1, 2, 3));
    m.m[12] = 1;
    m.m[13] = 2;
    m.m[14] = 3;
    m.transform(Vector3(1, 1, 1), out);
    EXPECT_EQ(out, Vector3(2, 3, 4));
    m.m[15] = 2; // homogeneous divide
    m.transform(Vector3(1, 1, 1), out);
    EXPECT_EQ(out, Vector3(1, 1.5, 2));
    Vector3 p(1, 1, 1);
    m.transform(p, p);
    EXPECT_EQ(p, Vector3(1, 1.5, 2)) << "in place";
}
