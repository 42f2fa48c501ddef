// Pixel transfers of our own data (bitmaps, stipples, textures) read rows as
// we lay them out: aligned as asked, nothing skipped, the leftmost pixel in a
// byte's high bit, whatever the caller had set for its own transfers. The
// caller's settings come back when the object goes.
#pragma once

#include <GL/glew.h>

class PixelUnpacking {
public:
    explicit PixelUnpacking(GLint alignment = 1) {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    }
    ~PixelUnpacking() { glPopClientAttrib(); }
    PixelUnpacking(const PixelUnpacking&) = delete;
    PixelUnpacking& operator=(const PixelUnpacking&) = delete;
};
