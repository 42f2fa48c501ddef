// The driver's picture is the program's: translucent colours saved as they
// show, and stencil stereo with the eyes on alternate rows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <cstdlib>
#include <fstream>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;
using orvextest::orvexCmdGL;
using orvextest::qpath;

// The shipped data set with display settings of its own: the folders are
// links to the shipped ones.
std::string shippedDataWithDisplay(const orvextest::TempDir& dir, const char* settings) {
    const QString data = qpath(dir.file("share"));
    QDir().mkpath(data);
    const QDir share(qpath(orvextest::shareDir()));
    for (const QString& name : share.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QFile::link(share.filePath(name), data + "/" + name);
    std::ofstream(dir.file("share/stinit.cfg")) << settings;
    return data.toStdString();
}

int grey(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y));
}

} // namespace

TEST(OrvexCmdPicture, TranslucentFadeIsSavedAsItShows) {
    orvextest::TempDir dir;
    const QString picture = qpath(dir.file("fade.png"));
    // A quarter of white over the black of an empty sky.
    const CmdResult run = orvexCmdGL({"-C", qpath(orvextest::dataPath("root")), "-g", "64x48", "-e",
                                      "Render.FaderColor 1 1 1 0.25", "-n", "2", "-p", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(picture);
    ASSERT_EQ(image.size(), QSize(64, 48));
    for (const QPoint& p : {QPoint(0, 0), QPoint(63, 0), QPoint(31, 24), QPoint(63, 47)})
        EXPECT_EQ(image.pixel(p) & 0xffffffu, 0x404040u) << p.x() << " " << p.y();
}

// Eyes turned well apart see the Earth side by side; the stencil mask
// gives each eye every other row, so the picture alternates row by row where
// only one eye sees the globe, and rows two apart agree.
TEST(OrvexCmdPicture, StencilStereoAlternatesTheEyesByRow) {
    orvextest::TempDir dir;
    const std::string data =
        shippedDataWithDisplay(dir, "Stereo: 2\nStereoOffset: 0.5\nStereoSwap: 1\n");
    const QString picture = qpath(dir.file("stereo.png"));
    const CmdResult run =
        orvexCmdGL({"-C", qpath(data), "-g", "320x200", "-e", "Timer.Speed 0", "-e",
                    "Detail.Texture None", "-e", "Camera.Look Earth", "-n", "30", "-p", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Stereo mode"), std::string::npos) << run.err;
    const QImage image(picture);
    ASSERT_EQ(image.size(), QSize(320, 200));
    int neighbours = 0; // rows next to each other that differ
    int twoApart = 0;   // rows two apart that differ
    for (int y = 80; y < 120; ++y) {
        for (int x = 0; x < 320; ++x) {
            neighbours += std::abs(grey(image, x, y) - grey(image, x, y + 1)) > 60;
            twoApart += std::abs(grey(image, x, y) - grey(image, x, y + 2)) > 60;
        }
    }
    EXPECT_GT(neighbours, 1500);
    EXPECT_LT(4 * twoApart, neighbours) << twoApart;
}
