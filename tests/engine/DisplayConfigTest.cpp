#include <gtest/gtest.h>

#include <QGLFormat>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/DisplayConfig.h"
#include "engine/LogMessage.h"
#include "support/TestEnv.h"

namespace {

// The working directory of the program is root/a/b; the cascade reads root,
// root/a and root/a/b.
class DisplayConfigTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(work()); }
    std::filesystem::path work() const { return std::filesystem::path(root.path()) / "a/b"; }
    void write(const std::string& relative, const std::string& text) {
        std::ofstream(std::filesystem::path(root.path()) / relative / "stinit.cfg") << text;
    }
    orvextest::TempDir root;
};

} // namespace

TEST_F(DisplayConfigTest, WithoutFilesDrawsMonoWithTheDefaults) {
    // Missing files are no news; a folder in a file's place is told.
    LogCapture log;
    std::filesystem::create_directory(work() / "stinit.cfg");
    DisplayConfig config(work().string());
    EXPECT_EQ(log.messages().size(), 1u);
    EXPECT_TRUE(log.contains("/stinit.cfg: Is a directory"));
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_DOUBLE_EQ(config.getEyeOffset(), double(0.0375f));
    EXPECT_EQ(config.getColorBits(), 16);
    EXPECT_EQ(config.getDepthBits(), 32);
    EXPECT_EQ(config.getPixelFlags(), 0x65u);
    EXPECT_EQ(config.getProjectType(), DisplayConfig::Direct);
    EXPECT_EQ(config.getTextureWidth(), 1024);
    EXPECT_EQ(config.getTextureHeight(), 512);
    EXPECT_DOUBLE_EQ(config.getFieldOfView(), 30.0);
    EXPECT_DOUBLE_EQ(config.getTopAngle(), 0.0);
    EXPECT_DOUBLE_EQ(config.getBottomAngle(), 45.0);
    EXPECT_EQ(config.getProjectRes(), 32);
}

TEST_F(DisplayConfigTest, LaterFilesOverrideEarlierOnes) {
    write("", "Stereo: 2\nStereoOffset: 0.05\nFieldOfView: 60\n");
    write("a", "Stereo: 1\nTextureWidth: 2048\n");
    write("a/b", "Stereo: 0\n");
    DisplayConfig config(work().string());
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_DOUBLE_EQ(config.getEyeOffset(), double(0.05f));
    EXPECT_DOUBLE_EQ(config.getFieldOfView(), 60.0);
    EXPECT_EQ(config.getTextureWidth(), 2048);
}

TEST_F(DisplayConfigTest, SwapDecidesTheEyeOffsetSign) {
    write("a/b", "StereoSwap: 2 Stereo: 1\n");
    DisplayConfig swapped(work().string());
    EXPECT_EQ(swapped.getStereoMode(), DisplayConfig::QuadBuffer);
    EXPECT_DOUBLE_EQ(swapped.getEyeOffset(), -double(0.0375f));
    write("a/b", "StereoSwap: 0\n");
    DisplayConfig same(work().string());
    EXPECT_DOUBLE_EQ(same.getEyeOffset(), 0.0);
}

TEST_F(DisplayConfigTest, ReadsEveryKeywordAndSkipsComments) {
    write("a/b", "# Stereo: 2 TopAngle: 9 in a comment\n"
                 "StereoOffset: 0.06 ColorBit: 280 DepthBit: 24\n"
                 "Accelerated: 1 DepthDontCare: 1\n"
                 "ProjectType: Fisheye TextureWidth: 512 TextureHeight: 256\n"
                 "Unknown: 5 ProjectType: Sideways\n"
                 "FieldOfView: 90.5 TopAngle: 10 BottomAngle: -20.25 ProjectRes: 64\n");
    DisplayConfig config(work().string());
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_FLOAT_EQ(config.getStereoOffset(), 0.06f);
    EXPECT_EQ(config.getColorBits(), 24); // the low byte of 280
    EXPECT_EQ(config.getDepthBits(), 24);
    EXPECT_EQ(config.getPixelFlags(), 0x1 | 0x4 | 0x20 | 0x1000 | 0x20000000u);
    EXPECT_EQ(config.getProjectType(), DisplayConfig::Fisheye);
    EXPECT_EQ(config.getTextureWidth(), 512);
    EXPECT_EQ(config.getTextureHeight(), 256);
    EXPECT_DOUBLE_EQ(config.getFieldOfView(), 90.5);
    EXPECT_DOUBLE_EQ(config.getTopAngle(), 10.0);
    EXPECT_DOUBLE_EQ(config.getBottomAngle(), -20.25);
    EXPECT_EQ(config.getProjectRes(), 64);

    write("a", "Accelerated: 1\n");
    write("a/b", "Accelerated: 0 DepthDontCare: 0 ProjectType: Dome\n");
    DisplayConfig generic(work().string());
    EXPECT_EQ(generic.getPixelFlags(), 0x65u);
    EXPECT_EQ(generic.getProjectType(), DisplayConfig::Dome);
}

TEST_F(DisplayConfigTest, UnknownStereoModeDrawsMono) {
    write("a/b", "Stereo: 7\n");
    LogCapture log;
    DisplayConfig config(work().string());
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("unknown stereo mode 7"));
}

TEST_F(DisplayConfigTest, FormatAsksForWhatTheModeNeeds) {
    DisplayConfig mono(work().string());
    QGLFormat format = mono.glFormat();
    EXPECT_FALSE(format.stereo());
    EXPECT_TRUE(format.depth());
    EXPECT_TRUE(format.doubleBuffer());
    EXPECT_EQ(format.depthBufferSize(), 32);

    write("a/b", "Stereo: 1 DepthBit: 24\n");
    DisplayConfig quad(work().string());
    EXPECT_TRUE(quad.glFormat().stereo());
    EXPECT_TRUE(quad.glFormat().depth());
    EXPECT_EQ(quad.glFormat().depthBufferSize(), 24);

    write("a/b", "Stereo: 2\n");
    DisplayConfig stencil(work().string());
    EXPECT_FALSE(stencil.glFormat().stereo());
    EXPECT_TRUE(stencil.glFormat().stencil());
    EXPECT_GE(stencil.glFormat().stencilBufferSize(), 1);
}

TEST_F(DisplayConfigTest, RefusedStereoFallsBackToMonoWithDepth) {
    write("a/b", "Stereo: 1\n");
    DisplayConfig config(work().string());
    // What a driver without quad buffers hands out for a stereo request.
    QGLFormat refused = config.glFormat();
    refused.setStereo(false);
    refused.setDepth(false);
    refused.setStencil(false);
    LogCapture log;
    EXPECT_FALSE(config.acceptFormat(refused));
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("Drawing mono"));
    EXPECT_FALSE(config.glFormat().stereo());
    EXPECT_TRUE(config.glFormat().depth());
    EXPECT_TRUE(config.acceptContext(false, 24, 0));
}

TEST_F(DisplayConfigTest, StencilStereoNeedsStencilBits) {
    write("a/b", "Stereo: 2\n");
    DisplayConfig withStencil(work().string());
    EXPECT_TRUE(withStencil.acceptContext(false, 24, 8));
    EXPECT_EQ(withStencil.getStereoMode(), DisplayConfig::Stencil);
    DisplayConfig without(work().string());
    LogCapture log;
    EXPECT_FALSE(without.acceptContext(false, 24, 0));
    EXPECT_EQ(without.getStereoMode(), DisplayConfig::Mono);
    EXPECT_TRUE(log.contains("stencil"));

    write("a/b", "Stereo: 1\n");
    DisplayConfig quad(work().string());
    EXPECT_TRUE(quad.acceptContext(true, 24, 0));
    EXPECT_FALSE(quad.acceptContext(true, 0, 0));
}

TEST(DisplayConfigMask, EyesTakeAlternateRows) {
    EXPECT_TRUE(DisplayConfig::isLeftEyeRow(0));
    EXPECT_FALSE(DisplayConfig::isLeftEyeRow(1));
    EXPECT_TRUE(DisplayConfig::isLeftEyeRow(30));
    EXPECT_FALSE(DisplayConfig::isLeftEyeRow(31));
    EXPECT_TRUE(DisplayConfig::isLeftEyeRow(32));
}

TEST_F(DisplayConfigTest, MalformedValuesKeepWhatWasThere) {
    write("a/b", "Stereo: two StereoOffset: x FieldOfView: wide ProjectRes: 8\nStereoSwap:");
    DisplayConfig config(work().string());
    EXPECT_EQ(config.getStereoMode(), DisplayConfig::Mono);
    EXPECT_EQ(config.getStereoSwap(), 1);
    EXPECT_EQ(config.getProjectRes(), 8);
}
