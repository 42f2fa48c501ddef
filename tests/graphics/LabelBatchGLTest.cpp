// Labels drawn together against each label's bitmap drawn by itself at its
// raster position: the same pixels in the same colour, hidden by what lies
// in front of them, in the program's state.
#include "graphics/LabelBatch.h"

#include <GL/glew.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/LabelFont.h"
#include "support/GlScreen.h"

namespace {

constexpr int width = 160;
constexpr int height = 120;

struct Label {
    std::string text;
    Vector3 p;
};

class LabelBatchDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        orvextest::applyProgramGlState();
        orvextest::perspectiveView(gl, 50.0);
        glTranslated(0.0, 0.0, -5.0);
        glRotated(15.0, 0.2, 1.0, 0.0);
        font.setAlign(4); // middle left, as names are set
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    // A wall in front of the labels on the left.
    void clearWithWall() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushAttrib(GL_CURRENT_BIT);
        glColor3f(0.0f, 0.0f, 0.6f);
        glBegin(GL_QUADS);
        glVertex3d(-3.0, -3.0, 0.5);
        glVertex3d(-0.8, -3.0, 0.5);
        glVertex3d(-0.8, 3.0, 0.5);
        glVertex3d(-3.0, 3.0, 0.5);
        glEnd();
        glPopAttrib();
    }
    orvextest::GlTestContext gl{width, height};
    LabelFont font;
};

const std::vector<Label> labels = {
    {"Ceres", Vector3(-1.5, 1.0, 0.0)},   {"2001_KX76", Vector3(0.2, 0.4, -1.0)},
    {"Pallas", Vector3(-2.0, -0.5, 1.2)}, {"C/1995_O1_Hale-Bopp", Vector3(-0.5, -1.2, 0.3)},
    {"Ceres", Vector3(1.1, 1.4, 0.6)},    {"Jgq", Vector3(0.6, -0.3, 0.9)},
    {"Edge", Vector3(2.6, 0.0, 0.0)},     {" ", Vector3(0.0, 0.0, 0.0)},
};

} // namespace

TEST_F(LabelBatchDraw, BatchSetsThePixelsOfEachLabelsBitmap) {
    const double colour[4] = {1.0, 0.8, 0.4, 1.0};
    clearWithWall();
    glColor4dv(colour);
    for (const Label& l : labels) {
        glRasterPos3d(l.p.x, l.p.y, l.p.z);
        font.draw(l.text, 0);
    }
    const std::vector<unsigned> alone = orvextest::readAllPixels(gl);

    clearWithWall();
    LabelBatch batch;
    for (const Label& l : labels)
        ASSERT_TRUE(batch.add(font, l.text, orvextest::windowOf(l.p), colour));
    EXPECT_EQ(batch.size(), int(labels.size()) - 1); // the blank sets no pixel
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    batch.flush(viewport);
    const std::vector<unsigned> batched = orvextest::readAllPixels(gl);

    int text = 0, differing = 0;
    for (size_t i = 0; i < alone.size(); ++i) {
        text += (alone[i] & 0xffffff) == 0xffcc66;
        differing += alone[i] != batched[i];
    }
    ASSERT_GT(text, 150);
    EXPECT_EQ(differing, 0);
    // The pages outlive the frame; a cleared batch rasterises again.
    batch.clear();
    EXPECT_TRUE(batch.add(font, "Ceres", orvextest::windowOf(labels[0].p), colour));
    batch.flush(viewport);
}
