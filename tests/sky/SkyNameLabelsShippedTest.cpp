// The shipped names files load whole: every record the converter wrote.
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "support/TestRoot.h"

namespace {

// The lines of a shipped file that begin with the keyword.
int countLines(const std::string& path, const std::string& keyword) {
    std::ifstream in(orvextest::shareDir() + "/" + path);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.compare(0, keyword.size(), keyword) == 0;
    return n;
}

} // namespace

TEST(SkyNameLabelsShippedTest, EveryFixedStarAndItsName) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::shareDir());
    Fstars fstars(&root);
    LogCapture log;
    ASSERT_EQ(fstars.loadNames("./data/fixedstars.txt"), 1);
    EXPECT_TRUE(log.messages().empty());
    const int names = countLines("data/fixedstars.txt", "Name:");
    EXPECT_GE(names, 200);
    EXPECT_EQ(int(fstars.getNames().size()), names);
    EXPECT_EQ(int(fstars.getFixedStars().size()), countLines("data/fixedstars.txt", "Star:"));
    std::set<std::string> unique;
    for (const StarName& n : fstars.getNames())
        unique.insert(n.name);
    EXPECT_EQ(unique.size(), fstars.getNames().size());
    EXPECT_EQ(fstars.getNames().front().name, "Sirius");
    for (const char* name : {"Sirius", "Vega", "Polaris", "Betelgeuse", "Mintaka"})
        EXPECT_TRUE(fstars.hasLookTarget(name)) << name;
    for (const StarName& n : fstars.getNames()) {
        // Just south of the equator: the "-0" degrees of the file.
        if (n.name == "Mintaka") {
            EXPECT_LT(n.decl, 0.0);
            EXPECT_GT(n.decl, -0.5);
        }
        EXPECT_GE(n.ra, 0.0);
        EXPECT_LT(n.ra, 360.0);
        EXPECT_LE(std::abs(n.decl), 90.0);
    }
    for (const FixedStar& s : fstars.getFixedStars())
        for (float c : s.color) {
            EXPECT_GE(c, 0.0f);
            EXPECT_LE(c, 1.0f);
        }
}

TEST(SkyNameLabelsShippedTest, EveryGalaxy) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::shareDir());
    Galaxies galaxies(&root);
    LogCapture log;
    ASSERT_EQ(galaxies.loadNames("./data/galaxies.txt"), 1);
    EXPECT_TRUE(log.messages().empty());
    EXPECT_EQ(int(galaxies.getNames().size()), countLines("data/galaxies.txt", "Name:"));
    EXPECT_GE(galaxies.getNames().size(), 40u);
    for (const char* name : {"M31", "M33", "M81", "M101", "LMC", "SMC", "NGC253"})
        EXPECT_TRUE(galaxies.hasGalaxy(name)) << name;
    for (const StarName& n : galaxies.getNames())
        if (n.name == "M31") {
            EXPECT_NEAR(n.ra, 10.68, 0.01);
            EXPECT_NEAR(n.decl, 41.27, 0.01);
        }
}
