// A place's weather through the whole engine on the shipped data: landed at
// a snowy place, flakes fall before the observer's eyes.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

struct Landing {
    orvextest::CmdResult run;
    QImage picture;
};

// Lands at the place (chosen before the mode changes, as the place dialog
// does) and runs 300 frames with the weather shown or not, at a fixed time.
Landing land(const char* place, const char* weather) {
    orvextest::TempDir dir;
    const QString picture = orvextest::qpath(dir.file("place.png"));
    Landing landing;
    landing.run = orvextest::orvexCmdGL({"-C", orvextest::qpath(orvextest::shareDir()),
                                         "-g", "240x160",
                                         "-e", "Timer.Mode UTC",
                                         "-e", "Timer.Speed 0",
                                         "-e", "Timer.TimeText 2026 12 24 22 0 0",
                                         "-e", "Ssystem.AstrName Earth",
                                         "-e", QString("Ssystem.PlaceName ") + place,
                                         "-e", "Camera.Mode Observe",
                                         "-e", QString("Lscape.Weather ") + weather,
                                         "-e", "Lscape.WeatherOpacityTo 1 45",
                                         "-n", "300",
                                         "-q", "Camera.PSystem",
                                         "-q", "Camera.PSFilename",
                                         "-p", picture});
    landing.picture = QImage(picture);
    return landing;
}

} // namespace

TEST(OrvexCmdWeather, SnowFallsAtASnowyPlace) {
    const Landing snow = land("Zermatt", "1");
    const Landing clear = land("Zermatt", "0");
    ASSERT_EQ(snow.run.status, 0) << snow.run.err;
    ASSERT_EQ(clear.run.status, 0) << clear.run.err;
    EXPECT_EQ(snow.run.out, " 1\n./effects/snow.dfx\n");
    ASSERT_EQ(snow.picture.size(), QSize(240, 160));
    ASSERT_EQ(clear.picture.size(), QSize(240, 160));
    // The same sky and ground; what the weather adds are the flakes: bright
    // specks over the dark ground and in the sky, all over the view.
    int flakes = 0;
    int upper = 0;
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x) {
            if (qGray(snow.picture.pixel(x, y)) > qGray(clear.picture.pixel(x, y)) + 30) {
                ++flakes;
                upper += y < 80;
            }
        }
    }
    EXPECT_GT(flakes, 400);
    EXPECT_GT(upper, 50);
    EXPECT_GT(flakes - upper, 50);
}
