#include <GL/gl.h>

#include "engine/LogMessage.h"
#include "model/GlmModel.h"

namespace {

// The mode without the parts the model has no data for, each dropped with
// its warning.
int usableMode(const GlmModel& model, int mode) {
    if ((mode & GLM_FLAT) && model.numfacetnorms() < 1) {
        logMessage("glmDraw() warning: flat render mode requested with no facet normals "
                   "defined.");
        mode &= ~GLM_FLAT;
    }
    if ((mode & GLM_SMOOTH) && model.numnormals() < 1) {
        logMessage("glmDraw() warning: smooth render mode requested with no normals defined.");
        mode &= ~GLM_SMOOTH;
    }
    if ((mode & GLM_TEXTURE) && model.numtexcoords() < 1) {
        logMessage("glmDraw() warning: texture render mode requested with no texture "
                   "coordinates defined.");
        mode &= ~GLM_TEXTURE;
    }
    if ((mode & GLM_FLAT) && (mode & GLM_SMOOTH)) {
        logMessage("glmDraw() warning: flat render mode requested and smooth render mode "
                   "requested (using smooth).");
        mode &= ~GLM_FLAT;
    }
    if ((mode & GLM_COLOR) && model.materials.empty()) {
        logMessage("glmDraw() warning: color render mode requested with no materials defined.");
        mode &= ~GLM_COLOR;
    }
    if ((mode & GLM_MATERIAL) && model.materials.empty()) {
        logMessage("glmDraw() warning: material render mode requested with no materials "
                   "defined.");
        mode &= ~GLM_MATERIAL;
    }
    if ((mode & GLM_COLOR) && (mode & GLM_MATERIAL)) {
        logMessage("glmDraw() warning: color and material render mode requested using only "
                   "material mode.");
        mode &= ~GLM_COLOR;
    }
    return mode;
}

} // namespace

void glmDraw(const GlmModel& model, int mode) {
    mode = usableMode(model, mode);
    if (mode & GLM_COLOR)
        glEnable(GL_COLOR_MATERIAL);
    else if (mode & GLM_MATERIAL)
        glDisable(GL_COLOR_MATERIAL);

    // Corners without a normal or texture coordinate of their own (index 0)
    // keep the last one given.
    for (const GlmGroup& group : model.groups) {
        static const GlmMaterial fallback;
        const GlmMaterial& material = size_t(group.material) < model.materials.size()
                                          ? model.materials[size_t(group.material)]
                                          : fallback;
        if (mode & GLM_MATERIAL) {
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambient);
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffuse);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.specular);
            glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.shininess);
        }
        if (mode & GLM_COLOR)
            glColor3fv(material.diffuse);
        glBegin(GL_TRIANGLES);
        for (int index : group.triangles) {
            const GlmTriangle& tri = model.triangles[size_t(index)];
            if (mode & GLM_FLAT)
                glNormal3fv(&model.facetnorms[3 * size_t(tri.findex)]);
            for (int c = 0; c < 3; ++c) {
                if ((mode & GLM_SMOOTH) && tri.nindices[c])
                    glNormal3fv(&model.normals[3 * size_t(tri.nindices[c])]);
                if ((mode & GLM_TEXTURE) && tri.tindices[c])
                    glTexCoord2fv(&model.texcoords[2 * size_t(tri.tindices[c])]);
                glVertex3fv(&model.vertices[3 * size_t(tri.vindices[c])]);
            }
        }
        glEnd();
    }
}
