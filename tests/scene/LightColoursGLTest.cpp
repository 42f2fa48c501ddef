// The ambient and sun colours change the very next frame: the night side of
// the selected textured Earth brightens with the ambient light, and the
// Sun's glow takes the sun colour.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

namespace {

class LightColoursGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.started());
        ASSERT_TRUE(scene.run("Space.Mway 0"));
    }

    orvextest::SceneView scene;
};

} // namespace

TEST_F(LightColoursGLTest, AmbientColourLightsTheNightSideAtTheNextFrame) {
    // The Earth fills the view, lit from the left: its right half is night.
    ASSERT_TRUE(scene.run("Camera.Look Sun"));
    scene.settle();
    ASSERT_TRUE(scene.run("Camera.Dist 3"));
    scene.frames(2);
    const QRect night(185, 100, 30, 40);
    const QColor before = orvextest::meanColour(scene.picture(), night);
    ASSERT_LT(before.value(), 20);
    ASSERT_TRUE(scene.run("Ssystem.AmbientColor 1 1 1"));
    scene.frames(1);
    const QColor after = orvextest::meanColour(scene.picture(), night);
    // The map's north-east green, dimmed by the ambient light.
    EXPECT_GT(after.green(), before.green() + 30);
    EXPECT_GT(after.green(), after.red() + 20);
}

TEST_F(LightColoursGLTest, SunColourTintsTheGlowAtTheNextFrame) {
    ASSERT_TRUE(scene.run("Ssystem.AstrName Sun"));
    scene.settle();
    const QImage before = scene.picture();
    ASSERT_TRUE(scene.run("Ssystem.SunColor 1 0 0"));
    scene.frames(1);
    const QImage after = scene.picture();
    // The glow around the disc: white before, red after.
    const QRect glow(before.width() / 2 + 26, before.height() / 2 - 3, 8, 6);
    const QColor white = orvextest::meanColour(before, glow);
    const QColor red = orvextest::meanColour(after, glow);
    EXPECT_GT(white.green(), 100);
    EXPECT_GT(red.red(), 100);
    EXPECT_LT(red.green(), red.red() / 4);
}
