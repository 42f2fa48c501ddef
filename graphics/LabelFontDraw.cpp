// The GL side of LabelFont: bitmaps at the raster position, the shared label
// texture, and the screen-aligned label frame.
#include <GL/glew.h>

#include <GL/glu.h>
#include <memory>

#include "engine/Matrix4.h"
#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "graphics/GlContext.h"
#include "graphics/LabelFont.h"
#include "graphics/PixelUnpacking.h"
#include "graphics/TextBitmap.h"

// QFont is only passed through to TextBitmap here; its full definition stays
// out of this GL source.
class QFont;

namespace {

GLuint labelTexture = 0; // shared by every textured draw; 0 = none yet

} // namespace

void resetLabelTexture() {
    labelTexture = 0;
}

bool LabelFont::layout(const std::string& text, bool textured, std::unique_ptr<TextBitmap>& bitmap,
                       int& xOffset, int& yOffset) {
    init();
    if (!font)
        return false;
    bitmap = std::make_unique<TextBitmap>(*font, text, align, textured);
    if (bitmap->isEmpty())
        return false;
    const int tw = bitmap->getTextWidth();
    const int th = bitmap->getTextHeight();
    const int code = align >= 1 && align <= 9 ? align : 1;
    const int column = (code - 1) % 3; // left, centre, right
    const int row = (code - 1) / 3;    // bottom, middle, top
    xOffset = column == 0 ? 0 : column == 1 ? tw / 2 : tw;
    yOffset = row == 0 ? 0 : row == 1 ? th / 2 : th;
    return true;
}

void LabelFont::draw(const std::string& text, int textured) {
    if (!glContextIsCurrent())
        return;
    std::unique_ptr<TextBitmap> bitmap;
    int xOffset = 0, yOffset = 0;
    if (!layout(text, textured != 0, bitmap, xOffset, yOffset))
        return;
    if (textured)
        drawTexture(*bitmap, xOffset, yOffset);
    else
        drawBitmap(*bitmap, xOffset, yOffset);
}

bool LabelFont::rasterise(const std::string& text, LabelImage& image) {
    std::unique_ptr<TextBitmap> bitmap;
    int xOffset = 0, yOffset = 0;
    if (!layout(text, false, bitmap, xOffset, yOffset))
        return false;
    image.width = bitmap->getWidth();
    image.height = bitmap->getHeight();
    image.xOrigin = xOffset;
    image.yOrigin = yOffset;
    // Rows of whole 32-bit words, the leftmost pixel in the high bit.
    const int rowBytes = (image.width + 31) / 32 * 4;
    const unsigned char* bits = bitmap->getBits();
    image.alpha.assign(size_t(image.width) * size_t(image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (bits[y * rowBytes + x / 8] & (0x80 >> (x % 8)))
                image.alpha[size_t(y) * size_t(image.width) + size_t(x)] = 255;
        }
    }
    return true;
}

void LabelFont::drawBitmap(const TextBitmap& bitmap, int xOffset, int yOffset) {
    // Rows are a multiple of 32 bits, most significant bit first.
    const PixelUnpacking unpacking(4);
    glBitmap(bitmap.getWidth(), bitmap.getHeight(), GLfloat(xOffset), GLfloat(yOffset),
             GLfloat(bitmap.getTextWidth() - xOffset), 0.0f, bitmap.getBits());
}

void LabelFont::drawTexture(const TextBitmap& bitmap, int xOffset, int yOffset) {
    const double tw = bitmap.getTextWidth();
    const double th = bitmap.getTextHeight();
    const double u = tw / bitmap.getWidth();
    const double v = 1.0 - th / bitmap.getHeight();

    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    // White text on black, added: the text shows in the current colour and
    // the background stays as it is.
    glBlendFunc(GL_ONE, GL_ONE);
    if (labelTexture == 0) {
        glGenTextures(1, &labelTexture);
        glBindTexture(GL_TEXTURE_2D, labelTexture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glBindTexture(GL_TEXTURE_2D, labelTexture);
    }
    {
        const PixelUnpacking unpacking;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, bitmap.getWidth(), bitmap.getHeight(), 0, GL_RGB,
                     GL_UNSIGNED_BYTE, bitmap.getBits());
    }
    // In the label frame y grows downwards: the text spans y = -th (its top)
    // to 0 (its bottom), so an anchor yOffset above the bottom moves it down.
    glTranslated(-xOffset, yOffset, 0.0);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 1);
    glVertex2d(0, -th);
    glTexCoord2d(0, v);
    glVertex2d(0, 0);
    glTexCoord2d(u, v);
    glVertex2d(tw, 0);
    glTexCoord2d(u, 1);
    glVertex2d(tw, -th);
    glEnd();
    glPopAttrib();
    glPopMatrix();
}

void pushLabelTransform(const Quaternion& viewRotation) {
    glPushMatrix();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);

    Matrix4 rotation;
    viewRotation.getMatrix(rotation);
    Vector3 up;
    rotation.transform(Vector3(0, 1, 0), up);

    GLdouble ox, oy, oz, ux, uy, uz;
    gluProject(0, 0, 0, model, projection, viewport, &ox, &oy, &oz);
    gluProject(up.x, up.y, up.z, model, projection, viewport, &ux, &uy, &uz);
    const double d = uy - oy;
    const double s = d != 0 ? 1 / d : 0;

    viewRotation.glRotate();
    glScaled(s, -s, s);
}
