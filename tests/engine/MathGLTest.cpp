// The GL wrappers of the math types, checked through the resulting modelview.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "engine/Matrix4.h"
#include "engine/Quaternion.h"
#include "support/GlTestContext.h"

namespace {

void modelview(double* m) {
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
}

} // namespace

TEST(MathGL, WrappersMultiplyTheCurrentMatrix) {
    orvextest::GlTestContext gl;
    ASSERT_TRUE(gl.isValid());
    glMatrixMode(GL_MODELVIEW);
    double m[16];

    // The identity turns by 0 degrees about (0, 0, 1): nothing changes.
    glLoadIdentity();
    Quaternion().glRotate();
    modelview(m);
    EXPECT_EQ(m[0], 1.0);
    EXPECT_EQ(m[5], 1.0);

    // glRotate applies the same rotation getMatrix writes.
    const Quaternion q(Vector3(1, 2, -1), 0.8);
    Matrix4 expected;
    q.getMatrix(expected);
    glLoadIdentity();
    q.glRotate();
    modelview(m);
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(m[k], expected.m[k], 1e-6) << k;

    // glMultMatrix reads the array row by row: the opposite rotation.
    glLoadIdentity();
    expected.glMultMatrix();
    modelview(m);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(m[c * 4 + r], expected.m[r * 4 + c], 1e-6); // GL keeps floats

    glLoadIdentity();
    Vector3(1, 2, 3).glTranslate();
    Vector3(2, 2, 2).glScale();
    modelview(m);
    EXPECT_EQ(m[12], 1.0);
    EXPECT_EQ(m[13], 2.0);
    EXPECT_EQ(m[14], 3.0);
    EXPECT_EQ(m[0], 2.0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
