#include "sky/MilkyWay.h"

#include <GL/glew.h>

#include "engine/CommandArgs.h"
#include "graphics/GlContext.h"
#include "graphics/Texture.h"
#include "sky/MilkyWayMeshData.h"

namespace {

struct LayerMesh {
    const float* vertices;
    const std::uint16_t* triangles;
    int triangleCount;
};

using namespace milkyway_data;

const LayerMesh layers[MilkyWay::LayerCount] = {
    {kLayer0Vertices, kLayer0Triangles, kLayer0TriangleCount},
    {kLayer1Vertices, kLayer1Triangles, kLayer1TriangleCount},
    {kLayer2Vertices, kLayer2Triangles, kLayer2TriangleCount},
    {kLayer3Vertices, kLayer3Triangles, kLayer3TriangleCount},
    {kLayer4Vertices, kLayer4Triangles, kLayer4TriangleCount},
    {kLayer5Vertices, kLayer5Triangles, kLayer5TriangleCount},
    {kLayer6Vertices, kLayer6Triangles, kLayer6TriangleCount},
};

// Lists base + 0 .. base + 6 hold the layers, base + 7 the band.
const int listCount = MilkyWay::LayerCount + 1;

} // namespace

MilkyWay::MilkyWay() = default;

MilkyWay::~MilkyWay() {
    deleteLists();
}

void MilkyWay::deleteLists() {
    if (listBase)
        glDeleteLists(listBase, listCount);
    listBase = 0;
}

void MilkyWay::setDisp(int count, const double c[3]) {
    layerCount = count < 1 ? 1 : count;
    for (int i = 0; i < 3; ++i)
        color[i] = c[i];
}

std::string MilkyWay::getDispText() const {
    return std::to_string(layerCount) + CommandArgs::formatReal(color[0]) +
           CommandArgs::formatReal(color[1]) + CommandArgs::formatReal(color[2]);
}

void MilkyWay::setTexture(const std::string& fileName) {
    textureFile = fileName;
    texture.reset();
    deleteLists();
}

int MilkyWay::getDrawnLayerCount() const {
    return layerCount > LayerCount ? LayerCount : layerCount;
}

Quaternion MilkyWay::polygonRotation() {
    return Quaternion(Vector3(0.0, 0.0, 1.0), -1.2217304763960306); // -70 degrees about z
}

Quaternion MilkyWay::texturedRotation() {
    // Carries the band mesh's -z axis to the galactic centre and its y axis to
    // the south galactic pole.
    return Quaternion(-0.8464846872172498, -0.7504915783575616, -0.7330382858376184);
}

void MilkyWay::buildList() {
    if (!textureFile.empty() && !texture) {
        texture = std::make_unique<Texture>();
        if (!texture->load(textureFile, 0))
            texture.reset();
    }
    if (!glContextIsCurrent())
        return;
    if (!listBase)
        listBase = glGenLists(listCount);
    // The arrays are read while the lists are compiled; the client state is
    // not part of a list.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (int i = 0; i < LayerCount; ++i) {
        glNewList(listBase + i, GL_COMPILE);
        glVertexPointer(3, GL_FLOAT, 0, layers[i].vertices);
        glDrawElements(GL_TRIANGLES, layers[i].triangleCount * 3, GL_UNSIGNED_SHORT,
                       layers[i].triangles);
        glEndList();
    }
    glPopClientAttrib();

    if (texture) {
        texture->enable();
        texture->setEnvMode(GL_MODULATE);
        texture->setWrap(GL_REPEAT, GL_REPEAT);
        texture->setFilter(GL_LINEAR, GL_LINEAR);
        texture->disable();
        glNewList(listBase + LayerCount, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (int t = 0; t < kBandTriangleCount; ++t) {
            const std::int32_t* corner = &kBandTriangles[t * 9];
            for (int c = 0; c < 3; ++c) {
                glNormal3fv(&kBandNormals[corner[3 + c] * 3]);
                const float* uv = &kBandTexCoords[corner[6 + c] * 2];
                glTexCoord2f(uv[0], 1.0f - uv[1]);
                glVertex3fv(&kBandVertices[corner[c] * 3]);
            }
        }
        glEnd();
        glEndList();
    }
}

void MilkyWay::draw() {
    if (!shown)
        return;
    if (!listBase)
        buildList();
    if (!listBase)
        return;
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
    // The eye is inside the sphere of the band: no face of it may be culled,
    // whichever way its triangles wind.
    glDisable(GL_CULL_FACE);
    if (style == Polygon || !texture) {
        rotation = polygonRotation();
        // The layers sit inside the grid sphere: they must not hide it or the stars.
        glDepthMask(GL_FALSE);
        rotation.glRotate();
        const int count = getDrawnLayerCount();
        for (int i = count - 1; i >= 0; --i) {
            const double share = double(count - i) / count;
            glColor3d(color[0] * share, color[1] * share, color[2] * share);
            glCallList(listBase + i);
        }
        glDepthMask(GL_TRUE);
    } else {
        rotation = texturedRotation();
        rotation.glRotate();
        glEnable(GL_TEXTURE_2D);
        texture->enable();
        texture->setEnvMode(GL_MODULATE);
        texture->setWrap(GL_REPEAT, GL_REPEAT);
        texture->setFilter(GL_LINEAR, GL_LINEAR);
        glColor3d(3.0 * color[0], 3.0 * color[1], 3.0 * color[2]);
        glCallList(listBase + LayerCount);
        texture->disable();
        glDisable(GL_TEXTURE_2D);
    }
    glPopAttrib();
    glPopMatrix();
}
