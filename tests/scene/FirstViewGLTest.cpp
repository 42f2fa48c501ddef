// The shipped first view (share/scenarios/init.scn), started on twelve days
// across a year: the Earth's disc in the middle of the picture is mostly lit
// and its north is up. The scenario runs as shipped with its "now" made the
// day under test; the Earth wears the scene tests' quadrant globe (north
// blue and green, south magenta and yellow), so the picture tells north from
// south, and the lit share is measured against the disc the camera's
// distance and field of view give.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <string>

#include "scene/PictureChecks.h"
#include "scene/SceneView.h"
#include "support/ShippedDataCopy.h"
#include "support/TestGlobe.h"

namespace {

// The hidden window's default size, at which the shipped start leaves the view.
const int width = 640;
const int height = 480;

// The shipped data with the test globe for the Earth's map and no clouds
// over it, and the first view's "now" replaced by the given time.
class FirstViewData {
public:
    explicit FirstViewData(const std::string& time) : data_(std::vector<std::string>{}) {
        EXPECT_TRUE(orvextest::wearTestGlobe(data_.path(), {"earth.jpg"}, {"earthclouds.png"}));
        EXPECT_TRUE(data_.startAt(time)) << "the first view starts at the present time";
    }

private:
    orvextest::ShippedDataCopy data_;
};

using Half = orvextest::GlobeHalf;

struct DiscMeasure {
    int lit = 0;
    int all = 0;
    // North and south pixels in the disc's upper and lower caps, beyond
    // where the equator's ellipse reaches even with the pole tilted 23.4
    // degrees toward or away from the view.
    int northAbove = 0;
    int southAbove = 0;
    int northBelow = 0;
    int southBelow = 0;
};

DiscMeasure measureDisc(const QImage& picture, double radius) {
    DiscMeasure m;
    const double cx = picture.width() / 2.0;
    const double cy = picture.height() / 2.0;
    // Inside the limb, where the shading of a full disc is still clear.
    const double inner = 0.9 * radius;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy > inner * inner)
                continue;
            const QRgb p = picture.pixel(x, y);
            ++m.all;
            m.lit += orvextest::brightness(p) > 40 ? 1 : 0;
            const Half half = orvextest::globeHalf(p);
            if (dy < -0.6 * radius) {
                m.northAbove += half == Half::North;
                m.southAbove += half == Half::South;
            } else if (dy > 0.6 * radius) {
                m.northBelow += half == Half::North;
                m.southBelow += half == Half::South;
            }
        }
    return m;
}

double number(const std::string& text) {
    return std::stod(text);
}

} // namespace

TEST(FirstViewGLTest, TheSunlitEarthNorthUpOnEveryDayOfTheYear) {
    for (int month = 1; month <= 12; ++month) {
        // A day in each month, at another hour each time, so the Earth turns
        // a different side to the view.
        const std::string time =
            "2027 " + std::to_string(month) + " 17 " + std::to_string((month * 7) % 24) + " 0 0";
        SCOPED_TRACE(time);
        FirstViewData data(time);
        orvextest::SceneView scene(orvextest::SceneView::WorkingDirectory(), width, height);
        ASSERT_TRUE(scene.started());
        scene.frames(2);
        ASSERT_EQ(scene.query("Ssystem.AstrName"), "Earth");
        ASSERT_EQ(scene.query("Camera.Mode"), "Examine");
        // The disc of a sphere seen from Dist radii away, in a picture whose
        // height spans the field of view.
        const double pi = std::acos(-1.0);
        const double halfAngle = std::asin(1.0 / number(scene.query("Camera.Dist")));
        const double halfFov = number(scene.query("Camera.Fov")) * pi / 360.0;
        const QImage picture = scene.picture();
        const double radius = picture.height() / 2.0 * std::tan(halfAngle) / std::tan(halfFov);
        ASSERT_GT(radius, 20.0);
        const DiscMeasure m = measureDisc(picture, radius);
        ASSERT_GT(m.all, 1000);
        EXPECT_GE(m.lit * 10, m.all * 8) << "lit " << m.lit << " of " << m.all;
        EXPECT_GT(m.northAbove, 4 * m.southAbove)
            << "north above " << m.northAbove << ", south above " << m.southAbove;
        EXPECT_GT(m.southBelow, 4 * m.northBelow)
            << "south below " << m.southBelow << ", north below " << m.northBelow;
    }
}
