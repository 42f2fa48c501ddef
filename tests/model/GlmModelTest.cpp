// The OBJ and MTL reader: shapes, index forms, materials, normals and
// malformed input.
#include "model/GlmModel.h"

#include <cmath>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "model/ObjModel.h"
#include "support/TestEnv.h"

namespace {

class GlmModelTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::unique_ptr<GlmModel> read(const std::string& text) {
        return glmReadOBJ(write("model.obj", text));
    }
    static std::vector<int> corners(const GlmModel& model, int triangle) {
        const GlmTriangle& t = model.triangles[size_t(triangle)];
        return {t.vindices[0], t.vindices[1], t.vindices[2]};
    }
    static const GlmGroup* group(const GlmModel& model, const std::string& name) {
        for (const GlmGroup& g : model.groups) {
            if (g.name == name)
                return &g;
        }
        return nullptr;
    }
    static bool finite(const std::vector<float>& values) {
        for (float v : values) {
            if (!std::isfinite(v))
                return false;
        }
        return true;
    }

    orvextest::TempDir dir;
    LogCapture log;
};

const char* const square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

} // namespace

TEST_F(GlmModelTest, QuadsBecomeFansInTheDefaultGroup) {
    auto model = read(std::string(square) + "f 1 2 3 4\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->numtriangles(), 2);
    EXPECT_EQ(corners(*model, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(corners(*model, 1), (std::vector<int>{1, 3, 4}));
    ASSERT_EQ(model->numgroups(), 1);
    EXPECT_EQ(model->groups[0].name, "default");
    EXPECT_EQ(model->groups[0].triangles, (std::vector<int>{0, 1}));
    EXPECT_EQ(model->nummaterials(), 1);
    EXPECT_EQ(model->materials[0].name, "default");
}

TEST_F(GlmModelTest, CornerFormsSetTheirIndices) {
    auto model = read(std::string(square) + "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\n"
                                            "f 1/1/1 2/2/1 3/3/1\n"
                                            "f 1//1 3//1 4//1\n"
                                            "f 2/1 3/2 4/3\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->numtriangles(), 3);
    const GlmTriangle& full = model->triangles[0];
    EXPECT_EQ(full.tindices[2], 3);
    EXPECT_EQ(full.nindices[1], 1);
    const GlmTriangle& normalOnly = model->triangles[1];
    EXPECT_EQ(normalOnly.nindices[0], 1);
    EXPECT_EQ(normalOnly.tindices[0], 0);
    const GlmTriangle& textureOnly = model->triangles[2];
    EXPECT_EQ(textureOnly.tindices[1], 2);
    EXPECT_EQ(textureOnly.nindices[1], 0);
    EXPECT_EQ(model->numtexcoords(), 3);
    EXPECT_EQ(model->numnormals(), 1);
}

TEST_F(GlmModelTest, RelativeIndicesCountBackFromTheLastElementRead) {
    auto model = read("v 0 0 0\nv 1 0 0\nv 1 1 0\n"
                      "vn 0 0 1\n"
                      "f -3//-1 -2//-1 -1//-1\n"
                      "v 0 1 0\nv 2 2 0\n"
                      "f -4 -2 -1\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->numtriangles(), 2);
    EXPECT_EQ(corners(*model, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(model->triangles[0].nindices[2], 1);
    EXPECT_EQ(corners(*model, 1), (std::vector<int>{2, 4, 5}));
}

TEST_F(GlmModelTest, FacesOutsideTheArraysAreDropped) {
    auto model = read(std::string(square) + "f 1 2 3\n"
                                            "f 1 2 9\n"       // past the last vertex
                                            "f -5 1 2\n"      // before the first
                                            "f 0 1 2\n"       // no vertex 0
                                            "f 1/4 2/1 3/1\n" // no texture coordinates at all
                                            "f 1 2 3 4 99\n"  // the whole fan goes
                                            "f 1 2\n"
                                            "f a b c\n"
                                            "f 1/1/1/1 2 3\n"
                                            "f 99999999999999999999 1 2\n"
                                            "f 2 3 4\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->numtriangles(), 2);
    EXPECT_EQ(corners(*model, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(corners(*model, 1), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(model->groups[0].triangles, (std::vector<int>{0, 1}));
    EXPECT_TRUE(log.contains("face dropped"));
    EXPECT_TRUE(log.contains("are dropped"));
}

TEST_F(GlmModelTest, IndicesMayReferToVerticesReadLater) {
    auto model = read("f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->numtriangles(), 1);
}

TEST_F(GlmModelTest, GroupsAndMaterialsOfTheCube) {
    auto model = glmReadOBJ(orvextest::dataPath("objects/cube.obj"));
    ASSERT_TRUE(model);
    EXPECT_EQ(model->mtllibname, "cube.mtl");
    EXPECT_EQ(model->numvertices(), 8);
    EXPECT_EQ(model->numtriangles(), 12);
    ASSERT_EQ(model->nummaterials(), 3);
    const GlmMaterial& grey = model->materials[1];
    EXPECT_EQ(grey.name, "grey");
    EXPECT_FLOAT_EQ(grey.shininess, 64.0f);
    EXPECT_FLOAT_EQ(grey.diffuse[0], 0.5f);
    EXPECT_FLOAT_EQ(grey.specular[1], 0.9f);
    EXPECT_FLOAT_EQ(grey.ambient[2], 0.1f);
    EXPECT_FLOAT_EQ(grey.diffuse[3], 1.0f);
    const GlmMaterial& gold = model->materials[2];
    EXPECT_FLOAT_EQ(gold.shininess, 65.0f);
    EXPECT_FLOAT_EQ(gold.diffuse[1], 0.8f);
    EXPECT_FLOAT_EQ(gold.emissive[0], 0.0f);
    ASSERT_TRUE(group(*model, "sides"));
    EXPECT_EQ(group(*model, "sides")->triangles.size(), 8u);
    EXPECT_EQ(group(*model, "sides")->material, 2);
    EXPECT_EQ(group(*model, "bottom")->material, 1);
    EXPECT_EQ(group(*model, "top")->material, 1);
    EXPECT_TRUE(log.messages().empty()) << log.messages().front();
}

TEST_F(GlmModelTest, MaterialStatementsAreMatchedWholly) {
    write("m.mtl", "Ns 1000\n" // before any material: goes nowhere
                   "newmtl a\nNs 2000\nNsx 10\nKdx 0 0 0\n"
                   "newmtlb\n"
                   "newmtl  spaced name \nKd 0.25 0.5\n");
    auto model = read(std::string(square) + "mtllib m.mtl\nusemtl spaced name\nf 1 2 3\n"
                                            "usemtl nothing\nf 1 3 4\n");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->nummaterials(), 3);
    EXPECT_EQ(model->materials[1].name, "a");
    EXPECT_FLOAT_EQ(model->materials[1].shininess, 128.0f); // clamped to GL's range
    EXPECT_FLOAT_EQ(model->materials[1].diffuse[0], 0.8f);
    EXPECT_EQ(model->materials[2].name, "spaced name");
    EXPECT_FLOAT_EQ(model->materials[2].diffuse[1], 0.5f);
    EXPECT_FLOAT_EQ(model->materials[2].diffuse[2], 0.0f);
    EXPECT_TRUE(log.contains("bad colour"));
    // A material change inside a group continues it with the new material.
    ASSERT_EQ(model->numgroups(), 2);
    EXPECT_EQ(model->groups[0].material, 0);
    EXPECT_EQ(model->groups[0].triangles, (std::vector<int>{1}));
    EXPECT_EQ(model->groups[1].material, 2);
    EXPECT_EQ(model->groups[1].triangles, (std::vector<int>{0}));
    EXPECT_TRUE(log.contains("can't find material \"nothing\""));
}

TEST_F(GlmModelTest, MissingFilesAreReportedAndNeverEndTheProgram) {
    EXPECT_FALSE(glmReadOBJ(dir.file("absent.obj")));
    EXPECT_TRUE(log.contains("absent.obj\". No such file or directory."));
    auto model = read(std::string(square) + "mtllib absent.mtl\nusemtl x\nf 1 2 3\n");
    ASSERT_TRUE(model);
    EXPECT_TRUE(log.contains("absent.mtl\". No such file or directory."));
    EXPECT_EQ(model->nummaterials(), 1);
    EXPECT_EQ(model->numtriangles(), 1);

    ObjModel obj;
    EXPECT_FALSE(obj.load(dir.file("absent.obj")));
    EXPECT_FALSE(obj.isLoaded());
    obj.draw(); // nothing to draw, no GL call
    EXPECT_FALSE(obj.load(write("empty.obj", "# nothing\nv 1 2 3\n")));
    EXPECT_TRUE(log.contains("holds no face"));
}

TEST_F(GlmModelTest, UnknownAndMalformedLinesAreSkipped) {
    auto model = read("vp 0.5 0.5\nvp 1 1\ncstype bezier\n"
                      "o thing\ns 1\nl 1 2\n"
                      "v 0 0 0\r\nv 1 x 0\r\nv 0 1\r\n\r\n   \n"
                      "vt 0.5\n"
                      "g\n"
                      "f 1 2 3\r\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->numvertices(), 3);
    EXPECT_EQ(model->numtexcoords(), 1);
    ASSERT_EQ(model->numtriangles(), 1);
    EXPECT_EQ(model->groups[0].triangles.size(), 1u); // "g" alone is the default group
    EXPECT_FLOAT_EQ(model->vertices[3 * 2 + 1], 0.0f);
    EXPECT_TRUE(log.contains("unknown token \"vp\""));
    EXPECT_TRUE(log.contains("unknown token \"cstype\""));
    EXPECT_TRUE(log.contains("bad vertex"));
    int vpMessages = 0;
    for (const std::string& m : log.messages())
        vpMessages += m.find("\"vp\"") != std::string::npos;
    EXPECT_EQ(vpMessages, 1);
}

TEST_F(GlmModelTest, NormalsSmoothFlatFacesAndKeepSharpEdges) {
    // Two coplanar triangles and one folded up at 90 degrees along x = 1.
    auto model = read("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 1 0 1\nv 1 1 1\n"
                      "f 1 2 3\nf 1 3 4\nf 2 5 6 3\n");
    ASSERT_TRUE(model);
    glmFacetNormals(*model);
    EXPECT_EQ(model->numfacetnorms(), 4);
    EXPECT_FLOAT_EQ(model->facetnorms[3 * 1 + 2], 1.0f);
    glmVertexNormals(*model, 89.5f);
    const GlmTriangle& first = model->triangles[0];
    const GlmTriangle& second = model->triangles[1];
    const GlmTriangle& fold = model->triangles[2];
    // Vertex 1 and vertex 3 are shared by the coplanar pair.
    EXPECT_EQ(first.nindices[0], second.nindices[0]);
    EXPECT_EQ(first.nindices[2], second.nindices[1]);
    // Vertex 2 is shared with the fold but keeps separate normals.
    EXPECT_NE(first.nindices[1], fold.nindices[0]);
    const float* n = &model->normals[3 * size_t(fold.nindices[0])];
    EXPECT_NEAR(std::fabs(n[0]), 1.0f, 1e-6f);
    // A smoothing angle above 90 degrees joins them.
    glmVertexNormals(*model, 120.0f);
    EXPECT_EQ(model->triangles[0].nindices[1], model->triangles[2].nindices[0]);
}

TEST_F(GlmModelTest, TrianglesWithoutAreaGetFiniteNormals) {
    auto model = read("v 0 0 0\nv 1 0 0\nv 2 0 0\nv 0 1 0\n"
                      "f 1 2 3\n" // on a line
                      "f 1 1 1\n" // a point
                      "f 1 2 4\n");
    ASSERT_TRUE(model);
    glmFacetNormals(*model);
    glmVertexNormals(*model, 89.5f);
    EXPECT_TRUE(finite(model->facetnorms));
    EXPECT_TRUE(finite(model->normals));
    for (const GlmTriangle& t : model->triangles) {
        for (int c = 0; c < 3; ++c) {
            const float* n = &model->normals[3 * size_t(t.nindices[c])];
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-5f);
        }
    }
}

TEST_F(GlmModelTest, RandomBytesNeverCrashTheReader) {
    std::mt19937 random(8);
    const std::string alphabet = "vfgtn/-0123456789 .\n#usemtlib\r\t";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = int(random() % 400);
        for (int i = 0; i < length; ++i)
            text.push_back(round % 2 ? char(random() % 256) : alphabet[random() % alphabet.size()]);
        auto model = read(text);
        ASSERT_TRUE(model);
        glmFacetNormals(*model);
        glmVertexNormals(*model, 89.5f);
        for (const GlmTriangle& t : model->triangles) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_GE(t.vindices[c], 1);
                ASSERT_LE(t.vindices[c], model->numvertices());
            }
        }
    }
}
