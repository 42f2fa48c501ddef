// Drawing the Milky Way in its two styles.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "SkyScene.h"
#include "sky/MilkyWay.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"
#include "support/TestEnv.h"

namespace {

const int size = 128;
// The galactic centre and north pole (J2000).
const double centreRa = 266.405, centreDec = -28.936;
const double poleRa = 192.859, poleDec = 27.128;

class MilkyWayGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        orvextest::useProgramGlState();
    }

    std::vector<unsigned char> drawToward(double ra, double dec) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        orvextest::lookAtSky(ra, dec, 40.0, 1.0);
        mway.draw();
        return orvextest::readFrame(size, size);
    }
    static int middle(const std::vector<unsigned char>& rgb) {
        return rgb[(std::size_t(size / 2) * size + size / 2) * 3];
    }

    orvextest::GlTestContext gl{size, size};
    MilkyWay mway;
};

} // namespace

TEST_F(MilkyWayGLTest, PolygonCoreIsDrawnLastAtTheFullColourWithoutDepth) {
    mway.setStyle(MilkyWay::Polygon);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    const std::vector<unsigned char> rgb = drawToward(centreRa, centreDec);
    EXPECT_NEAR(middle(rgb), 0.15 * 255, 1.0);
    float depth = 0.0f;
    glReadPixels(size / 2, size / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f); // the layers never hide what comes later
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_TRUE);
    glDisable(GL_DEPTH_TEST);

    // Toward the galactic pole there is no band.
    EXPECT_EQ(middle(drawToward(poleRa, poleDec)), 0);
}

TEST_F(MilkyWayGLTest, LayerCountsAboveSevenDrawTheSevenLayers) {
    mway.setStyle(MilkyWay::Polygon);
    const double grey[3] = {0.9, 0.9, 0.9};
    mway.setDisp(7, grey);
    const std::vector<unsigned char> seven = drawToward(centreRa + 20, centreDec);
    mway.setDisp(40, grey);
    EXPECT_EQ(drawToward(centreRa + 20, centreDec), seven);

    // Three layers: only the brightest three, at 1/3, 2/3 and the full colour.
    mway.setDisp(3, grey);
    const std::vector<unsigned char> three = drawToward(centreRa + 20, centreDec);
    EXPECT_LT(orvextest::litPixels(three), orvextest::litPixels(seven));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MilkyWayGLTest, TexturedBandShowsThePanoramaInEveryNonZeroStyle) {
    mway.setTexture(orvextest::shareDir() + "/textures/mway.jpg");
    mway.buildList();
    ASSERT_TRUE(mway.hasTexture());
    const std::vector<unsigned char> centre = drawToward(centreRa, centreDec);
    EXPECT_GT(middle(centre), 30);
    EXPECT_LT(middle(drawToward(poleRa, poleDec)), 5);
    mway.setStyle(2);
    EXPECT_EQ(drawToward(centreRa, centreDec), centre);
    // The stored rotation changes nothing.
    mway.setRotation(Quaternion(0.3, 0.2, 0.1));
    EXPECT_EQ(drawToward(centreRa, centreDec), centre);
    // Without its texture the band falls back to the layers.
    mway.setTexture(orvextest::shareDir() + "/textures/none.jpg");
    mway.buildList();
    EXPECT_FALSE(mway.hasTexture());
    EXPECT_NEAR(middle(drawToward(centreRa, centreDec)), 0.15 * 255, 1.0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
