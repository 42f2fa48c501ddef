#include <gtest/gtest.h>

#include <GL/glew.h>

#include "engine/ScreenFader.h"
#include "support/GlTestContext.h"

namespace {

constexpr unsigned red = 0xff0000;
constexpr unsigned blue = 0x0000ff;

class ScreenFaderGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // Pixels (x, y) covered by the fade in the 4 x 2 block at the origin.
    std::string coverage() {
        glFinish();
        std::string map;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x)
                map += gl.readPixel(x, y) == red ? 'X' : gl.readPixel(x, y) == blue ? '.' : '?';
            map += y == 0 ? "|" : "";
        }
        return map;
    }
    void fadeOnce(double alpha, int blend) {
        glClear(GL_COLOR_BUFFER_BIT);
        ScreenFader fader;
        fader.setAlphaBlend(blend);
        fader.setColor(1, 0, 0, alpha);
        fader.drawFade();
    }

    orvextest::GlTestContext gl{64, 64};
};

} // namespace

TEST_F(ScreenFaderGL, OpaqueFadeCoversThePicture) {
    fadeOnce(1.0, 1);
    glFinish();
    EXPECT_EQ(gl.readPixel(32, 32), red);
    EXPECT_EQ(gl.readPixel(0, 63), red);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ScreenFaderGL, BlendedHalfFadeMixesColours) {
    ScreenFader fader;
    fader.setColor(1, 0, 0, 0.5);
    glEnable(GL_TEXTURE_2D); // left on by an earlier pass; must not matter
    fader.drawFade();
    glFinish();
    unsigned pixel = gl.readPixel(32, 32);
    EXPECT_NEAR(int(pixel >> 16), 128, 2);
    EXPECT_NEAR(int(pixel & 0xff), 128, 2);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ScreenFaderGL, TransparentFadeDrawsNothing) {
    fadeOnce(0.0, 1);
    glFinish();
    EXPECT_EQ(gl.readPixel(32, 32), blue);
}

TEST_F(ScreenFaderGL, StippledFadesFollowTheirPatterns) {
    fadeOnce(0.5, 0);
    EXPECT_EQ(coverage(), "X.X.|.X.X");
    fadeOnce(0.1, 0);
    EXPECT_EQ(coverage(), "....|....");
    fadeOnce(0.3, 0);
    EXPECT_EQ(coverage(), "X.X.|....");
    fadeOnce(0.8, 0);
    EXPECT_EQ(coverage(), "XXXX|.X.X");
    fadeOnce(0.9, 0);
    EXPECT_EQ(coverage(), "XXXX|XXXX");
    fadeOnce(1.0, 0);
    EXPECT_EQ(coverage(), "XXXX|XXXX");
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_STIPPLE));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ScreenFaderGL, PrebuiltStipplesAreRebuiltCleanly) {
    ScreenFader fader;
    fader.buildStipples();
    fader.buildStipples();
    fader.setAlphaBlend(0);
    fader.setColor(1, 0, 0, 0.5);
    fader.drawFade();
    EXPECT_EQ(coverage(), "X.X.|.X.X");
}

TEST_F(ScreenFaderGL, BlurPassDarkensThePreviousPicture) {
    glClearColor(0.8f, 0.8f, 0.8f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ScreenFader fader;
    fader.setBlurCount(4);
    fader.drawBlur();
    glFinish();
    // Each pass keeps 1 - 1/4 of the old brightness: 204 -> 153.
    EXPECT_NEAR(int(gl.readPixel(20, 20) & 0xff), 153, 2);
    fader.drawBlur();
    glFinish();
    EXPECT_NEAR(int(gl.readPixel(20, 20) & 0xff), 115, 2);

    fader.setBlurOn(false);
    fader.drawBlur();
    glFinish();
    EXPECT_NEAR(int(gl.readPixel(20, 20) & 0xff), 115, 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
