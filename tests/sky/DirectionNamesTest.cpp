// The direction names file in its keyword and line layouts, well formed and
// not.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "engine/LogMessage.h"
#include "sky/DirectionNames.h"
#include "support/TestEnv.h"

namespace {

struct NamesCase {
    const char* label;
    std::string text;
    const char* north;
    const char* south;
    const char* east;
    const char* west;
};

const NamesCase namesCases[] = {
    {"keywords", "Version: 7.0\nNorth: Nord\nSouth: Sud\nEast: Est\nWest: Ouest\n", "Nord", "Sud",
     "Est", "Ouest"},
    {"only some keywords", "Version: 7.0\nNorth: Nord\nWest: Ouest\n", "Nord", "S", "E", "Ouest"},
    {"any order, last wins, comments",
     "# names\nWest: W1 # West: W2\nVersion: 7\nNorth: A North: B\nEast: Ost\n", "B", "S", "Ost",
     "W1"},
    {"version 7.00 on a later line", "# header\nNorth: x\n  Version:   7.00  \n", "x", "S", "E",
     "W"},
    {"keyword at the end keeps its name", "Version: 7.0\nEast: Est\nNorth:", "N", "S", "Est", "W"},
    {"keywords are whole words", "Version: 7.0\nNorth:Nord\nnorth: n\nEast: Est\n", "N", "S", "Est",
     "W"},
    {"lines", "Nord\nSud\nEst\nOuest\n", "Nord", "Sud", "Est", "Ouest"},
    {"lines with blanks and CR LF", "Up north\r\nDown south\r\n  East  \r\nWest\r\n", "Up north",
     "Down south", "  East  ", "West"},
    {"version 6.0 is the line layout", "Version: 6.0\nNord\nSud\nEst\n", "Version: 6.0", "Nord",
     "Sud", "Est"},
    {"a version that is no number", "Version: seven\nNorth: Nord\nA\nB\n", "Version: seven",
     "North: Nord", "A", "B"},
    {"two lines only", "Nord\nSud\n", "Nord", "Sud", "E", "W"},
    {"last line without a line feed", "Nord\nSud\nEst\nOuest", "Nord", "Sud", "Est", "Ouest"},
    {"empty lines are names", "Nord\n\nEst\n", "Nord", "", "Est", "W"},
    {"empty file", "", "N", "S", "E", "W"},
    {"binary bytes", std::string("\x01\x02\0\xff\n\n", 6), "\x01\x02", "", "E", "W"},
    {"Shift-JIS keywords", "Version: 7.0\nNorth: \x96\x6B\nSouth: \x93\xEC\nEast: \x93\x8C\n",
     "\x96\x6B", "\x93\xEC", "\x93\x8C", "W"},
    {"Shift-JIS lines", "\x96\x6B\n\x93\xEC\n\x93\x8C\n\x90\xBC\n", "\x96\x6B", "\x93\xEC",
     "\x93\x8C", "\x90\xBC"},
};

class DirectionNamesFile : public ::testing::TestWithParam<NamesCase> {};

TEST_P(DirectionNamesFile, GivesTheNames) {
    const NamesCase& c = GetParam();
    orvextest::TempDir dir;
    const std::string path = dir.file("direction.txt");
    std::ofstream(path, std::ios::binary) << c.text;
    DirectionNames names;
    ASSERT_EQ(names.read(path), 1) << c.label;
    // The binary case holds a NUL: compare whole texts, not C strings.
    const std::string north = c.label == std::string("binary bytes")
                                  ? std::string("\x01\x02\0\xff", 4)
                                  : std::string(c.north);
    EXPECT_EQ(names.north, north) << c.label;
    EXPECT_EQ(names.south, c.south) << c.label;
    EXPECT_EQ(names.east, c.east) << c.label;
    EXPECT_EQ(names.west, c.west) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Layouts, DirectionNamesFile, ::testing::ValuesIn(namesCases));

} // namespace

TEST(DirectionNames, LongNamesAreCutTo255Bytes) {
    orvextest::TempDir dir;
    const std::string longName(60000, 'x');
    std::ofstream(dir.file("lines.txt"), std::ios::binary) << longName << "\nSud\n"
                                                           << std::string(300, 'e') << "\r\n";
    DirectionNames lines;
    ASSERT_EQ(lines.read(dir.file("lines.txt")), 1);
    EXPECT_EQ(lines.north, std::string(255, 'x'));
    EXPECT_EQ(lines.south, "Sud");
    EXPECT_EQ(lines.east, std::string(255, 'e'));
    EXPECT_EQ(lines.west, "W");

    std::ofstream(dir.file("words.txt"), std::ios::binary)
        << "Version: 7.0\nWest: " << longName << "\n";
    DirectionNames words;
    ASSERT_EQ(words.read(dir.file("words.txt")), 1);
    EXPECT_EQ(words.west, std::string(255, 'x'));
}

TEST(DirectionNames, FilesThatDoNotOpenChangeNothing) {
    orvextest::TempDir dir;
    DirectionNames names;
    names.north = "Nord";
    for (const std::string& path : {dir.file("missing.txt"), dir.path(), std::string()}) {
        LogCapture log;
        EXPECT_EQ(names.read(path), 0) << path;
        EXPECT_TRUE(log.contains("Can't open direction names file.")) << path;
    }
    EXPECT_EQ(names.north, "Nord");
    EXPECT_EQ(names.south, "S");
}

TEST(DirectionNames, VersionScan) {
    orvextest::TempDir dir;
    float version = 0.0f;
    std::ofstream(dir.file("v.txt")) << "North: N\n\tVersion: 7.5e0 extra\nVersion: 7.0\n";
    EXPECT_TRUE(DirectionNames::findVersion(dir.file("v.txt"), version));
    EXPECT_EQ(version, 7.5f);
    std::ofstream(dir.file("none.txt")) << "XVersion: 7.0\nVersion:\n";
    EXPECT_FALSE(DirectionNames::findVersion(dir.file("none.txt"), version));
    EXPECT_FALSE(DirectionNames::findVersion(dir.file("missing.txt"), version));
}
