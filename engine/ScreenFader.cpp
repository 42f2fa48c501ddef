#include <GL/glew.h>

#include "engine/ScreenFader.h"
#include "graphics/PixelUnpacking.h"

namespace {

// Even and odd rows of the four patterns, 25 % to 100 % coverage.
constexpr unsigned patternRows[4][2] = {
    {0xAAAAAAAA, 0x00000000},
    {0xAAAAAAAA, 0x55555555},
    {0xFFFFFFFF, 0x55555555},
    {0xFFFFFFFF, 0xFFFFFFFF},
};

} // namespace

ScreenFader::ScreenFader() {
    fadeColor.set(0.0, 0.0, 0.0, 0.0);
}

ScreenFader::~ScreenFader() {
    if (stippleBase != 0)
        glDeleteLists(stippleBase, 4);
}

void ScreenFader::setColor(double r, double g, double b, double a) {
    fadeColor.set(r, g, b, a);
}

void ScreenFader::fadeTo(double r, double g, double b, double a, int frames) {
    const double target[4] = {r, g, b, a};
    fadeColor.startTo(target, frames > 0 ? frames : 1);
}

ScreenFader::Color ScreenFader::getColor() const {
    const double* value = fadeColor.getValue();
    return {value[0], value[1], value[2], value[3]};
}

int ScreenFader::stippleFor(double alpha) {
    if (alpha < 0.125)
        return -1;
    if (alpha < 0.375)
        return 0;
    if (alpha < 0.625)
        return 1;
    if (alpha < 0.875)
        return 2;
    if (alpha < 1.0)
        return 3;
    return Solid;
}

unsigned ScreenFader::stippleRow(int list, int row) {
    return patternRows[list][row % 2];
}

void ScreenFader::buildStipples() {
    if (stippleBase != 0 && glIsList(stippleBase))
        glDeleteLists(stippleBase, 4);
    stippleBase = glGenLists(4);
    if (stippleBase == 0)
        return;
    // The pattern is unpacked when the list is compiled: make sure no one's
    // pixel-store settings reorder its bits.
    const PixelUnpacking unpacking;
    for (int list = 0; list < 4; ++list) {
        GLubyte bytes[128];
        for (int row = 0; row < 32; ++row) {
            unsigned bits = stippleRow(list, row);
            for (int byte = 0; byte < 4; ++byte) // leftmost pixels first
                bytes[row * 4 + byte] = GLubyte(bits >> (24 - 8 * byte));
        }
        glNewList(stippleBase + list, GL_COMPILE);
        glPolygonStipple(bytes);
        glEndList();
    }
}

void ScreenFader::drawQuad(double alpha) {
    if (alpha == 0.0)
        return;
    const int stipple = alphaBlend ? Solid : stippleFor(alpha);
    if (stipple < 0)
        return;
    // Whatever the scene left on (textures from the text overlay, fog, an
    // alpha test) must not reach the rectangle; the enables come back after.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    if (alphaBlend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
        if (stipple != Solid) {
            if (stippleBase == 0)
                buildStipples();
            glEnable(GL_POLYGON_STIPPLE);
            glCallList(stippleBase + stipple);
        }
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 1, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex2d(0, 0);
    glVertex2d(0, 1);
    glVertex2d(1, 1);
    glVertex2d(1, 0);
    glEnd();
    glPopAttrib();
}

void ScreenFader::drawBlur() {
    if (!isBlurActive())
        return;
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glPushAttrib(GL_CURRENT_BIT);
    const double alpha = 1.0 / blurCount;
    glColor4d(0.0, 0.0, 0.0, alpha);
    drawQuad(alpha);
    glPopAttrib();
    glClear(GL_DEPTH_BUFFER_BIT);
}

void ScreenFader::drawFade() {
    const Color color = getColor();
    if (color[3] == 0.0)
        return;
    glPushAttrib(GL_CURRENT_BIT);
    glColor4d(color[0], color[1], color[2], color[3]);
    drawQuad(color[3]);
    glPopAttrib();
}
