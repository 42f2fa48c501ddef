// The names of the sky and the markers in the whole engine on the shipped data
// set: the camera looks at and follows named stars and galaxies, and a screen
// text stands where the scenario puts it.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include "OrvexCmdRun.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;
using orvextest::orvexCmdGL;

constexpr int width = 320;
constexpr int height = 240;

// Lit pixels in a box of the picture (x to the right, y down), and the
// lit columns left and right of x = mid.
struct Lit {
    int count = 0;
    int left = 0;
    int right = 0;
};

// Lit pixels, or those of exactly one colour.
Lit lit(const QImage& image, int x0, int y0, int x1, int y1, int mid = width / 2,
        unsigned colour = 0) {
    Lit l;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (const unsigned rgb = image.pixel(x, y) & 0xffffff;
                colour ? rgb == colour : rgb != 0) {
                ++l.count;
                (x < mid ? l.left : l.right) += 1;
            }
    return l;
}

// Runs the lines on the shipped data set for a few frames; the picture.
QImage picture(const QStringList& lines, const QStringList& queries, std::string* answers) {
    orvextest::TempDir dir;
    const QString file = QString::fromStdString(dir.file("frame.png"));
    // The Sun and the planets stand where they stood on one day, not today.
    const orvextest::ShippedDataCopy data(std::vector<std::string>{});
    EXPECT_TRUE(data.startAt("2027 3 20 12 0 0"));
    QStringList arguments = {"-C", QString::fromStdString(data.path()), "-g",
                             QString("%1x%2").arg(width).arg(height)};
    for (const QString& line : lines)
        arguments << "-e" << line;
    arguments << "-n"
              << "3"
              << "-p" << file;
    for (const QString& query : queries)
        arguments << "-q" << query;
    const CmdResult run = orvexCmdGL(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Command Error"), std::string::npos) << run.err;
    if (answers)
        *answers = run.out;
    return QImage(file);
}

} // namespace

TEST(OrvexCmdNamesGL, LookAtSiriusCentresItsDotAndLabel) {
    const QImage image = picture({"Fstars.Show 1", "Camera.Look Sirius"}, {}, nullptr);
    ASSERT_EQ(image.size(), QSize(width, height));
    const int cx = width / 2;
    const int cy = height / 2;
    // The dot on the centre, the label beginning there and running right.
    EXPECT_GT(lit(image, cx - 3, cy - 3, cx + 3, cy + 3).count, 4);
    const Lit label = lit(image, cx - 4, cy - 24, width, cy + 4, cx);
    EXPECT_GT(label.right, 40);
}

TEST(OrvexCmdNamesGL, TraceFollowsTheGalaxyByName) {
    std::string answers;
    const QImage image = picture({"Galaxies.Show 1", "Camera.Trace M31"},
                                 {"Camera.TargetName", "Galaxies.Show"}, &answers);
    EXPECT_EQ(answers, "M31\n 1\n");
    const int cx = width / 2;
    const int cy = height / 2;
    EXPECT_GT(lit(image, cx, cy - 24, width, cy + 2).count, 20);
}

TEST(OrvexCmdNamesGL, AScreenTextAtTheScreenCentre) {
    std::string answers;
    const QImage image = picture({"Markers.Add Title;Markers.SetText Title Orvex Studio;"
                                  "Markers.SetPos2 Title 0.5 0.5;Markers.SetJustify Title 5;"
                                  "Markers.SetColor Title 1 0.8 0 1;Markers.SetShow Title 1"},
                                 {"Markers.Show"}, &answers);
    EXPECT_EQ(answers, " 1\n");
    // Centred both ways, in the text's colour.
    constexpr unsigned yellow = 0xffcc00;
    const Lit all = lit(image, 0, 0, width, height, width / 2, yellow);
    ASSERT_GT(all.count, 40);
    EXPECT_NEAR(all.left, all.right, all.count / 5);
    const Lit above = lit(image, 0, 0, width, height / 2, width / 2, yellow);
    EXPECT_GT(above.count, all.count / 4);
    EXPECT_LT(above.count, all.count * 3 / 4);
    EXPECT_EQ(lit(image, 0, 0, width, height / 2 - 16, width / 2, yellow).count, 0);
    EXPECT_EQ(lit(image, 0, height / 2 + 16, width, height, width / 2, yellow).count, 0);
}
