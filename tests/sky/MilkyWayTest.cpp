// The Milky Way's meshes lie where the real band is, and its settings.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/Quaternion.h"
#include "sky/MilkyWay.h"
#include "sky/MilkyWayMeshData.h"

using namespace milkyway_data;

namespace {

const double degree = 3.141592653589793 / 180.0;

// J2000 equatorial to galactic (Hipparcos, ESA 1997).
const double galacticFromJ2000[3][3] = {
    {-0.0548755604162154, -0.8734370902348850, -0.4838350155487132},
    {0.4941094278755837, -0.4448296299600112, 0.7469822444972189},
    {-0.8676661490190047, -0.1980763734312015, 0.4559837761750669},
};

struct Galactic {
    double l, b, radius; // degrees, degrees, length
};

// A mesh vertex turned as the drawing turns it, in galactic coordinates.
Galactic galactic(const Quaternion& drawn, const float* v) {
    const Vector3 e = drawn.rotateVector(Vector3(v[0], v[1], v[2]));
    double g[3];
    for (int r = 0; r < 3; ++r)
        g[r] = galacticFromJ2000[r][0] * e.x + galacticFromJ2000[r][1] * e.y +
               galacticFromJ2000[r][2] * e.z;
    const double radius = e.length();
    double l = std::atan2(g[1], g[0]) / degree;
    if (l < 0)
        l += 360.0;
    return {l, std::asin(g[2] / radius) / degree, radius};
}

struct Layer {
    const float* vertices;
    int count;
};
const Layer layers[7] = {
    {kLayer0Vertices, kLayer0VertexCount}, {kLayer1Vertices, kLayer1VertexCount},
    {kLayer2Vertices, kLayer2VertexCount}, {kLayer3Vertices, kLayer3VertexCount},
    {kLayer4Vertices, kLayer4VertexCount}, {kLayer5Vertices, kLayer5VertexCount},
    {kLayer6Vertices, kLayer6VertexCount},
};

} // namespace

TEST(MilkyWay, TexturedBandRunsAlongTheGalacticEquator) {
    ASSERT_EQ(kBandVertexCount, 128);
    ASSERT_EQ(kBandNormalCount, 64);
    ASSERT_EQ(kBandTexCoordCount, 130);
    ASSERT_EQ(kBandTriangleCount, 128);
    const Quaternion drawn = MilkyWay::texturedRotation();
    for (int i = 0; i < kBandVertexCount; ++i) {
        const Galactic g = galactic(drawn, &kBandVertices[i * 3]);
        EXPECT_NEAR(g.radius, 1.0743, 1e-4);
        EXPECT_NEAR(std::fabs(g.b), 30.0, 0.5) << i;
    }
    // The inward normals point at the band's middle line.
    for (int i = 0; i < kBandNormalCount; ++i)
        EXPECT_NEAR(galactic(drawn, &kBandNormals[i * 3]).b, 0.0, 0.5) << i;
    for (int i = 0; i < kBandTriangleCount * 9; ++i) {
        const int limit = i % 9 < 3   ? kBandVertexCount
                          : i % 9 < 6 ? kBandNormalCount
                                      : kBandTexCoordCount;
        EXPECT_LT(kBandTriangles[i], limit);
        EXPECT_GE(kBandTriangles[i], 0);
    }
}

TEST(MilkyWay, PolygonLayersHugTheGalacticEquatorAndTheCoreIsInSagittarius) {
    const Quaternion drawn = MilkyWay::polygonRotation();
    for (int k = 0; k < 7; ++k) {
        ASSERT_GT(layers[k].count, 0);
        for (int i = 0; i < layers[k].count; ++i) {
            const Galactic g = galactic(drawn, &layers[k].vertices[i * 3]);
            EXPECT_NEAR(g.radius, 0.987, 1e-4);
            EXPECT_LT(std::fabs(g.b), 40.0) << k << " " << i;
        }
    }
    // The core layer holds the galactic centre's neighbourhood.
    double nearest = 360.0;
    for (int i = 0; i < kLayer0VertexCount; ++i) {
        const Galactic g = galactic(drawn, &kLayer0Vertices[i * 3]);
        nearest = std::min(nearest, std::hypot(std::remainder(g.l, 360.0), g.b));
    }
    EXPECT_LT(nearest, 15.0);
    // The outermost layer closes round the sky: no longitude gap over 10 degrees.
    bool covered[36] = {};
    for (int i = 0; i < kLayer6VertexCount; ++i)
        covered[int(galactic(drawn, &kLayer6Vertices[i * 3]).l / 10.0) % 36] = true;
    for (int c = 0; c < 36; ++c)
        EXPECT_TRUE(covered[c]) << c * 10;
}

TEST(MilkyWay, SettingsAndTheirText) {
    MilkyWay mway;
    EXPECT_EQ(mway.getDispText(), "7 0.15 0.15 0.15");
    const double grey[3] = {0.2, 0.3, 0.4};
    mway.setDisp(0, grey);
    EXPECT_EQ(mway.getLayerCount(), 1);
    mway.setDisp(12, grey);
    EXPECT_EQ(mway.getDispText(), "12 0.2 0.3 0.4");
    EXPECT_EQ(mway.getDrawnLayerCount(), 7);
    EXPECT_EQ(mway.getStyle(), MilkyWay::Textured);
    mway.setTexture("mway.jpg");
    EXPECT_EQ(mway.getTextureFile(), "mway.jpg");
    EXPECT_FALSE(mway.hasTexture());
}
