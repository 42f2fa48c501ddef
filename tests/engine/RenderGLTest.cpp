#include <gtest/gtest.h>

#include <GL/glew.h>

#include "engine/DataFile.h"
#include "engine/Main.h"
#include "engine/Render.h"
#include "support/GlTestContext.h"

namespace {

class TestRoot : public Main {
public:
    TestRoot() : Main("Orvex") {}
    int readConfigEntry(DataFile&) override { return 1; }
};

} // namespace

// The frame as the root runs it: blur pass, scene, fade pass.
TEST(RenderGL, CommandsDriveTheFrameEffects) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    TestRoot root;
    Render render(&root);
    render.init(1);

    glClearColor(0.8f, 0.8f, 0.8f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ASSERT_EQ(root.interp.executeLine("Render.BlurCount 2"), 1);
    render.drawBlur();
    glFinish();
    EXPECT_NEAR(int(gl.readPixel(32, 32) & 0xff), 102, 2);

    ASSERT_EQ(root.interp.executeLine("Render.FaderColor 0 1 0 0.5"), 1);
    render.setAlphaBlend(0);
    render.drawFade();
    glFinish();
    EXPECT_EQ(gl.readPixel(0, 0), 0x00ff00u);
    EXPECT_NE(gl.readPixel(1, 0), 0x00ff00u);

    ASSERT_EQ(root.interp.executeLine("Render.FaderColor 1 0 0 1"), 1);
    render.init(0); // built before: rebuilt
    render.drawFade();
    glFinish();
    EXPECT_EQ(gl.readPixel(32, 32), 0xff0000u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
