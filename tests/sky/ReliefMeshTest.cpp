// The relief of the Mesh ground stays within its bands and is smooth.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/Vector3.h"
#include "sky/ReliefMesh.h"

TEST(ReliefMesh, RingsLieWithinTheirBandsWithUnitNormalsFacingUp) {
    const ReliefMesh mesh;
    for (int k = 0; k < ReliefMesh::RingCount; ++k)
        for (int j = 0; j < ReliefMesh::RingSize; ++j) {
            const ReliefMesh::Point& p = mesh.getVertices()[k * ReliefMesh::RingSize + j];
            const ReliefMesh::Point& n = mesh.getNormals()[k * ReliefMesh::RingSize + j];
            EXPECT_NEAR(std::hypot(p.x, p.z), ReliefMesh::ringRadius[k], 1e-6);
            // Vertex j at 180° - 15°·j: vertex 0 on -x, vertex 6 on +z.
            EXPECT_NEAR(std::atan2(p.z, p.x) * 180.0 / M_PI,
                        std::remainder(180.0 - 15.0 * j, 360.0), 1e-4)
                << k << " " << j;
            EXPECT_GE(p.y, ReliefMesh::ringBand[k][0] - 1e-6);
            EXPECT_LE(p.y, ReliefMesh::ringBand[k][1] + 1e-6);
            EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0, 1e-5);
            EXPECT_GT(n.y, 0.5);
        }
}

TEST(ReliefMesh, TrianglesCoverEachSegmentOnce) {
    const ReliefMesh mesh;
    std::set<std::set<int>> seen;
    for (const ReliefMesh::Triangle& t : mesh.getTriangles()) {
        const auto& v = mesh.getVertices();
        const double ux = v[t[1]].x - v[t[0]].x, uz = v[t[1]].z - v[t[0]].z;
        const double wx = v[t[2]].x - v[t[0]].x, wz = v[t[2]].z - v[t[0]].z;
        EXPECT_LT(ux * wz - uz * wx, 0.0); // counter-clockwise seen from above (+y)
        EXPECT_TRUE(seen.insert({t[0], t[1], t[2]}).second);
    }
    EXPECT_EQ(seen.size(), 144u);
    for (const ReliefMesh::Triangle& t : mesh.getWallTriangles())
        for (int corner : t) {
            EXPECT_GE(corner, 0);
            EXPECT_LT(corner, ReliefMesh::WallVertexCount);
        }
    for (int j = 0; j < ReliefMesh::RingSize; ++j) {
        EXPECT_EQ(mesh.getWallVertices()[j].y, 0.0f);
        EXPECT_EQ(mesh.getWallVertices()[ReliefMesh::RingSize + j].y, mesh.getVertices()[j].y);
    }
}

// The eye stands on the axis above the floor: the wall and the floor must
// turn their front faces to it, or back-face culling opens them to the sky.
TEST(ReliefMesh, WallAndFloorFaceTheEye) {
    const ReliefMesh mesh;
    const Vector3 eye(0.0, 0.34, 0.0);
    for (const ReliefMesh::Triangle& t : mesh.getWallTriangles()) {
        const auto& p = mesh.getWallVertices();
        const Vector3 a(p[t[0]].x, p[t[0]].y, p[t[0]].z);
        const Vector3 b(p[t[1]].x, p[t[1]].y, p[t[1]].z);
        const Vector3 c(p[t[2]].x, p[t[2]].y, p[t[2]].z);
        EXPECT_GT((b - a).cross(c - a).dot(eye - a), 0.0);
    }
}
