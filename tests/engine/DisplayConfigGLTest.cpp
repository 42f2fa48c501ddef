#include <gtest/gtest.h>

#include <GL/glew.h>

#include <QOpenGLFramebufferObject>
#include <filesystem>
#include <fstream>

#include "engine/DisplayConfig.h"
#include "engine/LogMessage.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

namespace {

constexpr unsigned red = 0xff0000;
constexpr unsigned green = 0x00ff00;

DisplayConfig* configWith(const orvextest::TempDir& dir, const char* text) {
    std::ofstream(dir.file("stinit.cfg")) << text;
    return new DisplayConfig(dir.path());
}

void fill(float r, float g, float b) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(r, g, b);
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
}

void drawBothEyes(DisplayConfig& config) {
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    config.beginLeftEye();
    fill(1, 0, 0);
    config.beginRightEye();
    fill(0, 1, 0);
    config.endStereo();
    glFinish();
}

} // namespace

TEST(DisplayConfigGL, StencilStereoInterleavesTheEyesByRow) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    orvextest::TempDir dir;
    std::unique_ptr<DisplayConfig> config(configWith(dir, "Stereo: 2\n"));
    ASSERT_TRUE(config->checkContext());
    drawBothEyes(*config);
    for (int y : {0, 1, 2, 31, 32, 63})
        EXPECT_EQ(gl.readPixel(17, y), DisplayConfig::isLeftEyeRow(y) ? red : green) << "row " << y;
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(DisplayConfigGL, MaskIsDrawnAgainWhenTheSizeChanges) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    orvextest::TempDir dir;
    std::unique_ptr<DisplayConfig> config(configWith(dir, "Stereo: 2\n"));
    drawBothEyes(*config);
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glViewport(0, 0, 32, 32);
    drawBothEyes(*config);
    EXPECT_EQ(gl.readPixel(5, 4), red);
    EXPECT_EQ(gl.readPixel(5, 5), green);
}

TEST(DisplayConfigGL, QuadBufferModeWithoutStereoContextDrawsMono) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    GLboolean stereo = GL_FALSE;
    glGetBooleanv(GL_STEREO, &stereo);
    if (stereo)
        GTEST_SKIP() << "this display has quad buffers";
    orvextest::TempDir dir;
    std::unique_ptr<DisplayConfig> config(configWith(dir, "Stereo: 1\n"));
    LogCapture log;
    // The eyes check the context themselves when the view did not.
    drawBothEyes(*config);
    EXPECT_EQ(config->getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("quad buffers"));
    EXPECT_EQ(gl.readPixel(10, 10), green);
    EXPECT_EQ(gl.readPixel(10, 11), green);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A view that draws into a frame buffer of its own checks that buffer: one
// without stencil cannot keep the eye mask, and the log says so.
TEST(DisplayConfigGL, StencilStereoIntoAFrameBufferWithoutStencilDrawsMono) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    QOpenGLFramebufferObject target(64, 64, QOpenGLFramebufferObject::Depth);
    ASSERT_TRUE(target.bind());
    orvextest::TempDir dir;
    std::unique_ptr<DisplayConfig> config(configWith(dir, "Stereo: 2\n"));
    LogCapture log;
    EXPECT_FALSE(config->checkContext());
    EXPECT_EQ(config->getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("needs a stencil buffer"));
    target.release();
}
