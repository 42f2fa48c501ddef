// The Mesh ground hides the sky below the horizon: standing at a place at
// night, the lower half of a view 35 degrees down (35 to 57 degrees below the
// horizon, where the relief's inner wall and floor are) holds no star, while
// the same view without the landscape is full of them.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

TEST(MeshGroundGLTest, NoStarShowsBelowTheHorizon) {
    orvextest::SceneView scene;
    ASSERT_TRUE(scene.started());
    ASSERT_TRUE(scene.run("Timer.TimeText 2026 3 20 0 0 0")); // night at Greenwich
    ASSERT_TRUE(scene.run("Ssystem.PlaceName Greenwich"));
    ASSERT_TRUE(scene.run("Lscape.GroundType Mesh"));
    ASSERT_TRUE(scene.run("Camera.Mode Observe"));
    scene.settle();
    for (const char* heading : {"0", "90", "200"}) {
        ASSERT_TRUE(scene.run(std::string("Camera.Orient -35 ") + heading));
        ASSERT_TRUE(scene.run("Lscape.Show 0"));
        scene.frames(1);
        QImage picture = scene.picture();
        const QRect lowerHalf(0, picture.height() / 2, picture.width(), picture.height() / 2);
        EXPECT_GT(orvextest::countBright(picture, lowerHalf, 100), 10) << heading;
        ASSERT_TRUE(scene.run("Lscape.Show 1"));
        scene.frames(1);
        picture = scene.picture();
        EXPECT_EQ(orvextest::countBright(picture, lowerHalf, 100), 0) << heading;
    }
}
