#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>

#include "app/CommandText.h"

using namespace CommandText;

TEST(CommandText, NumbersInCommandLinesIgnoreTheUserLocale) {
    // A locale with "," decimals must not leak into command lines.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.utf8") != nullptr;
    const struct {
        double value;
        const char* text;
    } cases[] = {{-45.67f, "-45.67"}, {12.34f, "12.34"},   {0.0, "0.00"},
                 {90.0, "90.00"},     {-180.0, "-180.00"}, {1.005f, "1.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(fixed2(c.value), c.text) << c.value;
    EXPECT_EQ(integer(-3), "-3");
    EXPECT_EQ(integer(31536000), "31536000");
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!german)
        GTEST_LOG_(INFO) << "no de_DE locale: checked in the C locale only";
}

TEST(CommandText, AnswersAreReadByTheirLeadingNumber) {
    const struct {
        const char* answer;
        int integer;
        double real;
        int truncated;
    } cases[] = {
        {" 2.6784e+06", 2, 2678400.0, 2678400},
        {"12abc", 12, 12.0, 12},
        {"Undefined", 0, 0.0, 0},
        {"", 0, 0.0, 0},
        {" -45.678", -45, -45.678, -45},
        {" 0.5", 0, 0.5, 0},
        {"  +7", 7, 7.0, 7},
        {" 1e+06", 1, 1e6, 1000000},
        {" 1e+20", 1, 1e20, INT_MAX},
        {" -1e+20", -1, -1e20, INT_MIN},
        {" 99999999999", INT_MAX, 99999999999.0, INT_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readInt(c.answer), c.integer) << c.answer;
        EXPECT_DOUBLE_EQ(readReal(c.answer), c.real) << c.answer;
        EXPECT_EQ(readTruncated(c.answer), c.truncated) << c.answer;
    }
}

TEST(CommandText, SwitchesAreOnOnlyForTheInteger1) {
    EXPECT_TRUE(readSwitch(" 1"));
    EXPECT_TRUE(readSwitch("1"));
    EXPECT_FALSE(readSwitch(" 0"));
    EXPECT_FALSE(readSwitch(" 2"));
    EXPECT_FALSE(readSwitch(" -1"));
    EXPECT_FALSE(readSwitch("Undefined"));
    EXPECT_FALSE(readSwitch(""));
}

TEST(CommandText, ListsAndClockFieldsSplitAtBlanks) {
    EXPECT_EQ(readList("Sun Earth Moon "), QStringList({"Sun", "Earth", "Moon"}));
    EXPECT_EQ(readList("  Mars  Phobos "), QStringList({"Mars", "Phobos"}));
    EXPECT_TRUE(readList("").isEmpty());
    EXPECT_TRUE(readList("   ").isEmpty());
    EXPECT_EQ(readInts("2006 10 4 21 0 5"), (std::vector<int>{2006, 10, 4, 21, 0, 5}));
    EXPECT_EQ(readInts(" -44 3 15"), (std::vector<int>{-44, 3, 15}));
    EXPECT_TRUE(readInts("").empty());
}
