// The eclipse shadow cones are translucent: at the total eclipse of
// 2024-04-08, looking down on Durango (near the middle of the path), the
// Earth's surface still shows where the cones lie over it. At most one
// umbra layer (alpha up to 0.8) and one penumbra layer (0.5) tint a point,
// so at least a tenth of the surface colour comes through.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

TEST(EclipseShadowGLTest, EarthShowsThroughTheShadowCones) {
    orvextest::SceneView scene;
    ASSERT_TRUE(scene.started());
    ASSERT_TRUE(scene.run("Space.Mway 0"));
    ASSERT_TRUE(scene.run("Timer.TimeText 2024 4 8 18 17 0"));
    ASSERT_TRUE(scene.run("Ssystem.PlaceName Durango"));
    ASSERT_TRUE(scene.run("Camera.LookPlace"));
    scene.settle();
    const QImage plain = scene.picture();
    ASSERT_TRUE(scene.run("Ssystem.FullShadow 1"));
    ASSERT_TRUE(scene.run("Ssystem.HalfShadow 1"));
    scene.frames(1);
    const QImage shadowed = scene.picture();

    // The map's blue north-west quadrant under the cones, away from the
    // place cursor in the middle.
    const QPoint centre = plain.rect().center();
    int covered = 0, seen = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QPoint d = QPoint(x, y) - centre;
            const QRgb before = plain.pixel(x, y);
            const QRgb after = shadowed.pixel(x, y);
            if (QPoint::dotProduct(d, d) < 15 * 15 || qBlue(before) < 150 || qRed(before) > 60 ||
                before == after)
                continue;
            ++covered;
            seen += qBlue(after) >= 0.08 * qBlue(before) ? 1 : 0;
        }
    ASSERT_GT(covered, 100); // the cones do lie over the Earth
    EXPECT_EQ(seen, covered);
}
