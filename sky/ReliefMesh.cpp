#include "sky/ReliefMesh.h"

#include <cmath>

#include "engine/Vector3.h"

namespace {

// Heights of the relief, ring by ring from the inside out, each within its
// ring's band (a few overlapping waves, sampled once and kept fixed so the
// hills look the same everywhere).
constexpr float heights[ReliefMesh::RingCount][ReliefMesh::RingSize] = {
    {0.234f, 0.239f, 0.228f, 0.231f, 0.231f, 0.230f, 0.230f, 0.214f,
     0.214f, 0.224f, 0.224f, 0.229f, 0.225f, 0.226f, 0.241f, 0.236f,
     0.231f, 0.224f, 0.217f, 0.227f, 0.224f, 0.215f, 0.220f, 0.222f},
    {0.310f, 0.294f, 0.296f, 0.298f, 0.295f, 0.294f, 0.275f, 0.275f,
     0.290f, 0.290f, 0.296f, 0.292f, 0.292f, 0.311f, 0.305f, 0.295f,
     0.288f, 0.279f, 0.291f, 0.289f, 0.277f, 0.285f, 0.289f, 0.303f},
    {0.327f, 0.327f, 0.332f, 0.325f, 0.325f, 0.301f, 0.299f, 0.323f,
     0.325f, 0.332f, 0.328f, 0.325f, 0.350f, 0.343f, 0.325f, 0.317f,
     0.304f, 0.320f, 0.323f, 0.305f, 0.316f, 0.324f, 0.340f, 0.352f},
    {0.361f, 0.369f, 0.361f, 0.361f, 0.341f, 0.337f, 0.363f, 0.366f,
     0.370f, 0.369f, 0.363f, 0.385f, 0.380f, 0.359f, 0.354f, 0.342f,
     0.356f, 0.363f, 0.345f, 0.355f, 0.366f, 0.378f, 0.390f, 0.365f},
};

constexpr double degree = 0.017453292519943295;

ReliefMesh::Point ringPoint(int ring, int j, float height) {
    const double angle = (180.0 - 15.0 * j) * degree;
    const double r = ReliefMesh::ringRadius[ring];
    return {float(r * std::cos(angle)), height, float(r * std::sin(angle))};
}

Vector3 toVector(const ReliefMesh::Point& p) {
    return Vector3(p.x, p.y, p.z);
}

// The normal of a triangle, scaled by twice its area.
Vector3 faceNormal(const ReliefMesh::Point& a, const ReliefMesh::Point& b,
                   const ReliefMesh::Point& c) {
    return (toVector(b) - toVector(a)).cross(toVector(c) - toVector(a));
}

// Orders a triangle so that its face normal points up.
ReliefMesh::Triangle upward(const ReliefMesh::Point* points, int a, int b, int c) {
    if (faceNormal(points[a], points[b], points[c]).y < 0.0)
        return {a, c, b};
    return {a, b, c};
}

// Orders a wall triangle so that its face normal points to the axis, where
// the eye stands: the culled back faces are then the ones seen from outside.
ReliefMesh::Triangle inward(const ReliefMesh::Point* points, int a, int b, int c) {
    const Vector3 n = faceNormal(points[a], points[b], points[c]);
    const Vector3 centre = toVector(points[a]) + toVector(points[b]) + toVector(points[c]);
    if (n.x * centre.x + n.z * centre.z > 0.0)
        return {a, c, b};
    return {a, b, c};
}

} // namespace

ReliefMesh::ReliefMesh() {
    const int n = RingSize;
    for (int k = 0; k < RingCount; ++k)
        for (int j = 0; j < n; ++j)
            vertices_[k * n + j] = ringPoint(k, j, heights[k][j]);

    int t = 0;
    for (int k = 0; k + 1 < RingCount; ++k)
        for (int j = 0; j < n; ++j) {
            const int a = k * n + j;
            const int b = k * n + (j + 1) % n;
            const int c = (k + 1) * n + j;
            const int d = (k + 1) * n + (j + 1) % n;
            triangles_[t++] = upward(vertices_.data(), a, c, b);
            triangles_[t++] = upward(vertices_.data(), b, c, d);
        }

    // Smooth normals: each corner takes the area-weighted mean of the faces
    // around its vertex.
    std::array<Vector3, VertexCount> sums;
    for (const Triangle& tri : triangles_) {
        const Vector3 f = faceNormal(vertices_[tri[0]], vertices_[tri[1]], vertices_[tri[2]]);
        for (int corner : tri)
            sums[corner] += f;
    }
    for (int i = 0; i < VertexCount; ++i) {
        sums[i].normalize();
        normals_[i] = {float(sums[i].x), float(sums[i].y), float(sums[i].z)};
    }

    for (int j = 0; j < n; ++j) {
        wallVertices_[j] = ringPoint(0, j, 0.0f);
        wallVertices_[n + j] = vertices_[j];
    }
    t = 0;
    for (int j = 0; j < n; ++j) {
        const int next = (j + 1) % n;
        wallTriangles_[t++] = inward(wallVertices_.data(), j, next, n + j);
        wallTriangles_[t++] = inward(wallVertices_.data(), next, n + next, n + j);
    }
    for (int j = 1; j + 1 < n; ++j)
        wallTriangles_[t++] = upward(wallVertices_.data(), 0, j, j + 1);
}
