// Drawing tests on the screen of a test context: the GL state the root sets
// up for every drawing class, a perspective view onto a scene, the window
// position of a point of the current frame, and the whole picture read back.
#pragma once

#include <GL/glew.h>

#include <GL/glu.h>
#include <vector>

#include "engine/Vector3.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"

namespace orvextest {

// The root's start-up state (back faces culled, its blending, alpha test,
// light and colour material) with the depth test on, as each frame turns it
// on for the bodies.
inline void applyProgramGlState() {
    useProgramGlState();
    glEnable(GL_DEPTH_TEST);
}

// A perspective of the given field of view over the whole context, the
// modelview left for the caller to place the scene.
inline void perspectiveView(const GlTestContext& gl, double fovy) {
    glViewport(0, 0, gl.width(), gl.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, double(gl.width()) / gl.height(), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The window position (pixels, depth 0..1) of a point of the current frame.
inline Vector3 windowOf(const Vector3& p) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Vector3 w;
    gluProject(p.x, p.y, p.z, model, projection, viewport, &w.x, &w.y, &w.z);
    return w;
}

// Every pixel (RGB), rows bottom first.
inline std::vector<unsigned> readAllPixels(const GlTestContext& gl) {
    glFinish();
    std::vector<unsigned> all;
    for (int y = 0; y < gl.height(); ++y) {
        for (int x = 0; x < gl.width(); ++x)
            all.push_back(gl.readPixel(x, y));
    }
    return all;
}

} // namespace orvextest
