// Space with a display: the star files' lists, the shipped sky in each star
// style, and pictures of it for a look (set ORVEX_SKY_SHOTS to a directory).
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>

#include "SkyScene.h"
#include "StarFileTestSupport.h"
#include "engine/LogMessage.h"
#include "sky/CelestialGrid.h"
#include "sky/MilkyWay.h"
#include "sky/Space.h"
#include "sky/StarCatalog.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

using orvextest::BinaryFile;

namespace {

class SpaceGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        orvextest::useProgramGlState();
    }

    // The shipped sky as the configuration names it.
    void loadShippedSky() {
        root.setDataDir(share);
        ASSERT_EQ(space.loadSpaceFile("./data/stars/hipparcos.dhb"), 1);
        ASSERT_EQ(space.loadStars(share + "/data/stars/catalog.dsc"), 1);
        ASSERT_EQ(space.loadStarsColorMap(share + "/data/stars/starcolor.map"), 1);
        ASSERT_EQ(space.loadStarTexture(share + "/textures/star.png"), 1);
        space.setMwayFile("./textures/mway.jpg");
    }

    std::vector<unsigned char> drawSky(double ra, double dec, double fov) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        orvextest::lookAtSky(ra, dec, fov, double(gl.width()) / gl.height());
        space.drawMwayAndFrame();
        space.drawStars();
        return orvextest::readFrame(gl.width(), gl.height());
    }

    void shot(const std::vector<unsigned char>& rgb, const char* name) {
        if (const char* dir = std::getenv("ORVEX_SKY_SHOTS"))
            orvextest::saveFrame(rgb, gl.width(), gl.height(), std::string(dir) + "/" + name);
    }

    const std::string share = orvextest::shareDir();
    orvextest::GlTestContext gl{1280, 800};
    orvextest::TestRoot root;
    Space space{&root};
};

} // namespace

TEST_F(SpaceGLTest, TextAndBinaryFilesCompileTheirGroupsAtOnce) {
    ASSERT_EQ(space.loadSpaceFile(orvextest::dataPath("stars/two_groups.dsp")), 1);
    ASSERT_EQ(space.getGroups().size(), 2u);
    EXPECT_NE(space.getGroups()[0].list, 0u);
    EXPECT_FLOAT_EQ(space.getMaxMagnitude(), 5.5f);
    EXPECT_EQ(space.getSingleStars().size(), 1u);

    BinaryFile f;
    f.i32(0).i32(3);
    f.f32(-1.0f).i32(1).xyz(0, 0, -1);   // discs
    f.f32(3.0f).i32(1).xyz(0.5f, 0, -1); // squares
    f.f32(5.0f).i32(2).xyz(0, 0.3f, -1).xyz(0, -0.3f, -1);
    orvextest::TempDir dir;
    ASSERT_EQ(space.loadSpaceFile(orvextest::writeBytes(dir.file("s.dsb"), f.bytes())), 1);
    ASSERT_EQ(space.getGroups().size(), 3u);
    EXPECT_TRUE(space.getSingleStars().empty());
    EXPECT_EQ(space.getPointsList(), 0u); // nothing is compiled before the first build
    space.buildLists(1);
    EXPECT_NE(space.getPointsList(), 0u);
    EXPECT_EQ(root.interp.executeLine("Space.Magnitude 4;Space.Frame 0;Space.Mway 0"), 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, double(gl.width()) / gl.height(), 0.01, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotated(90.0, 0, 0, 1); // undo the points list's turn
    space.drawStars();
    const std::vector<unsigned char> rgb = orvextest::readFrame(gl.width(), gl.height());
    // A disc of 12 pixels and a square of 4; the group beyond the limit is not drawn.
    EXPECT_EQ(orvextest::litPixels(rgb), 16);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // A damaged file empties the groups.
    LogCapture log;
    EXPECT_EQ(space.loadSpaceFile(orvextest::writeBytes(dir.file("cut.dsb"), f.cut(30))), 0);
    EXPECT_TRUE(space.getGroups().empty());
}

TEST_F(SpaceGLTest, ShippedSkyReadsItsClassesAsTheLimitAdmitsThem) {
    loadShippedSky();
    EXPECT_EQ(space.getGroups().size(), 10u);
    EXPECT_FLOAT_EQ(space.getMaxMagnitude(), 9.0f);
    EXPECT_FLOAT_EQ(space.getMagnitude(), 6.0f);
    EXPECT_GT(space.getCatalog().getStarCount(), 8000);
    space.buildLists(1);
    EXPECT_EQ(space.getHipparcosReads(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    for (int k = 0; k <= 6; ++k)
        EXPECT_NE(space.getGroups()[k].list, 0u) << k;
    EXPECT_EQ(space.getGroups()[7].list, 0u);
    EXPECT_TRUE(space.getMilkyWay().hasTexture());

    // Orion in the Points style: a few hundred stars.
    const int points = orvextest::litPixels(drawSky(83.8, 1.0, 45.0), 60);
    EXPECT_GT(points, 200);
    root.interp.executeLine("Space.Magnitude 9");
    EXPECT_EQ(space.getHipparcosReads().size(), 10u);
    EXPECT_GT(orvextest::litPixels(drawSky(83.8, 1.0, 45.0), 60), points);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SpaceGLTest, ShippedSkyInEveryStyle) {
    loadShippedSky();
    space.buildLists(1);
    root.interp.executeLine("Space.Frame 0;Space.Mway 0");
    int lit[3];
    for (int style = 0; style < 3; ++style) {
        static const char* const words[] = {"Points", "Textured", "PointSprites"};
        root.interp.executeLine(std::string("Space.StarsStyle ") + words[style]);
        const std::vector<unsigned char> rgb = drawSky(83.8, 1.0, 60.0);
        lit[style] = orvextest::litPixels(rgb, 40);
        shot(rgb, (std::string("orion-") + words[style] + ".png").c_str());
        EXPECT_GT(lit[style], 200) << words[style];
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    root.interp.executeLine("Space.Frame 1;Space.StarsStyle Textured");
    shot(drawSky(83.8, 1.0, 60.0), "orion-grid.png");
    root.interp.executeLine("Space.Frame 0;Space.Mway 1;Space.StarsStyle Points");
    for (const char* style : {"Textured", "Polygon"}) {
        root.interp.executeLine(std::string("Space.MwayStyle ") + style);
        shot(drawSky(305.0, 40.0, 90.0), (std::string("cygnus-") + style + ".png").c_str());
        shot(drawSky(270.0, -28.0, 90.0), (std::string("sagittarius-") + style + ".png").c_str());
    }
}
