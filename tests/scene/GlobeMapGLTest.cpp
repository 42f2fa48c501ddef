// The Earth's map on the globe agrees with its places: the test map has one
// colour per quadrant of the globe (north-west, north-east, south-west,
// south-east), and the place cursor of a known place must stand on its
// quadrant's colour.
#include <gtest/gtest.h>

#include <QColor>
#include <string>
#include <vector>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"

namespace {

// The colours of tests/data/scene/textures/testglobe.png.
const QColor northWest(0, 0, 230);
const QColor northEast(0, 200, 0);
const QColor southWest(230, 0, 230);
const QColor southEast(230, 230, 0);
const std::vector<QColor> quadrants = {northWest, northEast, southWest, southEast};
const char* const quadrantNames[] = {"north-west", "north-east", "south-west", "south-east"};

class GlobeMapGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.started());
        // The head light shows the map in its own colours on the night side too.
        ASSERT_TRUE(scene.run("Camera.HeadLight 1"));
    }

    // The quadrant colour around the place cursor once the camera looks at the place.
    std::string quadrantAt(const std::string& place) {
        EXPECT_TRUE(scene.run("Ssystem.PlaceName " + place));
        EXPECT_TRUE(scene.run("Camera.LookPlace"));
        scene.settle();
        EXPECT_TRUE(scene.run("Camera.Dist 3"));
        scene.frames(2);
        const QImage picture = scene.picture();
        // The cursor marks the middle of the view; the ring beside it is globe.
        const int found =
            orvextest::dominantColour(picture, picture.rect().center(), 8, 24, quadrants);
        return found < 0 ? "none" : quadrantNames[found];
    }

    orvextest::SceneView scene;
};

} // namespace

TEST_F(GlobeMapGLTest, PlaceCursorsStandOnTheirQuadrants) {
    EXPECT_EQ(quadrantAt("Tokyo"), "north-east");
    EXPECT_EQ(quadrantAt("Cape_Town"), "south-east");
    EXPECT_EQ(quadrantAt("New_York"), "north-west");
    EXPECT_EQ(quadrantAt("Rio_de_Janeiro"), "south-west");
}

TEST_F(GlobeMapGLTest, TheNorthOfTheGlobeIsTheNorthOfTheMap) {
    EXPECT_EQ(quadrantAt("Near_North_Pole"), "north-east");
}
