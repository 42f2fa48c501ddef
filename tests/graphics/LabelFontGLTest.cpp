// Labels drawn into GL: bitmaps at the raster position, textured labels in the
// screen-aligned label frame, and labels recorded in display lists.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <GL/glu.h>

#include "engine/Quaternion.h"
#include "graphics/LabelFont.h"
#include "support/GlTestContext.h"

namespace {

struct WindowPoint {
    int x, y;
};

class LabelFontGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        resetLabelTexture();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
        font.setFont("Liberation_Sans", 15, 1);
    }

    // Where a point lands in the window.
    WindowPoint project(double x, double y, double z) {
        GLdouble model[16], projection[16], wx, wy, wz;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        return {int(wx + 0.5), int(wy + 0.5)};
    }

    // How many pixels of the rectangle are not black.
    int litPixels(int x0, int y0, int x1, int y1) {
        glFinish();
        int lit = 0;
        for (int y = std::max(0, y0); y < std::min(gl.height(), y1); ++y)
            for (int x = std::max(0, x0); x < std::min(gl.width(), x1); ++x)
                lit += gl.readPixel(x, y) != 0;
        return lit;
    }

    orvextest::GlTestContext gl{200, 120};
    LabelFont font;
};

} // namespace

TEST_F(LabelFontGLTest, BitmapLabelAppearsAtTheProjectedPoint) {
    const WindowPoint p = project(-0.3, -0.2, -3.0);
    glRasterPos3d(-0.3, -0.2, -3.0);
    font.draw("Mars", 0);
    const int tw = font.getTextWidth("Mars");
    const int th = font.getTextHeight("Mars");
    EXPECT_GT(litPixels(p.x, p.y, p.x + tw, p.y + th), 10);
    EXPECT_EQ(litPixels(0, 0, p.x - 1, gl.height()), 0); // nothing left of it
    EXPECT_EQ(litPixels(0, 0, gl.width(), p.y - 1), 0);  // nor below
    EXPECT_EQ(litPixels(p.x + tw + 2, 0, gl.width(), gl.height()), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LabelFontGLTest, AlignPlacesTheTextAroundThePoint) {
    const WindowPoint p = project(0, 0, -3.0);
    const int tw = font.getTextWidth("Io");
    const int th = font.getTextHeight("Io");
    font.setAlign(9); // the point at the top right
    glRasterPos3d(0, 0, -3.0);
    font.draw("Io", 0);
    EXPECT_GT(litPixels(p.x - tw, p.y - th, p.x, p.y), 5);
    EXPECT_EQ(litPixels(p.x + 1, 0, gl.width(), gl.height()), 0);
    EXPECT_EQ(litPixels(0, p.y + 1, gl.width(), gl.height()), 0);
}

TEST_F(LabelFontGLTest, TexturedLabelsFollowTheLabelFrame) {
    const WindowPoint p = project(0.2, 0.1, -3.0);
    const int tw = font.getTextWidth("Jupiter");
    const int th = font.getTextHeight("Jupiter");
    glPushMatrix();
    glTranslated(0.2, 0.1, -3.0);
    pushLabelTransform(Quaternion());
    font.draw("Jupiter", 1); // bottom left at the point: the text lies above and right
    glPopMatrix();
    glPopMatrix();
    EXPECT_GT(litPixels(p.x, p.y, p.x + tw, p.y + th), 10);
    EXPECT_EQ(litPixels(0, 0, gl.width(), p.y - 2), 0);
    EXPECT_EQ(litPixels(0, 0, p.x - 2, gl.height()), 0);

    // The point at the top left: the same text hangs below it, as a bitmap would.
    glClear(GL_COLOR_BUFFER_BIT);
    font.setAlign(7);
    glPushMatrix();
    glTranslated(0.2, 0.1, -3.0);
    pushLabelTransform(Quaternion());
    font.draw("Jupiter<br>Saturn", 1);
    glPopMatrix();
    glPopMatrix();
    EXPECT_GT(litPixels(p.x, p.y - 2 * th, p.x + tw, p.y), 10);
    EXPECT_EQ(litPixels(0, p.y + 2, gl.width(), gl.height()), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)); // attributes restored
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(LabelFontGLTest, BitmapLabelsRecordIntoDisplayLists) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    font.draw("Venus<br>Earth", 0);
    glEndList();
    EXPECT_EQ(litPixels(0, 0, gl.width(), gl.height()), 0); // compiled, not drawn

    const WindowPoint p = project(-0.5, 0, -3.0);
    glRasterPos3d(-0.5, 0, -3.0);
    glCallList(list);
    EXPECT_GT(litPixels(p.x, p.y, gl.width(), gl.height()), 10);
    glDeleteLists(list, 1);
}
