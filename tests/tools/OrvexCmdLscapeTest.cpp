// The landscape's commands through the command driver, without a display.
#include <gtest/gtest.h>

#include "OrvexCmdRun.h"

using orvextest::runOrvexCmd;

TEST(OrvexCmdLscape, QueriesFollowTheLandscapeCommands) {
    int status = 0;
    // 100 ms frames at 30 frames per second are 3 nominal frames each.
    const QString root = QString::fromStdString(orvextest::dataPath("command/root"));
    const std::string out = runOrvexCmd({"-C", root,
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
                                         "-q", "Lscape.WeatherTo"},
                                        status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, " 1\nArrow\n 0\nAnnotate\n 90 45\n 0\n 99\nHorizon\n 0.5\nUndefined\n");
}

TEST(OrvexCmdLscape, UnknownWordIsAnError) {
    int status = 0;
    EXPECT_EQ(runOrvexCmd({"-e", "Lscape.Rain 1", "-q", "Lscape.Weather"}, status), " 0\n");
    EXPECT_EQ(status, 1);
}
