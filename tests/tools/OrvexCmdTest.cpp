#include <algorithm>

#include <gtest/gtest.h>

#include "OrvexCmdProcess.h"
#include "support/TestEnv.h"

namespace {

// The text without the lines of one class (those of the solar system, which
// its own tests check).
std::string withoutClass(const std::string& text, const std::string& classWord) {
    std::string kept;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t end = std::min(text.find('\n', begin), text.size() - 1) + 1;
        if (text.compare(begin, classWord.size() + 1, classWord + ".") != 0)
            kept += text.substr(begin, end - begin);
        begin = end;
    }
    return kept;
}

QString root() {
    return QString::fromStdString(orvextest::dataPath("command/root"));
}

} // namespace

TEST(OrvexCmd, RunsLinesAndPrintsValueTexts) {
    const CmdResult run = orvexCmd({"-e", "Orvex.FPS 60", "-q", "Orvex.FPS", "-q", "Orvex.Nope"});
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
    EXPECT_EQ(withoutClass(run.out, "Ssystem"),
              "Orvex.FPS 12.5\nTimer.Speed 1\nTimer.Step 3600\nTimer.Mode Local\n"
              "Timer.TimeText 2000 1 1 12 0 0\n"
              "Render.FaderColor 0 0 0 0\nRender.Blur 1\nRender.BlurCount 0\n");
}

TEST(OrvexCmd, DrivesTheClock) {
    CmdResult run = orvexCmd({"-e", "Timer.TimeText 2000 1 1 12 0 0", "-q", "Timer.Time"});
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
    CmdResult run = orvexCmd({"-e", "Nobody.Here", "-q", "Orvex.Input"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, " 1\n"); // the later items still run
    EXPECT_NE(run.err.find("Undefined Class : Nobody"), std::string::npos);

    run = orvexCmd({"-f", "no-such.scn"});
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
