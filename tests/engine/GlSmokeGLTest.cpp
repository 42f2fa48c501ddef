// Proves the GL test path: a context under Xvfb, a draw, a pixel read back.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "support/GlTestContext.h"

TEST(GlSmoke, ClearsAndDrawsAQuad) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 64, 0, 64, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(32, 0);
    glVertex2i(32, 64);
    glVertex2i(0, 64);
    glEnd();
    glFinish();
    EXPECT_EQ(gl.readPixel(10, 10), 0xff0000u);
    EXPECT_EQ(gl.readPixel(50, 10), 0x0000ffu);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
