// The command driver with the whole engine: a hidden GL view on a data set,
// real frames, and the last frame saved as a picture.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QStringList>

#include "OrvexCmdRun.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"

using orvextest::CmdResult;
using orvextest::orvexCmdGL;
using orvextest::qpath;

TEST(OrvexCmdGL, RunsTheShippedDataSetAndSavesThePicture) {
    orvextest::TempDir dir;
    const QString picture = qpath(dir.file("shipped.png"));
    const CmdResult run = orvexCmdGL({"-C", qpath(orvextest::shareDir()), "-g", "160x100", "-n",
                                      "3", "-q", "Timer.Step", "-q", "Space.MaxMagnitude", "-q",
                                      "Orvex.Playing", "-p", picture});
    EXPECT_EQ(run.status, 0) << run.err;
    // The initial state has run; the star file reaches magnitude 9.
    EXPECT_EQ(run.out, " 3600\n 9\n 0\n");
    EXPECT_EQ(run.err.find("Command Error"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Can't open"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("undefined."), std::string::npos) << run.err;
    const QImage image(picture);
    EXPECT_EQ(image.width(), 160);
    EXPECT_EQ(image.height(), 100);
}

TEST(OrvexCmdGL, TheShippedStartRunsAtTheTimeATestGivesIt) {
    // The shipped first view starts at the present; tests start it at a time
    // of their own, so that no picture depends on the day they run.
    const orvextest::ShippedDataCopy data(std::vector<std::string>{});
    ASSERT_TRUE(data.startAt("2027 3 20 12 0 0"));
    const CmdResult run = orvexCmdGL(
        {"-C", qpath(data.path()), "-g", "160x100", "-q", "Timer.TimeText", "-q", "Timer.Step"});
    EXPECT_EQ(run.status, 0) << run.err;
    // The rest of the start stays as shipped.
    EXPECT_EQ(run.out, " 2027 3 20 12 0 0\n 3600\n");
}

TEST(OrvexCmdGL, ThePictureShowsTheFrameOfTheScenario) {
    orvextest::TempDir dir;
    const QString picture = qpath(dir.file("fade.png"));
    const CmdResult run = orvexCmdGL({"-C", qpath(orvextest::dataPath("root")), "-g", "700x520",
                                      "-t", "100", "-e", "Render.FaderColorTo 1 0 0 1 3", "-n", "2",
                                      "-p", picture, "-q", "Render.FaderColor"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 1 0 0 1\n");
    const QImage image(picture);
    // Larger than the toolkit's first window size, which a window never
    // shown would keep.
    ASSERT_EQ(image.size(), QSize(700, 520));
    EXPECT_EQ(image.pixel(0, 0) & 0xffffff, 0xff0000u);
    EXPECT_EQ(image.pixel(699, 519) & 0xffffff, 0xff0000u);
}

TEST(OrvexCmdGL, PictureMistakesAreErrors) {
    orvextest::TempDir dir;
    const QString picture = qpath(dir.file("none.png"));
    const QString root = qpath(orvextest::dataPath("root"));
    EXPECT_EQ(orvexCmdGL({"-C", root, "-p", picture}).status, 1); // no GL view
    EXPECT_EQ(orvexCmdGL({"-C", root, "-g", "0x10", "-n", "1"}).status, 1);
    EXPECT_EQ(orvexCmdGL({"-C", root, "-g", "40", "-n", "1"}).status, 1);
    const CmdResult early = orvexCmdGL({"-C", root, "-g", "40x30", "-p", picture});
    EXPECT_EQ(early.status, 1);
    EXPECT_NE(early.err.find("no frame drawn yet"), std::string::npos) << early.err;
    EXPECT_EQ(
        orvexCmdGL({"-C", root, "-g", "40x30", "-n", "1", "-p", dir.file("no/dir.png").c_str()})
            .status,
        1);
}

// An engine without its start files runs nothing: the driver fails, and its
// last word says which file and why, so that a script can tell. Mended, the
// same data set starts.
TEST(OrvexCmdGL, AnEngineThatDidNotStartIsAnError) {
    namespace fs = std::filesystem;
    orvextest::TempDir dir;
    fs::copy(orvextest::dataPath("root"), dir.path(), fs::copy_options::recursive);
    const QStringList arguments{"-C", qpath(dir.path()), "-g", "40x30", "-q", "Orvex.FPS"};
    const std::pair<std::string, std::string> broken[] = {
        {"./scenarios/options.scn", "it is longer than 67108864 bytes"}, // made sparse
        {"./scenarios/init.scn", "Input/output error"},                  // a read that fails
        {"./data/config.def", "No such file or directory"}};
    for (const auto& [file, reason] : broken) {
        const std::string path = dir.file(file);
        fs::rename(path, dir.file("kept"));
        if (file == broken[0].first) {
            fs::copy_file(dir.file("kept"), path);
            fs::resize_file(path, 6ULL << 30);
        } else if (file == broken[1].first) {
            fs::create_symlink("/proc/self/mem", path);
        }
        const CmdResult run = orvexCmdGL(arguments);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out, "");
        const std::string last = "orvex-cmd: the engine did not start: " + file + ": " + reason;
        EXPECT_TRUE(QString::fromStdString(run.err).endsWith(QString::fromStdString(last + "\n")))
            << run.err;
        fs::remove(path);
        fs::rename(dir.file("kept"), path);
        const CmdResult mended = orvexCmdGL(arguments);
        EXPECT_EQ(mended.status, 0) << mended.err;
        EXPECT_EQ(mended.out, " 30\n");
    }
}

// A texture that is there but is no file is named by its path with what it
// is; made a picture again, it loads.
TEST(OrvexCmdGL, ATextureThatIsNoFileIsToldByItsPath) {
    const orvextest::ShippedDataCopy data(std::vector<std::string>{});
    const std::string texture = data.path() + "/textures/earth.jpg";
    ASSERT_EQ(std::remove(texture.c_str()), 0);
    ASSERT_EQ(::mkfifo(texture.c_str(), 0600), 0);
    const QStringList arguments{"-C", qpath(data.path()), "-g", "160x100", "-n", "1"};
    CmdResult run = orvexCmdGL(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Can't open image file ./textures/earth.jpg. Not a regular file (a "
                           "named pipe)."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("No such file"), std::string::npos) << run.err;

    ASSERT_EQ(std::remove(texture.c_str()), 0);
    std::filesystem::copy_file(orvextest::shareDir() + "/textures/earth.jpg", texture);
    run = orvexCmdGL(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Can't open"), std::string::npos) << run.err;
}
