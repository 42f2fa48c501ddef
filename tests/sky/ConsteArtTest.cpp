#include "sky/ConsteArt.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "support/TestEnv.h"

namespace {

// A ".cab" file's bytes (little-endian, as the x86 host writes them).
struct Cab {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    float angle = 0.0f;
    std::vector<ArtPoint> points;
    std::vector<int> indices;
    // Counts written in place of the true ones, when set.
    int pointCount = -1;
    int indexCount = -1;
    bool lyingPointCount = false;
    bool lyingIndexCount = false;

    std::string bytes() const {
        std::string out;
        const auto put = [&out](const void* p, std::size_t n) {
            out.append(static_cast<const char*>(p), n);
        };
        put(position, 12);
        put(&scale, 4);
        put(&angle, 4);
        const int p = lyingPointCount ? pointCount : static_cast<int>(points.size());
        put(&p, 4);
        for (const ArtPoint& point : points) {
            put(&point.x, 4);
            put(&point.y, 4);
        }
        const int l = lyingIndexCount ? indexCount : static_cast<int>(indices.size());
        put(&l, 4);
        for (int i : indices)
            put(&i, 4);
        return out;
    }
};

class ConsteArtTest : public ::testing::Test {
protected:
    int readCab(const std::string& bytes) {
        const std::string path = dir.file("art.cab");
        std::ofstream(path, std::ios::binary) << bytes;
        return readArtCab(path, art);
    }
    static std::string fixture(const std::string& name) {
        return orvextest::dataPath("constes/" + name);
    }

    orvextest::TempDir dir;
    ConsteArt art;
    LogCapture log;
};

void expectNear(const Vector3& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
}

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Points 0..n-1 at (i, 0).
std::vector<ArtPoint> row(int n) {
    std::vector<ArtPoint> out;
    for (int i = 0; i < n; ++i)
        out.push_back({float(i), 0.0f});
    return out;
}

} // namespace

TEST_F(ConsteArtTest, CabFixtureIsPlacedOnTheSphereAlongItsPosition) {
    ASSERT_EQ(readArtCab(fixture("beta.cab"), art), 1);
    ASSERT_EQ(art.blocks.size(), 1u);
    const ArtBlock& block = art.blocks[0];
    ASSERT_EQ(block.strips.size(), 2u);
    EXPECT_EQ(block.strips[0].size(), 3u);
    EXPECT_EQ(block.strips[1].size(), 2u);
    ASSERT_TRUE(block.placement.placed);
    // Position (2, 0, 0): the drawing touches the sphere at (1, 0, 0); the
    // shortest turn of z onto x carries the local -x (where point (10, 0)
    // goes) to +z.
    expectNear(block.placement.place({0, 0}), 1, 0, 0);
    expectNear(block.placement.place({10, 0}), 1, 0, 0.2);
    expectNear(block.placement.place({0, 10}), 1, 0.2, 0);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ConsteArtTest, CabScaleOneIsDrawnUntransformedAndOtherScalesAtUnitDistance) {
    Cab cab;
    cab.position[2] = 4.0f;
    cab.points = row(5);
    cab.indices = {0, 1, 2, -1, 3, 4};
    ASSERT_EQ(readCab(cab.bytes()), 1);
    EXPECT_FALSE(art.blocks[0].placement.placed);
    expectNear(art.blocks[0].placement.place({1, 2}), -1, 2, 0);
    ASSERT_EQ(art.blocks[0].strips.size(), 2u);
    EXPECT_EQ(art.blocks[0].strips[0].size(), 3u);
    EXPECT_EQ(art.blocks[0].strips[1][0].x, 3.0f);

    // Scale 2 at (0, 0, 4): half the position has length 2, so x and y scale by 1.
    cab.scale = 2.0f;
    ASSERT_EQ(readCab(cab.bytes()), 1);
    const ArtPlacement& p = art.blocks[0].placement;
    ASSERT_TRUE(p.placed);
    expectNear(p.place({0, 0}), 0, 0, 1);
    expectNear(p.place({1, 2}), -1, 2, 1);
    expectNear(p.scale, 1, 1, 1);
}

TEST_F(ConsteArtTest, CabTurnsByItsAngleAboutTheViewAxis) {
    Cab cab;
    cab.position[2] = 2.0f;
    cab.scale = 0.5f;
    cab.angle = 90.0f;
    cab.points = row(2);
    cab.indices = {0, 1};
    ASSERT_EQ(readCab(cab.bytes()), 1);
    // (1, 0) is drawn at (-1, 0), turned by 90 degrees to (0, -1), halved.
    expectNear(art.blocks[0].placement.place({1, 0}), 0, -0.5, 1);
}

TEST_F(ConsteArtTest, CabCutShortAnywhereReadsNothing) {
    Cab cab;
    cab.position[0] = 2.0f;
    cab.scale = 0.01f;
    cab.points = row(4);
    cab.indices = {0, 1, -1, 2, 3};
    const std::string whole = cab.bytes();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        log.clear();
        EXPECT_EQ(readCab(whole.substr(0, length)), 0) << length;
        EXPECT_TRUE(art.empty()) << length;
        EXPECT_TRUE(log.contains("is damaged")) << length;
    }
    EXPECT_EQ(readCab(whole), 1);
    EXPECT_EQ(art.pointCount(), 4);
}

TEST_F(ConsteArtTest, CabCountsThatLieAboutTheFileAreRefused) {
    Cab cab;
    cab.scale = 0.01f;
    cab.position[1] = 2.0f;
    cab.points = row(3);
    cab.indices = {0, 1, 2};
    cab.lyingPointCount = true;
    for (int count : {INT_MAX, -1, INT_MIN, 5, 1 << 29}) {
        cab.pointCount = count;
        EXPECT_EQ(readCab(cab.bytes()), 0) << count;
        EXPECT_TRUE(art.empty());
    }
    cab.lyingPointCount = false;
    cab.lyingIndexCount = true;
    for (int count : {INT_MAX, -5, 4, 1 << 30}) {
        cab.indexCount = count;
        EXPECT_EQ(readCab(cab.bytes()), 0) << count;
        EXPECT_TRUE(art.empty());
    }
    EXPECT_TRUE(log.contains("point count does not fit"));
    EXPECT_TRUE(log.contains("index count does not fit"));
    // Fewer indices than the file holds is fine: the rest is ignored.
    cab.indexCount = 2;
    EXPECT_EQ(readCab(cab.bytes()), 1);
    EXPECT_EQ(art.pointCount(), 2);
}

TEST_F(ConsteArtTest, CabNumbersThatAreNotFiniteAreRefused) {
    Cab cab;
    cab.scale = 0.01f;
    cab.position[0] = 2.0f;
    cab.points = row(2);
    cab.indices = {0, 1};
    cab.points[1].y = std::nanf("");
    EXPECT_EQ(readCab(cab.bytes()), 0);
    cab.points[1].y = 0.0f;
    cab.angle = INFINITY;
    EXPECT_EQ(readCab(cab.bytes()), 0);
    EXPECT_TRUE(log.contains("not finite"));
}

TEST_F(ConsteArtTest, CabIndicesOutsideThePointsBreakTheStrip) {
    Cab cab;
    cab.points = row(3);
    cab.indices = {0, 1, 7, 2, INT_MAX, INT_MIN, 0};
    ASSERT_EQ(readCab(cab.bytes()), 1);
    const auto& strips = art.blocks[0].strips;
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_EQ(strips[0].size(), 2u);
    EXPECT_EQ(strips[1].size(), 1u);
    EXPECT_EQ(strips[2].size(), 1u);
    EXPECT_TRUE(log.contains("2 indices beyond its points"));
}

TEST_F(ConsteArtTest, CabWithoutPositionStaysAtTheOriginInsteadOfDividingByZero) {
    Cab cab;
    cab.scale = 0.5f;
    cab.points = row(3);
    cab.indices = {0, 1, 2};
    ASSERT_EQ(readCab(cab.bytes()), 1);
    const ArtPlacement& p = art.blocks[0].placement;
    EXPECT_TRUE(log.contains("has no position"));
    expectNear(p.translation, 0, 0, 0);
    expectNear(p.scale, 0.5, 0.5, 1);
    expectNear(p.place({2, 0}), -1, 0, 0);
}

TEST_F(ConsteArtTest, CabAtTheSouthPoleIsTurnedByAHalfTurn) {
    Cab cab;
    cab.position[2] = -2.0f;
    cab.scale = 0.01f;
    cab.points = {{0, 0}, {100, 0}, {0, 100}};
    cab.indices = {0, 1, 2};
    ASSERT_EQ(readCab(cab.bytes()), 1);
    const ArtPlacement& p = art.blocks[0].placement;
    expectNear(p.place({0, 0}), 0, 0, -1);
    for (const ArtPoint& point : cab.points) {
        const Vector3 v = p.place(point);
        ASSERT_TRUE(finite(v));
        // On the plane tangent at the pole, at the drawn distance.
        EXPECT_NEAR(v.z, -1.0, 1e-9);
        EXPECT_NEAR(std::hypot(v.x, v.y), point.x == 0 && point.y == 0 ? 0.0 : 1.0, 1e-6);
    }
}

TEST_F(ConsteArtTest, CabThatDoesNotOpenReadsNothing) {
    EXPECT_EQ(readArtCab(dir.file("missing.cab"), art), 0);
    EXPECT_TRUE(art.empty());
    EXPECT_TRUE(log.messages().empty()); // quietly, unless something is there
    EXPECT_EQ(readArtCab(dir.path(), art), 0);
    EXPECT_TRUE(log.contains(dir.path() + " not read. Is a directory."));
}

TEST_F(ConsteArtTest, CatBlocksArePlacedByTheSettingsReadBeforeThem) {
    ASSERT_EQ(readArtCat(fixture("alpha.cat"), art), 1);
    ASSERT_EQ(art.blocks.size(), 2u);
    const ArtBlock& flat = art.blocks[0];
    EXPECT_FALSE(flat.placement.placed);
    ASSERT_EQ(flat.strips.size(), 2u);
    EXPECT_EQ(flat.strips[0].size(), 3u);
    EXPECT_EQ(flat.strips[1].size(), 2u);
    EXPECT_EQ(flat.strips[1][1].x, 5.0f);

    // Pos 90 0, Rot 90, Size 2; the comment swallowed "9 9".
    const ArtBlock& placed = art.blocks[1];
    ASSERT_TRUE(placed.placement.placed);
    ASSERT_EQ(placed.strips.size(), 1u);
    EXPECT_EQ(placed.strips[0].size(), 3u);
    expectNear(placed.placement.translation, 0, 0.5, 0);
    expectNear(placed.placement.scale, 2, 2, 2);
    // (1, 0) → (-1, 0, 0), turned to (0, -1, 0), doubled, then z turned onto y.
    expectNear(placed.placement.place({1, 0}), 0, 0.5, 2);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ConsteArtTest, CatCountsAndIndicesThatLieAreHandled) {
    ASSERT_EQ(readArtCat(fixture("lying.cat"), art), 1);
    ASSERT_EQ(art.blocks.size(), 2u);
    // "Lines:" before "Points:": no point to draw.
    EXPECT_TRUE(art.blocks[0].strips.empty());
    // "Points: 10" with three points; Size 2 without Pos: scaled around the origin.
    const ArtBlock& b = art.blocks[1];
    ASSERT_TRUE(b.placement.placed);
    expectNear(b.placement.translation, 0, 0, 0);
    expectNear(b.placement.place({1, 0}), -2, 0, 0);
    ASSERT_EQ(b.strips.size(), 3u);
    EXPECT_EQ(b.strips[0].size(), 2u);
    EXPECT_EQ(b.strips[1].size(), 1u);
    EXPECT_EQ(b.strips[2].size(), 2u);
    EXPECT_TRUE(log.contains("the points end after 3 of 10"));
    EXPECT_TRUE(log.contains("3 indices beyond its points"));
    EXPECT_TRUE(log.contains("-3 is no point count"));
}

TEST_F(ConsteArtTest, CatNumbersThatAreNoNumbersReadAsZero) {
    ASSERT_EQ(readArtCat(fixture("badnumber.cat"), art), 1);
    ASSERT_EQ(art.blocks.size(), 1u);
    ASSERT_EQ(art.blocks[0].strips.size(), 1u);
    EXPECT_EQ(art.blocks[0].strips[0][0].y, 2.0f);
    EXPECT_TRUE(log.contains("the points end after 1 of 2"));
    EXPECT_TRUE(log.contains("not finite"));
}

TEST_F(ConsteArtTest, CatThatDoesNotOpenReadsNothing) {
    EXPECT_EQ(readArtCat(dir.file("missing.cat"), art), 0);
    EXPECT_TRUE(art.empty());
}
