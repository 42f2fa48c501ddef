// A polygon model read from a Wavefront OBJ file with its MTL material
// libraries: the shapes that spacecraft are drawn with.
//
// Vertices, normals and texture coordinates are numbered from 1 in file order,
// as faces refer to them (entry 0 of each array holds nothing). Faces are cut
// into triangle fans; each group gathers the triangles drawn with one material.
// Reading never ends the program: a file that cannot be opened gives no model,
// a material library that cannot be opened gives no materials, and lines that
// make no sense are reported and skipped.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct GlmTriangle {
    // Indices as the face names them after resolving relative ones; 0 means
    // none (a corner without normal or texture coordinate).
    int vindices[3] = {0, 0, 0};
    int nindices[3] = {0, 0, 0};
    int tindices[3] = {0, 0, 0};
    // The triangle's facet normal, numbered from 1.
    int findex = 0;
};

struct GlmMaterial {
    std::string name;
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emissive[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // GL's specular exponent, 0 to 128.
    float shininess = 65.0f;
};

struct GlmGroup {
    std::string name;
    // Indices into the model's triangles.
    std::vector<int> triangles;
    int material = 0;
};

struct GlmModel {
    std::string pathname;
    // The first material library the file names ("" when none).
    std::string mtllibname;
    // Three floats per vertex, normal or facet normal and two per texture
    // coordinate, entry 0 unused.
    std::vector<float> vertices{0.0f, 0.0f, 0.0f};
    std::vector<float> normals{0.0f, 0.0f, 0.0f};
    std::vector<float> texcoords{0.0f, 0.0f};
    std::vector<float> facetnorms{0.0f, 0.0f, 0.0f};
    std::vector<GlmTriangle> triangles;
    // Entry 0 is "default", the material of faces that name none.
    std::vector<GlmMaterial> materials;
    // "default" first, then the groups in the order the file opens them.
    std::vector<GlmGroup> groups;
    float position[3] = {0.0f, 0.0f, 0.0f};

    int numvertices() const { return int(vertices.size() / 3) - 1; }
    int numnormals() const { return int(normals.size() / 3) - 1; }
    int numtexcoords() const { return int(texcoords.size() / 2) - 1; }
    int numfacetnorms() const { return int(facetnorms.size() / 3) - 1; }
    int numtriangles() const { return int(triangles.size()); }
    int nummaterials() const { return int(materials.size()); }
    int numgroups() const { return int(groups.size()); }
};

// Render-mode bits of glmDraw.
constexpr int GLM_FLAT = 1;
constexpr int GLM_SMOOTH = 2;
constexpr int GLM_TEXTURE = 4;
constexpr int GLM_COLOR = 8;
constexpr int GLM_MATERIAL = 16;

// Reads an OBJ file and the material libraries it names (from the OBJ file's
// directory). Null, with a message, when the file cannot be opened.
std::unique_ptr<GlmModel> glmReadOBJ(const std::string& path);
// Appends the materials of a library at the model's directory; false, with a
// message, when it cannot be opened.
bool glmReadMTL(GlmModel& model, const std::string& name);
// The index of the material of exactly that name; 0 ("default"), with a
// message, when there is none.
int glmFindMaterial(const GlmModel& model, const std::string& name);
// One unit normal per triangle, (0, 0, 0) for a triangle without area.
void glmFacetNormals(GlmModel& model);
// Vertex normals that smooth the faces meeting at a vertex at up to angle
// degrees from the first face there; sharper edges keep separate normals.
// Needs the facet normals. Replaces the normals of the file.
void glmVertexNormals(GlmModel& model, float angle);
// Draws every group as GL triangles with the parts of the mode the model has
// (a mode part without its data is dropped with a message).
void glmDraw(const GlmModel& model, int mode);
