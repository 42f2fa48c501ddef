// The toolkit's side of stereo: what a GL widget really gets for the format
// the display settings ask for.
#include <gtest/gtest.h>

#include <QGLWidget>
#include <filesystem>
#include <fstream>

#include "engine/DisplayConfig.h"
#include "engine/LogMessage.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

TEST(DisplayConfigFormatGL, RefusedQuadBuffersGiveAMonoViewWithDepth) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("stinit.cfg")) << "Stereo: 1\n";
    DisplayConfig config(dir.path());
    QGLWidget first(config.glFormat());
    first.resize(32, 32);
    first.show();
    orvextest::pinGlDriver();
    if (first.format().stereo())
        GTEST_SKIP() << "this display has quad buffers";
    LogCapture log;
    EXPECT_FALSE(config.acceptFormat(first.format()));
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("Drawing mono"));

    QGLWidget second(config.glFormat());
    second.resize(32, 32);
    second.show();
    EXPECT_TRUE(second.isValid());
    EXPECT_TRUE(second.format().depth());
    EXPECT_GT(second.format().depthBufferSize(), 0);
    EXPECT_TRUE(config.acceptFormat(second.format()));
}
