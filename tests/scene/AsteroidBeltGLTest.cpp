// The asteroid belt is a faint veil of specks: seen from above the Sun, the
// ring between 2.1 and 3.3 AU changes the picture, stays dark, and every star
// behind it still shows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

TEST(AsteroidBeltGLTest, StarsBehindTheBeltStayVisible) {
    orvextest::SceneView scene;
    ASSERT_TRUE(scene.started());
    ASSERT_TRUE(scene.run("Space.Mway 0"));
    ASSERT_TRUE(scene.run("Ssystem.AstrName Sun"));
    scene.settle();
    // Looking down on the ecliptic: the belt is a ring 36 to 54 pixels
    // around the Sun in the middle of the view.
    ASSERT_TRUE(scene.run("Camera.Euler 0 0 0"));
    ASSERT_TRUE(scene.run("Camera.Dist 200"));
    scene.frames(2);
    const QImage without = scene.picture();
    ASSERT_TRUE(scene.run("Ssystem.AstrBelt 1"));
    scene.frames(1);
    const QImage with = scene.picture();

    const QPoint centre = with.rect().center();
    int ringPixels = 0, changed = 0, stars = 0, starsSeen = 0;
    double brightnessSum = 0.0;
    for (int y = centre.y() - 50; y <= centre.y() + 50; ++y)
        for (int x = centre.x() - 50; x <= centre.x() + 50; ++x) {
            const int dx = x - centre.x(), dy = y - centre.y();
            const int d2 = dx * dx + dy * dy;
            if (d2 < 40 * 40 || d2 > 50 * 50)
                continue;
            ++ringPixels;
            const int before = orvextest::brightness(without.pixel(x, y));
            const int after = orvextest::brightness(with.pixel(x, y));
            brightnessSum += after;
            changed += before != after ? 1 : 0;
            if (before > 150) {
                ++stars;
                starsSeen += after > 150 ? 1 : 0;
            }
        }
    ASSERT_GT(ringPixels, 0);
    EXPECT_GT(changed, ringPixels / 20);         // the belt is there
    EXPECT_LT(brightnessSum / ringPixels, 60.0); // as a faint veil
    ASSERT_GT(stars, 0);
    EXPECT_EQ(starsSeen, stars); // with the stars behind it
}
