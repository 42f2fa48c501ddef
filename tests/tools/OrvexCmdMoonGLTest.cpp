// The Moon seen from the Earth through the whole engine on the shipped data,
// with textures on every body: lit when full, dark in a lunar eclipse, at
// the scale of the model and at the true scale alike.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

struct Sight {
    const char* place;
    const char* time; // UTC
    const char* scale;
};

// The mean grey of the middle of the picture, where the Moon looked at is.
double moonGrey(const Sight& sight) {
    orvextest::TempDir dir;
    const QString picture = orvextest::qpath(dir.file("moon.png"));
    const bool trueScale = std::string(sight.scale) == "Real";
    const orvextest::CmdResult run = orvextest::orvexCmdGL(
        {"-C", orvextest::qpath(orvextest::shareDir()), "-g", "200x200", "-e", "Timer.Mode UTC",
         "-e", "Timer.Speed 0", "-e", QString("Timer.TimeText ") + sight.time, "-e",
         "Detail.Texture Always", "-e", QString("Ssystem.Scale ") + sight.scale, "-e",
         "Ssystem.AstrName Earth", "-e", QString("Ssystem.PlaceName ") + sight.place, "-e",
         "Camera.Mode Observe", "-e", "Camera.Look Moon",
         // The true Moon is half a degree wide.
         "-e", trueScale ? "Camera.Zoom 1" : "Camera.Zoom 45", "-n", "40", "-p", picture});
    EXPECT_EQ(run.status, 0) << run.err;
    const QImage image(picture);
    if (image.size() != QSize(200, 200)) {
        ADD_FAILURE() << "no picture";
        return -1.0;
    }
    double sum = 0.0;
    int count = 0;
    for (int y = 95; y < 105; ++y) {
        for (int x = 95; x < 105; ++x) {
            sum += qGray(image.pixel(x, y));
            ++count;
        }
    }
    return sum / count;
}

} // namespace

// An independent ephemeris puts the full Moon of 2026-12-24 00:00 UTC
// 25,150 km from the axis of the Earth's shadow, whose penumbra is 8,080 km
// wide there (no eclipse), and the Moon of 2022-11-08 11:00 UTC 1,640 km
// from it, inside an umbra of 4,560 km (a total eclipse, seen from Tokyo in
// the evening).
TEST(OrvexCmdMoon, FullMoonIsLitAndEclipsedMoonIsDark) {
    for (const char* scale : {"Model", "Real"}) {
        const double full = moonGrey({"Greenwich", "2026 12 24 0 0 0", scale});
        const double eclipsed = moonGrey({"Tokyo", "2022 11 8 11 0 0", scale});
        EXPECT_GT(full, 70.0) << scale;
        EXPECT_LT(eclipsed, 0.6 * full) << scale;
        EXPECT_GT(eclipsed, 5.0) << scale << ": the Moon is there, only darkened";
    }
}
