// Two-line element sets: names, columns, epochs and the search for a set.
#include "model/TwoLineElements.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/DataFile.h"
#include "support/ElementLines.h"
#include "support/TestEnv.h"

namespace {

const std::string issLine1 =
    "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992";
const std::string issLine2 =
    "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614";

// The station's line 2 with another mean motion (columns 53-63).
std::string withMeanMotion(const std::string& revolutionsPerDay) {
    return orvextest::changedElementLine(issLine2, 53, revolutionsPerDay);
}

std::string normal(std::string name) {
    normalizeSatelliteName(name);
    return name;
}

bool find(const std::string& text, const std::string& name, TwoLineElements& out,
          std::string* fault = nullptr) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("sets.tle"), std::ios::binary) << text;
    DataFile file;
    EXPECT_TRUE(file.open(dir.file("sets.tle")));
    return findTwoLineElements(file, name, out, fault);
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
    // Catalogue names begin with any character.
    for (const char* title : {"2017-071N", "1KUNS-PF", "2ND STAGE DEB", "0 NOAA 19"})
        EXPECT_TRUE(isSatelliteTitle(title)) << title;
    EXPECT_FALSE(isSatelliteTitle("  \r"));
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

    // Each field in its columns is a number in its range; checksums right.
    using orvextest::changedElementLine;
    const std::string letters = changedElementLine(issLine2, 9, "ABCDEFGH");
    const std::pair<std::string, const char*> refused[] = {
        {letters + "\n", "the inclination in line 2 is no number: \"ABCDEFGH\""},
        {changedElementLine(issLine2, 3, "25545") + "\n",
         "its two lines name different catalogue numbers"},
        {changedElementLine(issLine2, 3, "2554.") + "\n",
         "line 2 is not in the columns of an element line"},
        {changedElementLine(issLine2, 9, "INF     ") + "\n",
         "the inclination in line 2 is no number: \"INF\""},
        {changedElementLine(issLine2, 27, "00O3646") + "\n",
         "the eccentricity in line 2 is no number: \"00O3646\""},
        {changedElementLine(issLine2, 53, "  1.5e+01  ") + "\n",
         "the mean motion in line 2 is no number: \"1.5e+01\""},
        {withMeanMotion(" 0.00000000") + "\n",
         "the mean motion in line 2 is 0.00000000, not above 0"},
        {withMeanMotion("-1.00000000") + "\n",
         "the mean motion in line 2 is -1.00000000, not above 0"},
        {changedElementLine(issLine2, 27, "9999999") + "\n", "its perigee lies inside the Earth"},
        {withMeanMotion("17.50000000") + "\n", "its perigee lies inside the Earth"},
        {changedElementLine(issLine2, 9, "180.0001") + "\n",
         "the inclination in line 2 is 180.0001, outside 0 to 180"},
        {changedElementLine(issLine2, 44, "-39.5332") + "\n",
         "the mean anomaly in line 2 is -39.5332, outside 0 to 360"},
        {changedElementLine(issLine1, 21, "000.50000000") + "\n" + issLine2 + "\n",
         "the epoch day in line 1 is 000.50000000, outside 1 to 366.99999999"},
    };
    std::string why;
    for (const auto& [lines, fault] : refused) {
        const bool line1Given = lines.compare(0, 2, "1 ") == 0;
        const std::string text = "ISS\n" + (line1Given ? "" : issLine1 + "\n") + lines;
        EXPECT_FALSE(find(text, "ISS", set, &why)) << text;
        EXPECT_EQ(why, fault) << text;
        // A later usable set of the title is taken.
        EXPECT_TRUE(find(text + "ISS\n" + issLine1 + "\n" + issLine2 + "\n", "ISS", set, &why));
        EXPECT_EQ(why, "");
    }
    EXPECT_FALSE(find(std::string(70, 'T') + "\n" + issLine1 + "\n" + issLine2 + "\n",
                      std::string(70, 'T'), set, &why));
    EXPECT_EQ(why, "its title has 70 characters, more than 69");
    EXPECT_TRUE(find(std::string(69, 'T') + "\n" + issLine1 + "\n" + issLine2 + "\n",
                     std::string(69, 'T'), set));
    // The largest eccentricity and mean motion of the shipped sets pass.
    EXPECT_TRUE(find("HEO\n" + issLine1 + "\n" +
                         changedElementLine(withMeanMotion(" 0.35519472"), 27, "9053334") + "\n",
                     "HEO", set));
    EXPECT_TRUE(find("LOW\n" + issLine1 + "\n" + withMeanMotion("16.47860342") + "\n", "LOW", set));
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
    const std::string other = "OTHER\n" + issLine1 + "\n" + withMeanMotion("14.00000000") + "\n";
    TwoLineElements set;
    EXPECT_TRUE(find(other + "ISS (ZARYA)\r\n" + issLine1 + "\r\n" + issLine2 + "\r\n" +
                         "ISS (ZARYA)\n" + issLine1 + "\n" + withMeanMotion(" 1.00000000") + "\n",
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
    // The line above line 1 is the title, whatever it begins with; a line
    // that is no title is not a set's either.
    const std::string catalogue = "2017-071N\n" + issLine1 + "\n" + withMeanMotion("14.00000000") +
                                  "\n1KUNS-PF\n" + issLine1 + "\n" + withMeanMotion("13.00000000") +
                                  "\n2ND STAGE DEB\n" + issLine1 + "\n" +
                                  withMeanMotion("12.00000000") + "\nNOTE\n";
    EXPECT_TRUE(find(catalogue, "2017-071N", set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 14.0);
    EXPECT_TRUE(find(catalogue, "1KUNS-PF", set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 13.0);
    EXPECT_TRUE(find(catalogue, "2ND_STAGE_DEB", set));
    EXPECT_DOUBLE_EQ(set.meanMotion, 12.0);
    EXPECT_FALSE(find(catalogue, "NOTE", set));
    // Lines 1 and 2 without titles name no sets.
    EXPECT_FALSE(find(issLine1 + "\n" + issLine2 + "\n" + issLine1 + "\n" + issLine2 + "\n",
                      normal(issLine2), set));
}

TEST(TwoLineElementsTest, AFileReadOnceFindsWhatTheSearchFinds) {
    const std::string other = "OTHER\n" + issLine1 + "\n" + withMeanMotion("14.00000000") + "\n";
    const std::string text = other + "ISS\n# note\n" + issLine1 + "\n" + issLine2 + "\n" +
                             "ISS (ZARYA)\r\n" + issLine1 + "\r\n" + issLine2 + "\r\n" +
                             "ISS (ZARYA)\n" + issLine1 + "\n" + withMeanMotion(" 1.00000000") +
                             "\n" + "ISS\nISS\n" + issLine1 + "\n" + issLine2 + "\nLAST\n" +
                             issLine1 + "\n" + "NONE\n" + issLine1 + "\n" +
                             withMeanMotion(" 0.00000000") + "\n";
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
    // Why a title's only set was refused.
    EXPECT_EQ(sets.fault("NONE"), "the mean motion in line 2 is 0.00000000, not above 0");
    EXPECT_EQ(sets.fault("LAST"), "line 2 is missing");
    EXPECT_EQ(sets.fault("ISS"), "");
}
