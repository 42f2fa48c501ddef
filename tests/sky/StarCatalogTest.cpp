// Loading the star catalogue and its colour map (no drawing).
#include <gtest/gtest.h>

#include <cmath>

#include "StarFileTestSupport.h"
#include "engine/LogMessage.h"
#include "sky/StarCatalog.h"
#include "support/TestEnv.h"

using orvextest::BinaryFile;
using orvextest::dataPath;
using orvextest::writeBytes;

namespace {

double dot(const float* a, const float* b) {
    return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
}

class StarCatalogTest : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        return writeBytes(dir.file(name), bytes);
    }
    orvextest::TempDir dir;
    LogCapture log;
    StarCatalog catalog;
};

} // namespace

TEST_F(StarCatalogTest, EveryStarGetsASquareFacingTheOriginEvenAtThePoles) {
    BinaryFile f;
    f.i32(2);
    // Group 0: the two poles of the construction, a star on the view axis's
    // far side and a zero vector a damaged catalogue might carry.
    f.i32(5).xyz(0, 0, 100).xyz(0, 0, -100).xyz(60, -80, 0).xyz(1, 2, 3).xyz(0, 0, 0);
    f.f32(1).f32(2).f32(3).f32(4).f32(5);
    f.i32(1).xyz(-3, 4, 12).f32(6.5f);
    ASSERT_EQ(catalog.loadStars(file("c.dsc", f.bytes())), 1);
    EXPECT_EQ(catalog.getStarCount(), 6);
    ASSERT_EQ(catalog.getGroup(1).count(), 1);
    EXPECT_FLOAT_EQ(catalog.getGroup(1).magnitudes[0], 6.5f);

    for (int k = 0; k < 2; ++k) {
        const CatalogGroup& g = catalog.getGroup(k);
        for (int i = 0; i < g.count(); ++i) {
            const float* p = &g.positions[i * 3];
            const float* r = &g.rights[i * 3];
            const float* u = &g.ups[i * 3];
            for (int c = 0; c < 3; ++c) {
                ASSERT_TRUE(std::isfinite(r[c])) << k << " " << i;
                ASSERT_TRUE(std::isfinite(u[c])) << k << " " << i;
            }
            EXPECT_NEAR(dot(r, r), 1.0, 1e-6);
            EXPECT_NEAR(dot(u, u), 1.0, 1e-6);
            EXPECT_NEAR(dot(r, u), 0.0, 1e-6);
            const double length = std::sqrt(dot(p, p));
            if (length > 0) {
                EXPECT_NEAR(dot(r, p) / length, 0.0, 1e-6) << k << " " << i;
                EXPECT_NEAR(dot(u, p) / length, 0.0, 1e-6) << k << " " << i;
            }
        }
    }
}

TEST_F(StarCatalogTest, AFileThatFailsLeavesTheCatalogueAsItWas) {
    BinaryFile f;
    f.i32(1).i32(1).xyz(0, 100, 0).f32(2.0f);
    ASSERT_EQ(catalog.loadStars(file("c.dsc", f.bytes())), 1);
    EXPECT_EQ(catalog.loadStars(file("cut.dsc", f.cut(10))), 0);
    EXPECT_EQ(catalog.loadStars(dir.file("missing.dsc")), 0);
    EXPECT_EQ(catalog.getStarCount(), 1);

    BinaryFile empty;
    empty.i32(0);
    EXPECT_EQ(catalog.loadStars(file("empty.dsc", empty.bytes())), 1);
    EXPECT_EQ(catalog.getStarCount(), 0);
}

TEST_F(StarCatalogTest, ColourMapFillsItsGroupsAndLeavesTheRestWhite) {
    EXPECT_EQ(catalog.loadColorMap(""), 0);
    EXPECT_EQ(catalog.loadColorMap(dir.file("missing.map")), 0);
    ASSERT_EQ(catalog.loadColorMap(dataPath("stars/colors3.map")), 1);
    EXPECT_FLOAT_EQ(catalog.getGroup(0).color[1], 0.5f);
    EXPECT_FLOAT_EQ(catalog.getGroup(2).color[2], 0.7f);
    EXPECT_FLOAT_EQ(catalog.getGroup(3).color[0], 1.0f);
    EXPECT_FLOAT_EQ(catalog.getGroup(255).color[2], 1.0f);
}

TEST_F(StarCatalogTest, ShortColourMapRepeatsItsLastLineAndLongOneStopsAt256) {
    StarCatalog shortMap;
    ASSERT_EQ(shortMap.loadColorMap(dataPath("stars/colors_short.map")), 1);
    EXPECT_FLOAT_EQ(shortMap.getGroup(1).color[0], 0.4f);
    EXPECT_FLOAT_EQ(shortMap.getGroup(3).color[0], 0.4f);
    EXPECT_FLOAT_EQ(shortMap.getGroup(3).color[2], 0.6f);
    EXPECT_FLOAT_EQ(shortMap.getGroup(4).color[0], 1.0f);

    ASSERT_EQ(catalog.loadColorMap(dataPath("stars/colors_many.map")), 1);
    EXPECT_FLOAT_EQ(catalog.getGroup(255).color[0], 0.5f);
}

TEST_F(StarCatalogTest, ColourMapCountsBeyondAnIntAreClampedToTheGroups) {
    // 1e10 groups: clamped to every group, the last colour line repeated.
    ASSERT_EQ(catalog.loadColorMap(dataPath("fuzz-regressions/star_colors/count-1e10.txt")), 1);
    EXPECT_FLOAT_EQ(catalog.getGroup(0).color[0], 1.0f);
    EXPECT_FLOAT_EQ(catalog.getGroup(1).color[1], 1.0f);
    EXPECT_FLOAT_EQ(catalog.getGroup(255).color[0], 0.0f);
    StarCatalog none;
    ASSERT_EQ(none.loadColorMap(dataPath("fuzz-regressions/star_colors/count-nan.txt")), 1);
    EXPECT_FLOAT_EQ(none.getGroup(0).color[1], 1.0f); // no group read: white
}

TEST_F(StarCatalogTest, BrightnessFollowsTheMagnitudeAndNeverTurnsNaN) {
    EXPECT_DOUBLE_EQ(StarCatalog::brightness(1.5f), 1.0);
    EXPECT_NEAR(StarCatalog::brightness(6.0f), 0.274, 0.001);
    EXPECT_NEAR(StarCatalog::brightness(-1.5f), 2.0, 0.01);
    EXPECT_EQ(StarCatalog::brightness(19.5f), 0.0);
    EXPECT_EQ(StarCatalog::brightness(40.0f), 0.0);
    EXPECT_EQ(StarCatalog::brightness(std::nanf("")), 0.0);
}

TEST_F(StarCatalogTest, ShippedCatalogueAndColourMapLoad) {
    const std::string stars = orvextest::shareDir() + "/data/stars/";
    ASSERT_EQ(catalog.loadStars(stars + "catalog.dsc"), 1);
    EXPECT_GT(catalog.getStarCount(), 8000);
    ASSERT_EQ(catalog.loadColorMap(stars + "starcolor.map"), 1);
    // Blue-white stars in the first groups, red ones in the last.
    EXPECT_GT(catalog.getGroup(10).color[2], catalog.getGroup(10).color[0]);
    EXPECT_GT(catalog.getGroup(240).color[0], catalog.getGroup(240).color[2]);
    EXPECT_TRUE(log.messages().empty());
}
