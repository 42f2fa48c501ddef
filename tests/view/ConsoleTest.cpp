#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "ViewWorld.h"
#include "engine/Transition.h"
#include "graphics/LabelFont.h"
#include "view/Console.h"
#include "view/Detail.h"

namespace {

class ConsoleTest : public ::testing::Test {
protected:
    ConsoleTest() {
        console.setSsystem(&world.ssystem);
        console.setTimer(&world.timer);
    }
    int run(const std::string& line) { return world.root.processScenarioLine(line); }
    std::string value(const std::string& word) {
        return world.root.getCommandValue("Console." + word);
    }

    orvextest::ViewWorld world;
    Console console{&world.root};
};

} // namespace

TEST_F(ConsoleTest, RegistersTwelveListedWords) {
    const int index = world.root.interp.getClassCount() - 1;
    ASSERT_EQ(world.root.interp.getClassName(index), "Console");
    const char* words[] = {"Show",     "Mode",      "SimModeName", "PlaceName",
                           "TimeText", "TextColor", "TextFont",    "FPS",
                           "Pos",      "ShowTog",   "FPSTog",      "TextColorTo"};
    ASSERT_EQ(world.root.interp.getCommandCount(index), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(world.root.interp.getCommandName(index, i), words[i]);
        EXPECT_TRUE(world.root.interp.isCommandListed(index, i));
    }
}

TEST_F(ConsoleTest, WordsAndValueTexts) {
    EXPECT_EQ(value("Show"), " 0");
    EXPECT_EQ(value("Mode"), "Default");
    EXPECT_EQ(value("TextColor"), " 1 1 1 1");
    EXPECT_EQ(value("TextFont"), "Arial 12 0");
    EXPECT_EQ(value("FPS"), " 0");
    EXPECT_EQ(value("Pos"), " 0 0");
    EXPECT_EQ(value("ShowTog"), "Undefined");
    EXPECT_EQ(value("Nope"), "Undefined");

    run("Console.Show 7");
    EXPECT_EQ(value("Show"), " 1");
    run("Console.ShowTog");
    EXPECT_EQ(console.getShow(), 0);
    run("Console.Show");
    EXPECT_EQ(console.getShow(), 0);

    run("Console.Mode TimeOnly");
    EXPECT_EQ(value("Mode"), "TimeOnly");
    run("Console.Mode NamesOnly");
    EXPECT_EQ(value("Mode"), "NamesOnly");
    for (const char* line : {"Console.Mode Default", "Console.Mode namesonly", "Console.Mode"}) {
        run("Console.Mode NamesOnly");
        run(line);
        EXPECT_EQ(value("Mode"), "Default") << line;
    }

    run("Console.FPS 5");
    EXPECT_EQ(value("FPS"), " 5");
    run("Console.FPSTog");
    EXPECT_EQ(console.getFps(), 0);
    run("Console.FPSTog");
    EXPECT_EQ(console.getFps(), 1);

    run("Console.Pos 0.5 0.25");
    EXPECT_EQ(value("Pos"), " 0.5 0.25");
    run("Console.TextColor 0.5 0.25 1 0.75");
    EXPECT_EQ(value("TextColor"), " 0.5 0.25 1 0.75");
    run("Console.TextFont Courier_New 14 1");
    EXPECT_EQ(value("TextFont"), "Courier_New 14 1");

    // The query words are not commands.
    for (const char* word : {"SimModeName", "PlaceName", "TimeText", "Nope"}) {
        EXPECT_EQ(run(std::string("Console.") + word), 0) << word;
        EXPECT_TRUE(world.log.contains(std::string("Command Error : Console.") + word));
    }
}

TEST_F(ConsoleTest, PlaceTimeAndModeTexts) {
    ASSERT_EQ(world.loaded, 1);
    world.select("Earth");
    EXPECT_EQ(value("PlaceName"), "Earth");
    EXPECT_EQ(console.getPlaceLine(), "Earth");
    world.select("Earth", "Sydney");
    EXPECT_EQ(value("PlaceName"), "Earth:Sydney");
    EXPECT_EQ(console.getPlaceLine(), "Earth:Sydney S:33.51 E:151.12");
    world.select("Earth", "Tokyo");
    EXPECT_EQ(console.getPlaceLine(), "Earth:Tokyo N:35.40 E:139.41");
    EXPECT_EQ(value("SimModeName"), "Solar");
    EXPECT_EQ(value("TimeText"), world.timer.getTimeText());
    EXPECT_NE(value("TimeText"), "");
    EXPECT_EQ(console.getFpsText(), "FPS:0.00");

    Console alone(nullptr); // nothing connected: empty texts
    EXPECT_EQ(alone.getPlaceLine(), "");
    EXPECT_EQ(alone.getTimeText(), "");
}

TEST(ConsoleDegrees, WholeMinutesAndNeverANegativeNumber) {
    EXPECT_FLOAT_EQ(Console::degToDegMin(-33.8688f), -33.51f);
    EXPECT_FLOAT_EQ(Console::degToDegMin(35.6895f), 35.40f);
    EXPECT_EQ(Console::formatCoordinates(0.0, 0.0), " N:0.00 E:0.00");
    EXPECT_EQ(Console::formatCoordinates(-0.0015, -0.0015), " S:0.00 W:0.00");
    // 0.9999 of a degree or more is the next whole degree, not 60 minutes.
    EXPECT_EQ(Console::formatCoordinates(10.99995, -179.99995), " N:11.00 W:180.00");
    EXPECT_EQ(Console::formatCoordinates(10.9998, 0.5), " N:10.59 E:0.30");
    // A place read as "nan" or beyond float shows as it is.
    EXPECT_TRUE(std::isnan(Console::degToDegMin(std::nanf(""))));
    EXPECT_EQ(Console::degToDegMin(3e9f), 3e9f);
}

TEST_F(ConsoleTest, ColorAnimationTakesAtLeastOneFrame) {
    for (const char* frames : {"-3", "0"}) {
        run("Console.TextColor 1 1 1 1");
        run(std::string("Console.TextColorTo 0 0 0 0 ") + frames);
        EXPECT_EQ(value("TextColor"), " 1 1 1 1");
        Transition::tickAll(1.0);
        EXPECT_EQ(value("TextColor"), " 0 0 0 0");
    }
    run("Console.TextColorTo 0 1 0 1 10");
    Transition::tickAll(5.0);
    EXPECT_EQ(value("TextColor"), " 0 0.5 0 0.5");
    run("Console.TextColor 1 0 0 1"); // ends the animation at once
    Transition::tickAll(5.0);
    EXPECT_EQ(value("TextColor"), " 1 0 0 1");
}

TEST_F(ConsoleTest, SavedLines) {
    EXPECT_EQ(console.saveStates(), "Console.Show 0");
    EXPECT_EQ(console.saveOptions(), "Console.Mode Default\nConsole.TextColor 1 1 1 1\n"
                                     "Console.TextFont Arial 12 0\nConsole.FPS 0");
    run("Console.Show 1;Console.Mode NamesOnly;Console.TextColor 0.5 0.5 0.5 1;Console.FPS 5");
    run("Console.TextFont Times_New_Roman 10 2;Console.Pos 0.1 0.2");
    EXPECT_EQ(console.saveStates(), "Console.Show 1");
    const std::string options = console.saveOptions();
    EXPECT_EQ(options, "Console.Mode NamesOnly\nConsole.TextColor 0.5 0.5 0.5 1\n"
                       "Console.TextFont Times_New_Roman 10 2\nConsole.FPS 5");

    orvextest::TestRoot other;
    Console copy(&other);
    other.runScript(console.saveStates() + "\n" + options, 1);
    EXPECT_EQ(copy.saveStates(), console.saveStates());
    EXPECT_EQ(copy.saveOptions(), options);
    EXPECT_EQ(copy.getPosX(), 0.0); // the position is not saved
}

TEST_F(ConsoleTest, DetailSetsTheSameFont) {
    Detail detail(&world.root);
    detail.setFontOwner(Detail::ConsoleFont, &console);
    run("Detail.ConsoleFont DejaVu_Sans 16 1");
    EXPECT_EQ(value("TextFont"), "DejaVu_Sans 16 1");
    EXPECT_EQ(world.root.getCommandValue("Detail.ConsoleFont"), "DejaVu_Sans 16 1");
    EXPECT_EQ(console.getFont().getSize(), 16.0f);
}

TEST(ConsoleLayout, LinesStandFromTheBottomLeftAndMoveByPos) {
    int x = 0, y = 0;
    Console::linePosition(Console::PlaceLine, 20, 640, 480, 0.0, 0.0, x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 450);
    Console::linePosition(Console::TimeLine, 20, 640, 480, 0.0, 0.0, x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 470);
    Console::linePosition(Console::PlaceLine, 20, 640, 480, 0.5, 0.5, x, y);
    EXPECT_EQ(x, 330);
    EXPECT_EQ(y, 210);
    Console::linePosition(Console::TimeLine, 15, 640, 480, 0.5, 0.5, x, y);
    EXPECT_EQ(x, 327);
    EXPECT_EQ(y, 232);
    // The frame-rate line stays in the top-left corner whatever Pos says.
    Console::linePosition(Console::FpsLine, 20, 640, 480, 0.5, 0.5, x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 30);
}

TEST_F(ConsoleTest, PositionsAndFontSizesThatAreNoUsableNumbersAreRefusedOrBounded) {
    run("Console.Pos 0.5 0.25");
    EXPECT_EQ(run("Console.Pos nan nan"), 0);
    EXPECT_EQ(run("Console.Pos inf 0"), 0);
    EXPECT_EQ(value("Pos"), " 0.5 0.25");
    EXPECT_TRUE(world.log.contains("Console.Pos nan nan"));
    // Far-off positions only move the lines off the view.
    int x = 0, y = 0;
    Console::linePosition(Console::PlaceLine, 20, 640, 480, 1e300, -1e300, x, y);
    EXPECT_EQ(x, INT_MAX);
    EXPECT_EQ(y, INT_MAX);

    // A size no screen shows crashed the first frame, and every start once saved.
    EXPECT_EQ(run("Console.TextFont DejaVu_Sans 15000 0"), 1);
    EXPECT_EQ(value("TextFont"), "DejaVu_Sans 500 0");
    EXPECT_EQ(run("Console.TextFont DejaVu_Sans nan 1"), 1);
    EXPECT_EQ(value("TextFont"), "DejaVu_Sans 500 1");
    EXPECT_TRUE(world.log.contains("Font size nan is not a number"));
}
