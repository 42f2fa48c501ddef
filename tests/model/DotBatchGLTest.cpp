// The batch of body dots against the dot drawn on its own as GL draws it:
// at the raster position of the body's centre a GL point of the dot's size
// (below 2 pixels) or a square, cross or round bitmap, then the 4 x 4 round
// dot. Both are drawn in the program's state (depth test, point smoothing,
// culling) and must give the same pixels.
#include "model/DotBatch.h"

#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "support/GlScreen.h"

namespace {

constexpr int width = 96;
constexpr int height = 80;

// One dot as a body drew it by itself, at (x, y, z) of the current frame.
void drawAlone(const Vector3& p, float size, const float* rgb) {
    static const GLubyte square[2] = {0xC0, 0xC0};
    static const GLubyte cross[3] = {0x40, 0xE0, 0x40};
    static const GLubyte round[4] = {0x60, 0xFF, 0xFF, 0x60};
    glPushMatrix();
    glTranslated(p.x, p.y, p.z);
    glColor3fv(rgb);
    auto bitmap = [](int n, float origin, const GLubyte* rows) {
        glRasterPos3d(0.0, 0.0, 0.0);
        glBitmap(n, n, origin, origin, 0.0f, 0.0f, rows);
    };
    if (size < 2.0f) {
        glPointSize(size);
        glBegin(GL_POINTS);
        glVertex3d(0.0, 0.0, 0.0);
        glEnd();
    } else if (size < 3.0f) {
        bitmap(2, 1.0f, square);
    } else if (size < 4.0f) {
        bitmap(3, 1.5f, cross);
    } else {
        bitmap(4, 2.0f, round);
    }
    bitmap(4, 2.0f, round);
    glPopMatrix();
}

struct Body {
    Vector3 p;
    float size;
    float rgb[3];
};

class DotBatchDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        // The state the root sets up, and the scene pass's point smoothing.
        orvextest::applyProgramGlState();
        glEnable(GL_POINT_SMOOTH);
        orvextest::perspectiveView(gl, 50.0);
        glTranslated(0.1, -0.2, -5.0);
        glRotated(20.0, 0.3, 1.0, 0.2);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    // A wall across part of the view, nearer than some dots and farther
    // than others.
    void drawWall() {
        glPushAttrib(GL_CURRENT_BIT);
        glColor3f(0.0f, 0.0f, 0.6f);
        glBegin(GL_QUADS);
        glVertex3d(-3.0, -3.0, 0.2);
        glVertex3d(0.2, -3.0, 0.2);
        glVertex3d(0.2, 3.0, 0.2);
        glVertex3d(-3.0, 3.0, 0.2);
        glEnd();
        glPopAttrib();
    }
    void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    orvextest::GlTestContext gl{width, height};
};

// Dots of every size and many colours over the view and across its edges,
// some behind the wall, some behind the eye.
std::vector<Body> scatteredBodies() {
    std::vector<Body> bodies;
    const float sizes[] = {0.825f, 1.5f, 1.99f, 2.0f, 2.7f, 3.0f, 3.6f, 4.0f, 5.2f};
    int i = 0;
    for (double x = -3.4; x <= 3.4; x += 0.37) {
        for (double y = -2.6; y <= 2.6; y += 0.41, ++i) {
            const double z = std::sin(3.0 * x + y) * 1.5;
            const float c = float(i % 7) / 6.0f;
            bodies.push_back({Vector3(x, y, z), sizes[i % 9], {c, 1.0f - c, 0.5f}});
        }
    }
    bodies.push_back({Vector3(0.0, 0.0, 10.0), 4.0f, {1, 1, 1}}); // behind the eye
    return bodies;
}

} // namespace

TEST_F(DotBatchDraw, BatchDrawsTheDotsAsEachBodyDrewItsOwn) {
    const std::vector<Body> bodies = scatteredBodies();
    clear();
    drawWall();
    for (const Body& b : bodies)
        drawAlone(b.p, b.size, b.rgb);
    const std::vector<unsigned> alone = orvextest::readAllPixels(gl);

    clear();
    drawWall();
    DotBatch batch;
    batch.open();
    for (const Body& b : bodies)
        batch.add(batch.toEye(b.p), b.size, b.rgb);
    EXPECT_LT(batch.size(), int(bodies.size())); // the ones outside are left out
    batch.flush();
    EXPECT_FALSE(batch.isOpen());
    const std::vector<unsigned> batched = orvextest::readAllPixels(gl);

    int lit = 0, differing = 0;
    for (size_t i = 0; i < alone.size(); ++i) {
        lit += (alone[i] & 0xffffff) != 0 && (alone[i] & 0xffffff) != 0x000099;
        differing += alone[i] != batched[i];
    }
    ASSERT_GT(lit, 300);
    // Where two dots meet at one depth either may come out on top; nothing
    // else may differ.
    EXPECT_LE(differing, lit / 100);
}

TEST_F(DotBatchDraw, BatchLeavesTheStateItFound) {
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glPointSize(3.0f);
    DotBatch batch;
    batch.open();
    const float red[3] = {1, 0, 0};
    batch.add(batch.toEye(Vector3(0, 0, 0)), 1.2f, red);
    batch.add(batch.toEye(Vector3(0.5, 0, 0)), 4.0f, red);
    batch.flush();
    GLfloat colour[4], pointSize = 0;
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);
    EXPECT_FLOAT_EQ(pointSize, 3.0f);
    EXPECT_TRUE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(DotBatchDraw, ProjectedDiameterIsTwiceTheRadiusUpTheScreen) {
    DotBatch batch;
    batch.open();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Vector3 p(0.3, -0.4, 0.2);
    const double r = 0.05;
    // In eye space the radius stands straight up from the centre.
    double ex, ey, ez;
    gluProject(p.x, p.y, p.z, model, projection, viewport, &ex, &ey, &ez);
    GLdouble eye[16];
    glPushMatrix();
    glTranslated(p.x, p.y, p.z);
    glGetDoublev(GL_MODELVIEW_MATRIX, eye);
    glPopMatrix();
    static const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double wx, wy0, wy1, wz;
    gluProject(eye[12], eye[13], eye[14], identity, projection, viewport, &wx, &wy0, &wz);
    gluProject(eye[12], eye[13] + r, eye[14], identity, projection, viewport, &wx, &wy1, &wz);
    EXPECT_NEAR(batch.projectedDiameter(batch.toEye(p), r), 2.0 * (wy1 - wy0), 1e-6);
    Vector3 w;
    ASSERT_TRUE(batch.project(batch.toEye(p), w));
    EXPECT_NEAR(w.x, ex, 1e-6);
    EXPECT_NEAR(w.y, ey, 1e-6);
    EXPECT_NEAR(w.z, ez, 1e-9);
    // Behind the eye a body has no size and no place on the screen.
    const Vector3 behind = batch.toEye(Vector3(0, 0, 10));
    EXPECT_EQ(batch.projectedDiameter(behind, r), 0.0);
    EXPECT_FALSE(batch.project(behind, w));
    batch.flush();
}

TEST_F(DotBatchDraw, DotsGatheredBeforeATranslucentVeilShowThroughIt) {
    // A ring-like veil that blends and writes depth, in front of the first
    // dots and behind the last ones.
    const auto veil = [](double z) {
        glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0.0f, 0.0f, 1.0f, 0.5f);
        glBegin(GL_QUADS);
        glVertex3d(-3.0, -3.0, z);
        glVertex3d(3.0, -3.0, z);
        glVertex3d(3.0, 3.0, z);
        glVertex3d(-3.0, 3.0, z);
        glEnd();
        glPopAttrib();
    };
    std::vector<Body> before, after;
    for (const Body& b : scatteredBodies())
        (before.size() <= after.size() ? before : after).push_back(b);
    clear();
    for (const Body& b : before)
        drawAlone(b.p, b.size, b.rgb);
    veil(0.5);
    for (const Body& b : after)
        drawAlone(b.p, b.size, b.rgb);
    const std::vector<unsigned> alone = orvextest::readAllPixels(gl);

    clear();
    DotBatch batch;
    batch.open();
    for (const Body& b : before)
        batch.add(batch.toEye(b.p), b.size, b.rgb);
    batch.drawGathered();
    EXPECT_TRUE(batch.isOpen());
    EXPECT_EQ(batch.size(), 0);
    // The veil is drawn in another frame; the batch keeps its own.
    glPushMatrix();
    glTranslated(0.0, 0.0, 0.25);
    veil(0.25);
    glPopMatrix();
    for (const Body& b : after)
        batch.add(batch.toEye(b.p), b.size, b.rgb);
    batch.flush();
    const std::vector<unsigned> batched = orvextest::readAllPixels(gl);

    int throughVeil = 0, differing = 0;
    for (size_t i = 0; i < alone.size(); ++i) {
        const unsigned rgb = alone[i] & 0xffffff;
        // A dot (blue 0.5) blended with the half blue veil: seen through it.
        throughVeil += (rgb & 0xff) >= 0xb0 && (rgb & 0xffff00) != 0;
        differing += alone[i] != batched[i];
    }
    ASSERT_GT(throughVeil, 50);
    EXPECT_LE(differing, throughVeil / 50);
}
