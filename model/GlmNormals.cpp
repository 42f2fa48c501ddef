#include <cmath>
#include <vector>

#include "model/GlmModel.h"

namespace {

struct V3 {
    float x, y, z;
};

V3 at(const std::vector<float>& array, int index) {
    const size_t i = size_t(index) * 3;
    return {array[i], array[i + 1], array[i + 2]};
}

float dot(const V3& a, const V3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

bool isZero(const V3& v) {
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

// The unit vector, or (0, 0, 0) for one without length.
V3 normalized(const V3& v) {
    const float length = std::sqrt(dot(v, v));
    if (!(length > 0.0f) || !std::isfinite(length))
        return {0.0f, 0.0f, 0.0f};
    return {v.x / length, v.y / length, v.z / length};
}

int appendNormal(GlmModel& model, const V3& n) {
    model.normals.insert(model.normals.end(), {n.x, n.y, n.z});
    return model.numnormals();
}

} // namespace

void glmFacetNormals(GlmModel& model) {
    model.facetnorms.assign(3, 0.0f);
    for (size_t i = 0; i < model.triangles.size(); ++i) {
        GlmTriangle& tri = model.triangles[i];
        const V3 p0 = at(model.vertices, tri.vindices[0]);
        const V3 p1 = at(model.vertices, tri.vindices[1]);
        const V3 p2 = at(model.vertices, tri.vindices[2]);
        const V3 u{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
        const V3 v{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
        const V3 n =
            normalized({u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x});
        model.facetnorms.insert(model.facetnorms.end(), {n.x, n.y, n.z});
        tri.findex = int(i) + 1;
    }
}

void glmVertexNormals(GlmModel& model, float angle) {
    const float cosAngle = std::cos(angle * 3.1415927f / 180.0f);
    model.normals.assign(3, 0.0f);
    model.normals.reserve(3 * (3 * model.triangles.size() + 1));

    // The triangles at each vertex, with the corner the vertex is.
    struct Use {
        int triangle;
        int corner;
    };
    std::vector<std::vector<Use>> uses(size_t(model.numvertices()) + 1);
    for (size_t i = 0; i < model.triangles.size(); ++i) {
        for (int c = 0; c < 3; ++c)
            uses[size_t(model.triangles[i].vindices[c])].push_back({int(i), c});
    }

    for (const std::vector<Use>& list : uses) {
        if (list.empty())
            continue; // unused vertices (and entry 0) need no normal
        // Faces are compared with the first face at the vertex that has an
        // area; a triangle without one has no direction of its own.
        V3 reference{0.0f, 0.0f, 0.0f};
        for (const Use& use : list) {
            reference = at(model.facetnorms, model.triangles[size_t(use.triangle)].findex);
            if (!isZero(reference))
                break;
        }
        V3 sum{0.0f, 0.0f, 0.0f};
        std::vector<bool> smooth(list.size(), false);
        for (size_t k = 0; k < list.size(); ++k) {
            const V3 facet = at(model.facetnorms, model.triangles[size_t(list[k].triangle)].findex);
            if (!isZero(facet) && dot(facet, reference) > cosAngle) {
                smooth[k] = true;
                sum = {sum.x + facet.x, sum.y + facet.y, sum.z + facet.z};
            }
        }
        // Only vertices of triangles without area have no reference: any unit
        // normal does, since nothing of them is seen.
        V3 average = isZero(reference) ? V3{0.0f, 0.0f, 1.0f} : normalized(sum);
        if (isZero(average))
            average = reference;
        int shared = 0;
        for (size_t k = 0; k < list.size(); ++k) {
            GlmTriangle& tri = model.triangles[size_t(list[k].triangle)];
            const V3 facet = at(model.facetnorms, tri.findex);
            if (smooth[k] || isZero(facet)) {
                if (!shared)
                    shared = appendNormal(model, average);
                tri.nindices[list[k].corner] = shared;
            } else {
                tri.nindices[list[k].corner] = appendNormal(model, facet);
            }
        }
    }
}
