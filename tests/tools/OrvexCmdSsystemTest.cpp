// The Ssystem commands through the command driver on the shipped data.
#include <gtest/gtest.h>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;
using orvextest::orvexCmd;

QString share() {
    return QString::fromStdString(orvextest::shareDir());
}

} // namespace

TEST(OrvexCmdSsystem, SelectsABodyByName) {
    const CmdResult run =
        orvexCmd({"-C", share(), "-e", "Ssystem.AstrName Sun", "-q", "Ssystem.AstrName", "-e",
                  "Ssystem.AstrName Mars", "-q", "Ssystem.AstrName"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Sun\nMars\n");
}

TEST(OrvexCmdSsystem, CyclesTheSimModesByName) {
    const CmdResult names = orvexCmd({"-C", share(), "-q", "Ssystem.SimModeNames"});
    ASSERT_EQ(names.status, 0) << names.err;
    const QStringList modes =
        QString::fromStdString(names.out).trimmed().split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(modes.size(), 2);

    // Each step prints the next mode's name, and the cycle comes back to the first.
    QStringList arguments = {"-C", share(), "-e", "Ssystem.SimMode 0", "-q", "Ssystem.SimModeName"};
    std::string expected = modes.front().toStdString() + "\n";
    for (int i = 1; i <= modes.size(); ++i) {
        arguments << "-e"
                  << "Ssystem.SimModeNext"
                  << "-q"
                  << "Ssystem.SimModeName";
        expected += modes[i % modes.size()].toStdString() + "\n";
    }
    const CmdResult run = orvexCmd(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}
