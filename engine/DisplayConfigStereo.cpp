// The GL side of the display settings: checking the context and selecting the
// buffer of each eye.
#include <GL/glew.h>

#include "engine/DisplayConfig.h"

namespace {

// Polygon stipple with every even window row set and every odd row clear.
struct RowPattern {
    GLubyte bytes[128];
    RowPattern() {
        for (int row = 0; row < 32; ++row)
            for (int column = 0; column < 4; ++column)
                bytes[row * 4 + column] = DisplayConfig::isLeftEyeRow(row) ? 0xFF : 0x00;
    }
};

} // namespace

bool DisplayConfig::checkContext() {
    GLboolean stereo = GL_FALSE;
    GLint depthBits = 0;
    GLint stencilBits = 0;
    glGetBooleanv(GL_STEREO, &stereo);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    contextChecked_ = true;
    maskWidth_ = maskHeight_ = 0; // a new context starts with an empty stencil buffer
    return acceptContext(stereo == GL_TRUE, depthBits, stencilBits);
}

void DisplayConfig::beginLeftEye() {
    beginEye(true);
}

void DisplayConfig::beginRightEye() {
    beginEye(false);
}

void DisplayConfig::beginEye(bool left) {
    // A view that never checked its context must not draw into buffers it
    // does not have.
    if (!contextChecked_ && stereoMode_ != Mono)
        checkContext();
    if (stereoMode_ == QuadBuffer) {
        glDrawBuffer(left ? GL_BACK_LEFT : GL_BACK_RIGHT);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else if (stereoMode_ == Stencil) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        if (viewport[2] != maskWidth_ || viewport[3] != maskHeight_)
            drawStencilMask(viewport[2], viewport[3]);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(left ? GL_EQUAL : GL_NOTEQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    }
}

void DisplayConfig::endStereo() {
    if (stereoMode_ == QuadBuffer)
        glDrawBuffer(GL_BACK);
    else if (stereoMode_ == Stencil)
        glDisable(GL_STENCIL_TEST);
}

void DisplayConfig::drawStencilMask(int width, int height) {
    static const RowPattern pattern;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT |
                 GL_POLYGON_STIPPLE_BIT | GL_STENCIL_BUFFER_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);

    glStencilMask(0xFF);
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    // The stipple is aligned to window rows, which is exactly the interleave.
    glEnable(GL_POLYGON_STIPPLE);
    glPolygonStipple(pattern.bytes);
    glRectf(0.0f, 0.0f, 1.0f, 1.0f);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib(); // also restores the matrix mode
    maskWidth_ = width;
    maskHeight_ = height;
}
