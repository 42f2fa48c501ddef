// The landscape's commands through the command driver, without a display.
#include <gtest/gtest.h>

#include "OrvexCmdRun.h"

using orvextest::CmdResult;
using orvextest::orvexCmd;

TEST(OrvexCmdLscape, QueriesFollowTheLandscapeCommands) {
    // 100 ms frames at 30 frames per second are 3 nominal frames each.
    const QString root = QString::fromStdString(orvextest::dataPath("command/root"));
    const CmdResult run = orvexCmd({"-C", root,
                                    "-t", "100",
                                    "-q", "Lscape.Show",
                                    "-q", "Lscape.CursorType",
                                    "-e", "Lscape.ShowTog; Lscape.CursorType Foo",
                                    "-q", "Lscape.Show",
                                    "-q", "Lscape.CursorType",
                                    "-e", "Lscape.SstarsCenter 90 45",
                                    "-q", "Lscape.SstarsCenter",
                                    "-q", "Lscape.SstarsRandom",
                                    "-e", "Lscape.NumSstars 99",
                                    "-q", "Lscape.SstarsCount",
                                    "-e", "Lscape.GroundType",
                                    "-q", "Lscape.GroundType",
                                    "-e", "Lscape.WeatherOpacityTo 0 6",
                                    "-n", "1",
                                    "-q", "Lscape.WeatherOpacity",
                                    "-q", "Lscape.WeatherTo",
                                    "-e", "Detail.LscapeFont Courier_New 16 2",
                                    "-q", "Lscape.DirFont"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, " 1\nArrow\n 0\nAnnotate\n 90 45\n 0\n 99\nHorizon\n 0.5\nUndefined\n"
                       "Courier_New 16 2\n");
}

TEST(OrvexCmdLscape, UnknownWordIsAnError) {
    const CmdResult run =
        orvexCmd({"-C", QString::fromStdString(orvextest::dataPath("command/root")), "-e",
                  "Lscape.Rain 1", "-q", "Lscape.Weather"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, " 0\n");
}
