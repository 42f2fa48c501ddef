// The built-in relief of the landscape's Mesh ground: a ring of low hills
// around the observer, made of four rings of 24 vertices (radii 0.3, 0.35,
// 0.4 and 0.45 around the y axis, vertex j at the angle 180° - 15°·j) whose
// heights vary irregularly within one band per ring, each vertex with a
// smooth unit normal; and below it an inner wall and floor closing the view
// downwards. Plain geometry; the landscape compiles it into a display list.
#pragma once

#include <array>

class ReliefMesh {
public:
    static constexpr int RingCount = 4;
    static constexpr int RingSize = 24;
    static constexpr int VertexCount = RingCount * RingSize;              // 96
    static constexpr int TriangleCount = (RingCount - 1) * RingSize * 2;  // 144
    static constexpr int WallVertexCount = 2 * RingSize;                  // 48
    static constexpr int WallTriangleCount = 2 * RingSize + RingSize - 2; // 70

    static constexpr double ringRadius[RingCount] = {0.3, 0.35, 0.4, 0.45};
    // Height band of each ring, lowest and highest.
    static constexpr double ringBand[RingCount][2] = {
        {0.209, 0.244}, {0.269, 0.315}, {0.292, 0.357}, {0.331, 0.394}};

    struct Point {
        float x, y, z;
    };
    using Triangle = std::array<int, 3>;

    ReliefMesh();

    // The relief: vertex k·24 + j is vertex j of ring k. Triangles wind
    // counter-clockwise seen from above.
    const std::array<Point, VertexCount>& getVertices() const { return vertices_; }
    const std::array<Point, VertexCount>& getNormals() const { return normals_; }
    const std::array<Triangle, TriangleCount>& getTriangles() const { return triangles_; }
    // The wall: ring 0 at height 0, ring 1 at the inner relief ring's
    // heights; the last 22 triangles are the floor at height 0.
    const std::array<Point, WallVertexCount>& getWallVertices() const { return wallVertices_; }
    const std::array<Triangle, WallTriangleCount>& getWallTriangles() const {
        return wallTriangles_;
    }

private:
    std::array<Point, VertexCount> vertices_;
    std::array<Point, VertexCount> normals_;
    std::array<Triangle, TriangleCount> triangles_;
    std::array<Point, WallVertexCount> wallVertices_;
    std::array<Triangle, WallTriangleCount> wallTriangles_;
};
