// The model a spacecraft is drawn with: one OBJ file, compiled into a GL
// display list on its first draw and drawn from that list afterwards.
#pragma once

#include <memory>
#include <string>

#include "model/GlmModel.h"

class ObjModel {
public:
    ObjModel();
    // Releases no GL list: the owner calls releaseList while its context is
    // current.
    ~ObjModel();
    ObjModel(const ObjModel&) = delete;
    ObjModel& operator=(const ObjModel&) = delete;

    // Reads the file (relative to the current directory) with smooth vertex
    // normals. False, and no model, when it cannot be read or holds no face;
    // the list of an earlier model is released.
    bool load(const std::string& path);
    bool isLoaded() const { return model_ != nullptr; }
    const GlmModel* getModel() const { return model_.get(); }

    // Builds the display list anew. Needs a current GL context.
    void compile();
    // Calls the list, compiling it first when there is none; nothing without
    // a model.
    void draw();
    // Deletes the list when there is one.
    void releaseList();
    unsigned getList() const { return list_; }

private:
    std::unique_ptr<GlmModel> model_;
    unsigned list_ = 0;
};
