// The Render commands through the command driver: lines in, value texts out,
// the fade running in nominal frames.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include "support/TestEnv.h"

namespace {

std::string run(const QStringList& arguments, int& status) {
    QProcess process;
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-cmd", arguments);
    status = process.waitForFinished(60000) ? process.exitCode() : -1;
    return process.readAllStandardOutput().toStdString();
}

} // namespace

TEST(OrvexCmdRender, QueriesFollowTheRenderCommands) {
    int status = 0;
    // 100 ms frames at 30 frames per second are 3 nominal frames each; frames
    // run once the root has read its configuration.
    const QString root = QString::fromStdString(orvextest::dataPath("command/root"));
    const std::string out = run({"-C", root,
                                 "-t", "100",
                                 "-q", "Render.Blur",
                                 "-e", "Render.BlurCountTog",
                                 "-e", "Render.BlurCountTog",
                                 "-q", "Render.BlurCount",
                                 "-e", "Render.BlurCount -5",
                                 "-q", "Render.BlurCount",
                                 "-e", "Render.FaderColorTo 1 0 0 1 30",
                                 "-n", "5",
                                 "-q", "Render.FaderColor",
                                 "-n", "5",
                                 "-q", "Render.FaderColor",
                                 "-q", "Render.Fade"},
                                status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, " 1\n 16\n 0\n 0.5 0 0 0.5\n 1 0 0 1\nUndefined\n");
}

TEST(OrvexCmdRender, UnknownWordIsAnError) {
    int status = 0;
    EXPECT_EQ(run({"-e", "Render.Fog 1"}, status), "");
    EXPECT_EQ(status, 1);
}
