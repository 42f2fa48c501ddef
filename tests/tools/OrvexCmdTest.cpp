#include <gtest/gtest.h>

#include <QStringList>
#include <filesystem>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;
using orvextest::orvexCmd;

QString root() {
    return QString::fromStdString(orvextest::dataPath("command/root"));
}

} // namespace

TEST(OrvexCmd, RunsLinesAndPrintsValueTexts) {
    const CmdResult run =
        orvexCmd({"-C", root(), "-e", "Orvex.FPS 60", "-q", "Orvex.FPS", "-q", "Orvex.Nope"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 60\nUndefined\n");
}

TEST(OrvexCmd, StepsAScenarioFileWithACondition) {
    const CmdResult run =
        orvexCmd({"-C", root(), "-f", "scenarios/condition.scn", "-n", "2", "-q", "Orvex.FPS"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 60\n");
    EXPECT_EQ(run.err, "");
}

TEST(OrvexCmd, CountsFramesOfTheGivenLength) {
    // 100 ms at 30 frames per second is 3 nominal frames.
    const CmdResult run =
        orvexCmd({"-C", root(),        "-t", "100",          "-f", "scenarios/wait.scn", "-n", "3",
                  "-q", "Orvex.Frame", "-n", "30",           "-q", "Orvex.FPS",          "-n", "2",
                  "-q", "Orvex.FPS",   "-q", "Orvex.Playing"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 9\n 30\n 25\n 0\n");
}

TEST(OrvexCmd, PrintsOptionAndStateLines) {
    const CmdResult run = orvexCmd(
        {"-C", root(), "-e", "Orvex.FPS 12.5", "-e", "Timer.TimeText 2000 1 1 12 0 0", "-o", "-s"});
    EXPECT_EQ(run.status, 0) << run.err;
    // Each class's lines in the order of construction (more classes join as
    // they are built).
    EXPECT_EQ(run.out.rfind("Orvex.FPS 12.5\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nTimer.Speed 1\nTimer.Step 3600\nTimer.Mode Local\n"
                           "Timer.TimeText 2000 1 1 12 0 0\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("\nConstes.NameColor 1 1 1\nConstes.NameFont Arial 12 0\n"
                     "Constes.LinesDisp 2 0.4 0.4 0.8\nConstes.LineshDisp 1 0.3 0.3 0.6\n"
                     "Constes.ArtDisp 2 0.75 0.75 0.75\nConstes.ArthDisp 1 0.375 0.375 0.375\n"
                     "Constes.SepsDisp 1 0.25 0.25 0.25\nConstes.BuildArtsFirst 0\n"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nConstes.Show 0\nConstes.CategName Default\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nLscape.DirColor 1 1 1\nLscape.GroundColor 0 0 0 1\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nLscape.Weather 0\nLscape.WeatherOpacity 1\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nRender.FaderColor 0 0 0 0\nRender.Blur 1\nRender.BlurCount 0\n"),
              std::string::npos)
        << run.out;
}

TEST(OrvexCmd, DrivesTheClock) {
    CmdResult run =
        orvexCmd({"-C", root(), "-e", "Timer.TimeText 2000 1 1 12 0 0", "-q", "Timer.Time"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 946728000.000000\n");
    // Three frames of 100 ms at 60 s per second; then one step per frame at a
    // negative frame rate.
    run = orvexCmd({"-C", root(), "-t", "100", "-e", "Timer.Time 0; Timer.Step 60", "-n", "3", "-q",
                    "Timer.Time", "-e", "Orvex.FPS -1", "-n", "2", "-q", "Timer.TimeText"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 18.000000\n 1970 1 1 0 2 18\n");
}

TEST(OrvexCmd, ErrorsGoToTheErrorStream) {
    CmdResult run = orvexCmd({"-C", root(), "-e", "Nobody.Here", "-q", "Orvex.Input"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, " 1\n"); // the later items still run
    EXPECT_NE(run.err.find("Undefined Class : Nobody"), std::string::npos);

    run = orvexCmd({"-C", root(), "-f", "no-such.scn"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");

    for (const QStringList& bad :
         {QStringList{"-x"}, QStringList{"-n"}, QStringList{"-n", "two"}, QStringList{"-t", "-5"},
          QStringList{"-C", "/no/such/directory", "-q", "Orvex.FPS"}}) {
        run = orvexCmd(bad);
        EXPECT_EQ(run.status, 1) << bad.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << bad.join(' ').toStdString();
        EXPECT_FALSE(run.err.empty());
    }
}

// Without its start files the engine is not there: the driver runs no item
// and says which file and why in its last line.
TEST(OrvexCmd, AnEngineThatDidNotStartIsAnError) {
    namespace fs = std::filesystem;
    orvextest::TempDir dir;
    const QStringList arguments{
        "-C", QString::fromStdString(dir.path()), "-e", "Orvex.FPS 60", "-q", "Orvex.FPS"};
    fs::copy(root().toStdString(), dir.path(), fs::copy_options::recursive);
    for (const char* file : {"./scenarios/init.scn", "./data/config.def"}) {
        fs::rename(dir.file(file), dir.file("kept"));
        const CmdResult run = orvexCmd(arguments);
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_EQ(run.out, "") << file;
        const QString last = QString("orvex-cmd: the engine did not start: %1: No such file or "
                                     "directory\n")
                                 .arg(file);
        EXPECT_TRUE(QString::fromStdString(run.err).endsWith(last)) << run.err;
        fs::rename(dir.file("kept"), dir.file(file));
        EXPECT_EQ(orvexCmd(arguments).out, " 60\n") << file;
    }
    // An empty folder, as a mistyped -C gives.
    fs::create_directory(dir.file("empty"));
    const CmdResult empty =
        orvexCmd({"-C", QString::fromStdString(dir.file("empty")), "-q", "Orvex.FPS"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(QString::fromStdString(empty.err).endsWith(
        "./scenarios/init.scn: No such file or directory\n"))
        << empty.err;
}

TEST(OrvexCmd, DrivesTheDetailSettingsAndTheConsole) {
    const CmdResult run = orvexCmd({"-C", root(),
                                    "-e", "Detail.Orbit High;Detail.BodyPrev",
                                    "-q", "Detail.Orbit",
                                    "-q", "Detail.Body",
                                    "-e", "Detail.ConsoleFont Courier 10 1",
                                    "-q", "Console.TextFont",
                                    "-e", "Console.Show 1;Console.Mode TimeOnly",
                                    "-q", "Console.Mode",
                                    "-e", "Timer.Mode UTC;Timer.TimeText 2000 1 2 3 4 5",
                                    "-q", "Console.TimeText"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "High\nHigh\nCourier 10 1\nTimeOnly\n2000/01/02 03:04:05\n");
}

TEST(OrvexCmd, DrivesTheCamera) {
    CmdResult run = orvexCmd({"-C", root(), "-e", "Camera.Rotate 0 1 0 370;Camera.Fov 90", "-q",
                              "Camera.Rotate", "-q", "Camera.Fov", "-q", "Camera.Mode", "-e",
                              "Camera.Mode Fly", "-q", "Camera.Mode", "-q", "Camera.RotateTo"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 0 1 0 10\n 45\nExamine\nFlight\nUndefined\n");

    // An animated mode change holds the clock until it ends.
    run = orvexCmd({"-C", root(),
                    "-t", "100",
                    "-e", "Timer.Time 0;Timer.Step 60",
                    "-e", "Camera.ModeTo Examine 6",
                    "-n", "1",
                    "-q", "Camera.Animating",
                    "-q", "Timer.Time",
                    "-n", "3",
                    "-q", "Camera.Animating",
                    "-q", "Timer.Time"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 1\n 0.000000\n 0\n 12.000000\n");

    // A query-only word is no command.
    run = orvexCmd({"-C", root(), "-e", "Camera.Animating"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Command Error : Camera.Animating"), std::string::npos);
}

TEST(OrvexCmd, ListsTheShippedConstellations) {
    const QString share = QString::fromStdString(orvextest::shareDir());
    const CmdResult run = orvexCmd({"-C", share, "-q", "Constes.ConsteNames", "-e",
                                    "Constes.ShowLines Orion Lyra", "-q", "Constes.ShowLines"});
    EXPECT_EQ(run.status, 0) << run.err;
    const QStringList lines = QString::fromStdString(run.out).split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QStringList names = lines[0].split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(names.size(), 88);
    EXPECT_EQ(names.front(), "Andromeda");
    EXPECT_TRUE(names.contains("Orion"));
    EXPECT_EQ(lines[1], "Lyra Orion ");
}

TEST(OrvexCmd, KnowsEveryClassOfTheShippedHelpWithoutAView) {
    const QString share = QString::fromStdString(orvextest::shareDir());
    const CmdResult run = orvexCmd({"-C", share, "-e", "Space.Stars 0;Space.Magnitude 5", "-q",
                                    "Space.Stars", "-q", "Space.Magnitude"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 0\n 5\n");
    EXPECT_EQ(run.err.find("undefined."), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Undefined Class"), std::string::npos) << run.err;
}
