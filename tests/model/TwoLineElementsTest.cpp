// Two-line element sets: names, columns, epochs and the search for a set.
#include "model/TwoLineElements.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/DataFile.h"
#include "support/TestEnv.h"

namespace {

const std::string issLine1 =
    "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992";
const std::string issLine2 =
    "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614";

std::string normal(std::string name) {
    normalizeSatelliteName(name);
    return name;
}

bool find(const std::string& text, const std::string& name, TwoLineElements& out) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("sets.tle"), std::ios::binary) << text;
    DataFile file;
    EXPECT_TRUE(file.open(dir.file("sets.tle")));
    return findTwoLineElements(file, name, out);
}

} // namespace

TEST(TwoLineElementsTest, NamesTakeTheNormalForm) {
    EXPECT_EQ(normal("ISS (ZARYA)\r\n"), "ISS_(ZARYA)");
    EXPECT_EQ(normal("TWO WORDS  "), "TWO_WORDS");
    EXPECT_EQ(normal("GPS BIIF-12  (PRN 32)"), "GPS_BIIF-12__(PRN_32)");
    EXPECT_EQ(normal("TAB\tINSIDE \t"), "TAB\tINSIDE");
    EXPECT_EQ(normal(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(normal(" \t\r\n"), "");
    EXPECT_TRUE(isSatelliteTitle("HST"));
    EXPECT_FALSE(isSatelliteTitle("X"));
    EXPECT_FALSE(isSatelliteTitle("# note"));
    EXPECT_FALSE(isSatelliteTitle(issLine1));
    EXPECT_FALSE(isSatelliteTitle(issLine2));
}

TEST(TwoLineElementsTest, ColumnsOfBothLines) {
    TwoLineElements set;
    ASSERT_TRUE(parseTwoLineElements(issLine1, issLine2, set));
    EXPECT_DOUBLE_EQ(set.inclination, 51.6424);
    EXPECT_DOUBLE_EQ(set.node, 32.9776);
    EXPECT_DOUBLE_EQ(set.eccentricity, 0.0003646);
    EXPECT_DOUBLE_EQ(set.argPerigee, 28.7227);
    EXPECT_DOUBLE_EQ(set.meanAnomaly, 39.5332);
    EXPECT_DOUBLE_EQ(set.meanMotion, 15.54190080);
    EXPECT_DOUBLE_EQ(set.meanMotionDot, 0.00002078);
    // 2018-01-20 21:33:14.84 UTC.
    EXPECT_NEAR(set.epochJd, 2458139.39808844, 1e-8);

    // A line 2 that ends inside the mean motion gives what it holds.
    ASSERT_TRUE(parseTwoLineElements(issLine1, issLine2.substr(0, 60), set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 15.54190);
    ASSERT_TRUE(parseTwoLineElements(issLine1, issLine2.substr(0, 40), set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 0.0);
    EXPECT_DOUBLE_EQ(set.argPerigee, 28.72);

    EXPECT_FALSE(parseTwoLineElements(issLine2, issLine1, set));
    EXPECT_FALSE(parseTwoLineElements("", issLine2, set));
}

TEST(TwoLineElementsTest, SetsWithFieldsThatAreNoNumbersAreRefused) {
    TwoLineElements set;
    DataFile file;
    ASSERT_TRUE(file.open(orvextest::dataPath("fuzz-regressions/orbit_tle/inclination-nan.tle")));
    EXPECT_FALSE(findTwoLineElements(file, "ISS_(ZARYA)", set));
    std::string line1 = issLine1;
    line1.replace(20, 14, "inf           ");
    EXPECT_FALSE(parseTwoLineElements(line1, issLine2, set));
    EXPECT_TRUE(parseTwoLineElements(issLine1, issLine2, set));
}

TEST(TwoLineElementsTest, EpochYearsSpanTheCenturies) {
    EXPECT_DOUBLE_EQ(elementEpochJd(6, 1.5), 2453737.0);
    EXPECT_DOUBLE_EQ(elementEpochJd(0, 1.0), 2451544.5);
    // Years 57-99 are 1957-1999: the first satellites flew in 1957.
    EXPECT_DOUBLE_EQ(elementEpochJd(57, 1.0), 2435839.5);
    EXPECT_DOUBLE_EQ(elementEpochJd(99, 1.0), 2451179.5);
    EXPECT_DOUBLE_EQ(elementEpochJd(56, 1.0), 2471998.5);
    TwoLineElements set;
    std::string line1 = issLine1;
    line1.replace(18, 14, "98001.00000000");
    ASSERT_TRUE(parseTwoLineElements(line1, issLine2, set));
    EXPECT_DOUBLE_EQ(set.epochJd, 2450814.5); // 1998-01-01
}

TEST(TwoLineElementsTest, SearchFindsTheFirstCompleteSetOfTheTitle) {
    const std::string other = "OTHER\n" + issLine1 + "\n" + issLine2.substr(0, 52) + "14.0\n";
    TwoLineElements set;
    EXPECT_TRUE(find(other + "ISS (ZARYA)\r\n" + issLine1 + "\r\n" + issLine2 + "\r\n" +
                         "ISS (ZARYA)\n" + issLine1 + "\n" + issLine2.substr(0, 52) + "1.0\n",
                     "ISS_(ZARYA)", set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 15.54190080);
    EXPECT_TRUE(find(other, "OTHER", set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 14.0);
    EXPECT_FALSE(find(other, "ISS_(ZARYA)", set));
    EXPECT_FALSE(find(other, "OTHER ", set));
    // A comment between title and line 1 leaves the set incomplete.
    EXPECT_FALSE(find("ISS\n# note\n" + issLine1 + "\n" + issLine2 + "\n", "ISS", set));
    // A title without its lines, then the set again: the second one counts.
    EXPECT_TRUE(find("ISS\nISS\n" + issLine1 + "\n" + issLine2 + "\n", "ISS", set));
    EXPECT_FALSE(find("ISS\n" + issLine1 + "\n", "ISS", set));
    EXPECT_FALSE(find("", "ISS", set));
}

TEST(TwoLineElementsTest, AFileReadOnceFindsWhatTheSearchFinds) {
    const std::string other = "OTHER\n" + issLine1 + "\n" + issLine2.substr(0, 52) + "14.0\n";
    const std::string text =
        other + "ISS\n# note\n" + issLine1 + "\n" + issLine2 + "\n" + "ISS (ZARYA)\r\n" + issLine1 +
        "\r\n" + issLine2 + "\r\n" + "ISS (ZARYA)\n" + issLine1 + "\n" + issLine2.substr(0, 52) +
        "1.0\n" + "ISS\nISS\n" + issLine1 + "\n" + issLine2 + "\nLAST\n" + issLine1 + "\n";
    orvextest::TempDir dir;
    std::ofstream(dir.file("sets.tle"), std::ios::binary) << text;
    DataFile file;
    ASSERT_TRUE(file.open(dir.file("sets.tle")));
    const TwoLineElementSets sets(file);
    EXPECT_EQ(sets.size(), 3u);
    // Counted set by set, a title that comes again included; the title
    // before a comment and the last, cut-off set are none.
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    EXPECT_EQ(countTwoLineElementSets(lines), 4u);
    EXPECT_EQ(countTwoLineElementSets({"TITLE", issLine1}), 0u);
    for (const char* name : {"OTHER", "ISS_(ZARYA)", "ISS", "LAST", "NONE", "OTHER "}) {
        TwoLineElements searched;
        const bool found = find(text, name, searched);
        const TwoLineElements* read = sets.find(name);
        ASSERT_EQ(read != nullptr, found) << name;
        if (!found)
            continue;
        EXPECT_EQ(read->epochJd, searched.epochJd) << name;
        EXPECT_EQ(read->inclination, searched.inclination) << name;
        EXPECT_EQ(read->node, searched.node) << name;
        EXPECT_EQ(read->eccentricity, searched.eccentricity) << name;
        EXPECT_EQ(read->argPerigee, searched.argPerigee) << name;
        EXPECT_EQ(read->meanAnomaly, searched.meanAnomaly) << name;
        EXPECT_EQ(read->meanMotion, searched.meanMotion) << name;
        EXPECT_EQ(read->meanMotionDot, searched.meanMotionDot) << name;
    }
    EXPECT_EQ(sets.find("ISS_(ZARYA)")->meanMotion, 15.54190080) << "the first set of a title";
}
