// The Milky Way shows along the galactic plane, in both styles, and not at
// the galactic pole: pictures with it on and off, the bodies hidden, looking
// at points of the plane and at its north pole.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <string>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

namespace {

class MilkyWayGLTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.started());
        ASSERT_TRUE(scene.run("Ssystem.HideAstrBodies Sun Earth Moon"));
        ASSERT_TRUE(scene.run(std::string("Space.MwayStyle ") + GetParam()));
    }

    // The share of the middle of the view that the Milky Way changes, looking
    // at the named point of the sky.
    double shareChangedAt(const std::string& point) {
        EXPECT_TRUE(scene.run("Camera.Look " + point));
        scene.settle();
        EXPECT_TRUE(scene.run("Space.Mway 0"));
        scene.frames(1);
        const QImage without = scene.picture();
        EXPECT_TRUE(scene.run("Space.Mway 1"));
        scene.frames(1);
        const QImage with = scene.picture();
        const QRect middle(with.width() / 2 - 30, with.height() / 2 - 30, 60, 60);
        return double(orvextest::countDiffering(with, without, middle)) / (60 * 60);
    }

    orvextest::SceneView scene;
};

} // namespace

TEST_P(MilkyWayGLTest, ShowsAlongTheGalacticPlaneOnly) {
    EXPECT_GT(shareChangedAt("Galactic_Centre"), 0.9);
    EXPECT_GT(shareChangedAt("Galactic_Anticentre"), 0.9);
    EXPECT_LT(shareChangedAt("Galactic_North_Pole"), 0.01);
}

INSTANTIATE_TEST_SUITE_P(Styles, MilkyWayGLTest, ::testing::Values("Polygon", "Textured"));
