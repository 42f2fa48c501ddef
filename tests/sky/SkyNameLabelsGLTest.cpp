#include <GL/glew.h>

#include <gtest/gtest.h>

#include "SkyScene.h"
#include "graphics/LabelFont.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "sky/Space.h"
#include "support/GlTestContext.h"
#include "support/TestRoot.h"

namespace {

constexpr int size = 160;

// Pixels of the frame in a square around the centre, and those of a colour.
struct Probe {
    int lit = 0;
    int red = 0;
    int white = 0;
};

Probe probe(int x0, int y0, int x1, int y1) {
    const std::vector<unsigned char> rgb = orvextest::readFrame(size, size);
    Probe p;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* c = &rgb[(std::size_t(y) * size + x) * 3];
            p.lit += (c[0] | c[1] | c[2]) != 0;
            p.red += c[0] > 200 && c[1] < 50 && c[2] < 50;
            p.white += c[0] > 200 && c[1] > 200 && c[2] > 200;
        }
    return p;
}

// The whole frame.
Probe frame() {
    return probe(0, 0, size, size);
}

class SkyNameLabelsGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        root.setDataDir(orvextest::dataPath(""));
        fstars.setSpace(&space);
        run("Space.Stars 0"); // labels alone, unless a test shows the dots
    }
    // Clears and looks at a sky place with a field of 30 degrees.
    static void look(double ra, double decl) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        orvextest::lookAtSky(ra, decl, 30.0, 1.0);
    }
    int run(const std::string& line) { return root.interp.executeLine(line); }

    orvextest::GlTestContext gl{size, size};
    orvextest::TestRoot root;
    Space space{&root};
    Fstars fstars{&root};
    Galaxies galaxies{&root};
};

} // namespace

TEST_F(SkyNameLabelsGLTest, FixedStarDotsOnlyWithTheStarsShownAsPoints) {
    ASSERT_EQ(fstars.loadNames("names/fixedstars.txt"), 1);
    run("Space.Stars 1;Space.StarsStyle Points");
    // The red dot at right ascension 0, declination 10.
    look(0.0, 10.0);
    fstars.draw(); // before the lists are built: nothing
    EXPECT_EQ(frame().lit, 0);
    fstars.buildLists(1);
    ASSERT_NE(fstars.getPointsList(), 0u);
    look(0.0, 10.0);
    fstars.draw();
    const int c = size / 2;
    const Probe dot = probe(c - 3, c - 3, c + 3, c + 3);
    EXPECT_GE(dot.red, 8);
    EXPECT_LE(dot.red, 16); // a 4 by 4 disc without corners
    EXPECT_EQ(frame().lit, dot.lit);

    for (const char* hide : {"Space.Stars 0", "Space.Stars 1;Space.StarsStyle Textured"}) {
        run(hide);
        run("Fstars.Show 1");
        look(0.0, 10.0);
        fstars.draw();
        EXPECT_EQ(frame().red, 0) << hide;
        run("Fstars.Show 0");
    }
}

TEST_F(SkyNameLabelsGLTest, FixedStarLabelsInTheirColourWhileShown) {
    ASSERT_EQ(fstars.loadNames("names/fixedstars.txt"), 1);
    fstars.buildLists(1);
    EXPECT_EQ(fstars.getNameList(), 0u); // hidden: not rasterised yet
    const int c = size / 2;
    // Sirius: the label's bottom-left corner at the star.
    look(101.25, -(16.0 + 43.0 / 60.0));
    fstars.draw();
    EXPECT_EQ(frame().lit, 0); // hidden
    run("Fstars.Show 1");
    look(101.25, -(16.0 + 43.0 / 60.0));
    fstars.draw();
    const Probe label = probe(c, c, size, size);
    EXPECT_GT(label.white, 10);
    EXPECT_EQ(frame().lit, label.lit);
    run("Fstars.NameColor 1 0 0");
    look(101.25, -(16.0 + 43.0 / 60.0));
    fstars.draw();
    EXPECT_GT(probe(c, c, size, size).red, 10);
    EXPECT_EQ(frame().white, 0);
}

TEST_F(SkyNameLabelsGLTest, FontChangesRebuildTheLabelsAndTheSameFontDoesNot) {
    // The fixture by its full path: the scratch file moved the data directory.
    root.writeDataFile("late.txt", "FixedStarNames: 1 { Name: Late 12 0 0 0 }");
    ASSERT_EQ(fstars.loadNames(orvextest::dataPath("names/fixedstars.txt")), 1);
    run("Fstars.Show 1");
    fstars.buildLists(1);
    // Loaded after the build, the label is not in the list yet.
    ASSERT_EQ(fstars.loadNames("late.txt"), 1);
    const auto lateLabel = [this] {
        look(180.0, 0.0);
        fstars.draw();
        return frame().lit;
    };
    EXPECT_EQ(lateLabel(), 0);
    run("Fstars.NameFont " + fstars.getFont().getFontSpec());
    EXPECT_EQ(lateLabel(), 0);
    run("Fstars.NameFont " + fstars.getFont().getFamilyToken() + " 20 1");
    const int bold = lateLabel();
    EXPECT_GT(bold, 0);
    run("Fstars.NameFont " + fstars.getFont().getFamilyToken() + " 10 0");
    EXPECT_GT(lateLabel(), 0);
    EXPECT_LT(lateLabel(), bold);
}

TEST_F(SkyNameLabelsGLTest, GalaxyLabelsAreBuiltAtTheFirstShownFrame) {
    ASSERT_EQ(galaxies.loadNames("names/galaxies.txt"), 1);
    look(10.5, 41.0 + 16.0 / 60.0); // M31
    galaxies.draw();
    EXPECT_EQ(frame().lit, 0);
    EXPECT_EQ(galaxies.getNameList(), 0u); // hidden: not built
    run("Galaxies.Show 1");
    look(10.5, 41.0 + 16.0 / 60.0);
    galaxies.draw();
    EXPECT_NE(galaxies.getNameList(), 0u);
    const int c = size / 2;
    EXPECT_GT(probe(c, c, size, size).white, 10);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}
