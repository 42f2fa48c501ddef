// A hidden comet, or one outside the sim mode, leaves the picture as it is
// without the comet: with the stars, the Milky Way and the other bodies out
// of the way the view toward Halley's comet stays black.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

namespace {

class HiddenCometGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.started());
        ASSERT_TRUE(scene.run("Space.Mway 0"));
        ASSERT_TRUE(scene.run("Space.Stars 0"));
    }
    int brightPixels() {
        scene.frames(1);
        const QImage picture = scene.picture();
        return orvextest::countBright(picture, picture.rect(), 20);
    }

    orvextest::SceneView scene;
};

} // namespace

TEST_F(HiddenCometGLTest, HiddenCometDrawsNoDot) {
    ASSERT_TRUE(scene.run("Ssystem.AstrName 1P/Halley"));
    scene.settle();
    // Far enough for the comet to be its dot in the middle of the view.
    ASSERT_TRUE(scene.run("Camera.Dist 100000"));
    scene.frames(1);
    const QImage shown = scene.picture();
    const QRect middle(shown.width() / 2 - 5, shown.height() / 2 - 5, 11, 11);
    ASSERT_GT(orvextest::countBright(shown, middle, 20), 0);
    ASSERT_TRUE(scene.run("Ssystem.HideAstrBodies 1P/Halley"));
    EXPECT_EQ(brightPixels(), 0);
}

TEST_F(HiddenCometGLTest, CometOutsideTheSimModeDrawsNoDot) {
    // Halley's orbit file hides it in the second sim mode (and then no
    // command shows it there). The view looks straight at it, the other
    // bodies hidden: a drawn dot would be in the middle of the view.
    ASSERT_TRUE(scene.run("Ssystem.SimMode 1"));
    ASSERT_TRUE(scene.run("Ssystem.AstrName Sun"));
    scene.settle();
    ASSERT_TRUE(scene.run("Ssystem.HideAstrBodies Sun Earth Moon"));
    ASSERT_TRUE(scene.run("Camera.Look 1P/Halley"));
    scene.settle();
    EXPECT_EQ(brightPixels(), 0);
}
