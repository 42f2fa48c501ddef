#include <GL/glew.h>

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/GlTestContext.h"
#include "support/TestRoot.h"
#include "view/Markers.h"

namespace {

constexpr int size = 128;

// Lit pixels in [x0, x1) x [y0, y1) (y from the bottom), and the red ones.
struct Probe {
    int lit = 0;
    int red = 0;
};

Probe probe(int x0, int y0, int x1, int y1) {
    std::vector<unsigned char> rgb(std::size_t(size) * size * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Probe p;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* c = &rgb[(std::size_t(y) * size + x) * 3];
            p.lit += (c[0] | c[1] | c[2]) != 0;
            p.red += c[0] > 150 && c[1] < 60 && c[2] < 60;
        }
    return p;
}

Probe frame() {
    return probe(0, 0, size, size);
}

class MarkersGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    // A scene looking down -z from the origin, 60 degrees high.
    static void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    void draw(const std::string& lines) {
        ASSERT_EQ(root.interp.executeLine(lines), 1) << lines;
        clear();
        markers.draw();
    }

    orvextest::GlTestContext gl{size, size};
    orvextest::TestRoot root;
    Markers markers{&root};
};

} // namespace

TEST_F(MarkersGLTest, NothingVisibleTouchesNoState) {
    root.interp.executeLine("Markers.Add A;Markers.SetPos2 A 0.5 0.5");
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    markers.draw();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(markers.find("A")->displayList, 0u); // nothing compiled either
    glDisable(GL_LIGHTING);
}

TEST_F(MarkersGLTest, AScreenTextCentredOnTheScreen) {
    draw("Markers.Add T;Markers.SetText T Orvex;Markers.SetPos2 T 0.5 0.5;"
         "Markers.SetJustify T 5;Markers.SetShow T 1");
    const int c = size / 2;
    const Probe all = frame();
    ASSERT_GT(all.lit, 10);
    // Centred: as much text left of the centre as right of it, above as below.
    const Probe left = probe(0, 0, c, size);
    const Probe below = probe(0, 0, size, c);
    EXPECT_NEAR(left.lit, all.lit - left.lit, all.lit / 4);
    EXPECT_NEAR(below.lit, all.lit - below.lit, all.lit / 3);
    EXPECT_EQ(probe(0, 0, size, c - 16).lit, 0);
    // Lighting, depth test and blending are off afterwards; the matrices are back.
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint mode = 0, depth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);

    // Bottom-left at the top-left corner of the screen: the text hangs off
    // the top; anchored top-left it lies in the corner.
    draw("Markers.SetPos2 T 0 0;Markers.SetJustify T 1");
    EXPECT_EQ(frame().lit, 0);
    draw("Markers.SetJustify T 7");
    EXPECT_GT(probe(0, size - 24, 48, size).lit, 10);
    EXPECT_EQ(frame().lit, probe(0, size - 24, 64, size).lit);
    // An anchor outside 1 to 9 is bottom-left.
    draw("Markers.SetJustify T 12");
    EXPECT_EQ(frame().lit, 0);
}

TEST_F(MarkersGLTest, WorldPointsLinesAndTexts) {
    const int c = size / 2;
    draw("Markers.Add P;Markers.SetPos3 P 0 0 -5;Markers.SetPoint P 6;"
         "Markers.SetColor P 1 0 0 1;Markers.SetShow P 1");
    EXPECT_GT(probe(c - 4, c - 4, c + 4, c + 4).red, 12);
    EXPECT_EQ(frame().lit, probe(c - 4, c - 4, c + 4, c + 4).lit);
    // A point on the screen is not drawn.
    draw("Markers.SetPos2 P 0.5 0.5");
    EXPECT_EQ(frame().lit, 0);

    // A horizontal line across the middle between two world marks.
    draw("Markers.Add A;Markers.SetPos3 A -10 0 -5;Markers.Add B;Markers.SetPos3 B 10 0 -5;"
         "Markers.Add L;Markers.SetLine L A B;Markers.SetWidth L 3;Markers.SetShow L 1");
    EXPECT_GE(probe(0, c - 3, size, c + 3).lit, size * 2);
    EXPECT_EQ(probe(0, 0, size, c - 8).lit, 0);
    // A dynamic line follows its ends in every frame.
    draw("Markers.SetDLine L A B;Markers.SetPos3 A 0 -10 -5;Markers.SetPos3 B 0 10 -5");
    EXPECT_GE(probe(c - 3, 0, c + 3, size).lit, size * 2);
    EXPECT_EQ(probe(0, 0, c - 8, size).lit, 0);

    // A text at a point of the world; hidden marks and Show 0 draw nothing.
    draw("Markers.SetShow L 0;Markers.SetText A Hello;Markers.SetPos3 A 0 0 -5;"
         "Markers.SetShow A 1");
    EXPECT_GT(probe(c, c, size, size).lit, 10);
    EXPECT_EQ(probe(0, 0, c - 1, c - 1).lit, 0);
    draw("Markers.Show 0");
    EXPECT_EQ(frame().lit, 0);
}

TEST_F(MarkersGLTest, FontChangesRecompileTheText) {
    draw("Markers.Add T;Markers.SetText T Mm;Markers.SetPos2 T 0.25 0.5;Markers.SetShow T 1");
    const int small = frame().lit;
    ASSERT_GT(small, 0);
    draw("Markers.SetFont T " + markers.find("T")->font->getFamilyToken() + " 24 1");
    EXPECT_GT(frame().lit, small * 2);
    draw("Markers.Clear");
    EXPECT_EQ(frame().lit, 0);
}
