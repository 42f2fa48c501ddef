#include "model/ObjModel.h"

#include <GL/gl.h>

#include "engine/LogMessage.h"

ObjModel::ObjModel() = default;

ObjModel::~ObjModel() = default;

bool ObjModel::load(const std::string& path) {
    releaseList();
    model_ = glmReadOBJ(path);
    if (model_ && model_->triangles.empty()) {
        logMessage("Model %s holds no face.", path.c_str());
        model_.reset();
    }
    if (!model_)
        return false;
    glmFacetNormals(*model_);
    glmVertexNormals(*model_, 89.5f);
    return true;
}

void ObjModel::compile() {
    if (!model_)
        return;
    releaseList();
    list_ = glGenLists(1);
    if (!list_)
        return;
    glNewList(list_, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
    glmDraw(*model_, GLM_SMOOTH | GLM_MATERIAL);
    glPopAttrib();
    glEndList();
}

void ObjModel::draw() {
    if (!model_)
        return;
    if (!list_)
        compile();
    if (list_)
        glCallList(list_);
}

void ObjModel::releaseList() {
    if (list_ && glIsList(list_))
        glDeleteLists(list_, 1);
    list_ = 0;
}
