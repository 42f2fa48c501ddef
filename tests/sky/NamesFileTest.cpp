#include "sky/NamesFile.h"

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace {

struct Label {
    const char* name;
    double ra;
    double decl;
};

// A names file and the labels, dots and messages it gives.
struct Case {
    const char* what;
    const char* text;
    std::vector<Label> names;
    int stars;
    int messages;
};

const double sirius = -(16.0 + 43.0 / 60.0);

const Case cases[] = {
    {"name and star records",
     "FixedStarNames: 2 {\nName: Sirius 6 45 -16 43\n"
     "Star: 0 0 0 10 0 0 1 1 0 0\n}\n",
     {{"Sirius", 101.25, sirius}},
     1,
     0},
    {"minus zero degrees keep their sign",
     "FixedStarNames: 1 { Name: Z 0 0 -0 30 }",
     {{"Z", 0.0, -0.5}},
     0,
     0},
    {"plus zero degrees", "FixedStarNames: 1 { Name: Z 0 0 0 30 }", {{"Z", 0.0, 0.5}}, 0, 0},
    {"decimal minutes",
     "FixedStarNames: 1 { Name: Vega 18 36.9390 38 47.022 }",
     {{"Vega", (18 / 24.0 + 36.939 / 1440.0) * 360.0, 38 + 47.022 / 60.0}},
     0,
     0},
    {"records outside a block are skipped",
     "Name: A 1 0 0 0\nFixedStarNames: 1 {\nName: B 2 0 0 0\n}\nName: C 3 0 0 0\n"
     "Star: 0 0 0 0 0 0 1 1 1 1\nFixedStarNames: 1 {\nName: D 4 0 0 0\n}\n",
     {{"B", 30.0, 0.0}, {"D", 60.0, 0.0}},
     0,
     0},
    {"comments drop the rest of their line",
     "# Name: A 1 0 0 0\nFixedStarNames: 1 { # Name: B 1 0 0 0\nName: C 1 0 0 0 #x }\n}",
     {{"C", 15.0, 0.0}},
     0,
     0},
    {"unknown tokens inside a block are skipped",
     "FixedStarNames: 1 { Label: X 1 2 Name: A 1 0 0 0 extra }",
     {{"A", 15.0, 0.0}},
     0,
     0},
    {"another block's header opens nothing", "GalaxyNames: 1 { Name: A 1 0 0 0 }", {}, 0, 0},
    {"a missing brace loses no record",
     "FixedStarNames: 2\nName: A 1 0 0 0\nName: B 2 0 0 0 }",
     {{"A", 15.0, 0.0}, {"B", 30.0, 0.0}},
     0,
     0},
    {"a missing count and brace lose no record",
     "FixedStarNames: Name: A 1 0 0 0 }",
     {{"A", 15.0, 0.0}},
     0,
     0},
    {"a missing block end keeps what was read",
     "FixedStarNames: 1 { Name: A 1 0 0 0",
     {{"A", 15.0, 0.0}},
     0,
     0},
    {"a truncated last record is left out",
     "FixedStarNames: 1 { Name: A 1 0 0 0 Name: B 1 0",
     {{"A", 15.0, 0.0}},
     0,
     1},
    {"a short record gives way to the next",
     "FixedStarNames: 1 { Name: A 1 Name: B 2 0 0 0 }",
     {{"B", 30.0, 0.0}},
     0,
     1},
    {"a short record gives way to the block end",
     "FixedStarNames: 1 { Name: A 1 0 } Name: B 2 0 0 0",
     {},
     0,
     1},
    {"a name that is the block end", "FixedStarNames: 1 { Name: } Name: B 2 0 0 0", {}, 0, 1},
    {"no number where one belongs",
     "FixedStarNames: 1 { Name: A x 0 0 0 Name: B 2 0 0 0 }",
     {{"B", 30.0, 0.0}},
     0,
     1},
    {"numbers that are not finite",
     "FixedStarNames: 1 { Name: A 1 0 nan 0 Star: inf 0 0 0 0 0 1 1 1 1 }",
     {},
     0,
     2},
    {"a short star record", "FixedStarNames: 1 { Star: 0 0 0 10 0 0 1 1 0 }", {}, 0, 1},
    {"an empty file", "", {}, 0, 0},
};

class NamesFileTest : public ::testing::Test {
protected:
    // Reads the text as a fixed-star names file.
    void read(const std::string& text) {
        std::ofstream(dir.file("names.txt"), std::ios::binary) << text;
        names.clear();
        stars.clear();
        const platform::CurrentDirGuard in(dir.path());
        ASSERT_TRUE(readNamesFile("names.txt", "FixedStarNames:", names, &stars));
    }

    orvextest::TempDir dir;
    LogCapture log;
    std::vector<StarName> names;
    std::vector<FixedStar> stars;
};

} // namespace

TEST_F(NamesFileTest, RecordsBlocksAndMalformedInput) {
    for (const Case& c : cases) {
        log.clear();
        read(c.text);
        ASSERT_EQ(names.size(), c.names.size()) << c.what;
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(names[i].name, c.names[i].name) << c.what;
            EXPECT_NEAR(names[i].ra, c.names[i].ra, 1e-9) << c.what;
            EXPECT_NEAR(names[i].decl, c.names[i].decl, 1e-9) << c.what;
        }
        EXPECT_EQ(int(stars.size()), c.stars) << c.what;
        EXPECT_EQ(int(log.messages().size()), c.messages) << c.what;
    }
}

TEST_F(NamesFileTest, PositionsAreUnitVectorsOfTheSkyPlace) {
    read("FixedStarNames: 1 { Name: A 6 0 30 0 Name: B 0 0 -90 0 }");
    ASSERT_EQ(names.size(), 2u);
    // Right ascension 90 degrees, declination 30: in the y-z plane.
    EXPECT_NEAR(names[0].position[0], 0.0f, 1e-7f);
    EXPECT_NEAR(names[0].position[1], std::sqrt(3.0f) / 2.0f, 1e-7f);
    EXPECT_NEAR(names[0].position[2], 0.5f, 1e-7f);
    EXPECT_NEAR(names[1].position[2], -1.0f, 1e-7f); // the south pole
}

TEST_F(NamesFileTest, StarRecordsAreColouredDots) {
    read("FixedStarNames: 1 {\nStar: 0 0 0 10 0 0 1 1 0 0\n"
         "Star: 12 30 36 -0 30 36 -1.5 0.25 0.5 0.75\n}");
    ASSERT_EQ(stars.size(), 2u);
    // Right ascension 0, declination 10: a red dot.
    const double d10 = 10.0 * M_PI / 180.0;
    EXPECT_NEAR(stars[0].position[0], std::cos(d10), 1e-6);
    EXPECT_NEAR(stars[0].position[1], 0.0, 1e-6);
    EXPECT_NEAR(stars[0].position[2], std::sin(d10), 1e-6);
    EXPECT_EQ(stars[0].extra, 1.0f);
    EXPECT_EQ(stars[0].color[0], 1.0f);
    EXPECT_EQ(stars[0].color[1], 0.0f);
    // 12h 30m 36s is 187.65 degrees; -0 30' 36" is 0.51 degrees south.
    const double a = 187.65 * M_PI / 180.0;
    const double d = -0.51 * M_PI / 180.0;
    EXPECT_NEAR(stars[1].position[0], std::cos(a) * std::cos(d), 1e-6);
    EXPECT_NEAR(stars[1].position[1], std::sin(a) * std::cos(d), 1e-6);
    EXPECT_NEAR(stars[1].position[2], std::sin(d), 1e-6);
    EXPECT_EQ(stars[1].extra, -1.5f);
    EXPECT_EQ(stars[1].color[2], 0.75f);
}

TEST_F(NamesFileTest, WithoutStarsTheStarRecordsAreSkipped) {
    std::ofstream(dir.file("g.txt")) << "GalaxyNames: 1 { Star: 0 0 0 10 0 0 1 1 0 0 "
                                        "Name: M31 0 42 41 16 }";
    const platform::CurrentDirGuard in(dir.path());
    ASSERT_TRUE(readNamesFile("g.txt", "GalaxyNames:", names, nullptr));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_NEAR(names[0].ra, 10.5, 1e-12);
    EXPECT_NEAR(names[0].decl, 41.0 + 16.0 / 60.0, 1e-12);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(NamesFileTest, AMissingFileIsNotRead) {
    const platform::CurrentDirGuard in(dir.path());
    EXPECT_FALSE(readNamesFile("none.txt", "FixedStarNames:", names, &stars));
    EXPECT_TRUE(names.empty());
}
