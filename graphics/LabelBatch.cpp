#include "graphics/LabelBatch.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "graphics/GlContext.h"
#include "graphics/LabelFont.h"
#include "graphics/PixelUnpacking.h"

namespace {

// GL places a bitmap's lower-left pixel at the floor of the raster position
// less the origin, with this allowance for positions just below a pixel edge.
constexpr double bitmapEpsilon = 0.0001;

// Cuts the image down to the rows and columns with a set pixel, moving the
// origin with it so that every pixel stays where it was; false when no pixel
// is set.
bool trim(LabelImage& image) {
    int left = image.width, right = -1, bottom = image.height, top = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.alpha[size_t(y) * size_t(image.width) + size_t(x)] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    if (right < 0)
        return false;
    const int width = right - left + 1, height = top - bottom + 1;
    std::vector<unsigned char> kept(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto row = image.alpha.begin() + (y + bottom) * image.width + left;
        std::copy(row, row + width, kept.begin() + y * width);
    }
    image.alpha.swap(kept);
    image.width = width;
    image.height = height;
    image.xOrigin -= left;
    image.yOrigin -= bottom;
    return true;
}

} // namespace

LabelBatch::~LabelBatch() {
    clear();
}

void LabelBatch::clear() {
    if (!pages_.empty() && glContextIsCurrent())
        glDeleteTextures(GLsizei(pages_.size()), pages_.data());
    pages_.clear();
    slots_.clear();
    quads_.clear();
    shelfX_ = shelfY_ = shelfHeight_ = 0;
}

const LabelBatch::Slot* LabelBatch::slotOf(LabelFont& font, const std::string& text) {
    const auto found = slots_.find(text);
    if (found != slots_.end())
        return &found->second;
    LabelImage image;
    Slot slot;
    if (font.rasterise(text, image) && trim(image)) {
        if (image.width > pageSize || image.height > pageSize)
            return nullptr;
        // Shelves across the page, a new page when the last one is full.
        if (shelfX_ + image.width > pageSize) {
            shelfY_ += shelfHeight_;
            shelfX_ = shelfHeight_ = 0;
        }
        // The caller's texture stays bound.
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        if (pages_.empty() || shelfY_ + image.height > pageSize) {
            GLuint page = 0;
            glGenTextures(1, &page);
            glBindTexture(GL_TEXTURE_2D, page);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            const std::vector<unsigned char> empty(size_t(pageSize) * pageSize, 0);
            const PixelUnpacking unpacking;
            glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, pageSize, pageSize, 0, GL_ALPHA,
                         GL_UNSIGNED_BYTE, empty.data());
            pages_.push_back(page);
            shelfX_ = shelfY_ = shelfHeight_ = 0;
        }
        slot = {int(pages_.size()) - 1, shelfX_,       shelfY_,      image.width,
                image.height,           image.xOrigin, image.yOrigin};
        glBindTexture(GL_TEXTURE_2D, pages_.back());
        const PixelUnpacking unpacking;
        glTexSubImage2D(GL_TEXTURE_2D, 0, slot.x, slot.y, slot.width, slot.height, GL_ALPHA,
                        GL_UNSIGNED_BYTE, image.alpha.data());
        glBindTexture(GL_TEXTURE_2D, GLuint(bound));
        shelfX_ += image.width;
        shelfHeight_ = std::max(shelfHeight_, image.height);
    } else if (!font.isInitialised()) {
        return nullptr;
    }
    return &(slots_[text] = slot);
}

bool LabelBatch::add(LabelFont& font, const std::string& text, const Vector3& window,
                     const double* rgba) {
    const Slot* slot = slotOf(font, text);
    if (!slot)
        return false;
    if (slot->page < 0)
        return true; // nothing to draw
    quads_.push_back({slot->page,
                      std::floor(float(window.x - slot->xOrigin + bitmapEpsilon)),
                      std::floor(float(window.y - slot->yOrigin + bitmapEpsilon)),
                      float(window.z),
                      slot,
                      {float(rgba[0]), float(rgba[1]), float(rgba[2]), float(rgba[3])}});
    return true;
}

void LabelBatch::flush(const int* viewport) {
    if (quads_.empty())
        return;
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT |
                 GL_POLYGON_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Only the set pixels make fragments, as with the bitmap.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0.0,
            -1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);

    // One draw per page, the labels in the order they came.
    std::stable_sort(quads_.begin(), quads_.end(),
                     [](const Quad& a, const Quad& b) { return a.page < b.page; });
    const float unit = 1.0f / pageSize;
    size_t i = 0;
    while (i < quads_.size()) {
        const int page = quads_[i].page;
        vertices_.clear();
        texCoords_.clear();
        colours_.clear();
        bool translucent = false;
        for (; i < quads_.size() && quads_[i].page == page; ++i) {
            const Quad& q = quads_[i];
            const Slot& s = *q.slot;
            const float x1 = q.x + float(s.width), y1 = q.y + float(s.height);
            const float u0 = float(s.x) * unit, v0 = float(s.y) * unit;
            const float u1 = float(s.x + s.width) * unit, v1 = float(s.y + s.height) * unit;
            vertices_.insert(vertices_.end(),
                             {q.x, q.y, q.z, x1, q.y, q.z, x1, y1, q.z, q.x, y1, q.z});
            texCoords_.insert(texCoords_.end(), {u0, v0, u1, v0, u1, v1, u0, v1});
            for (int k = 0; k < 4; ++k)
                colours_.insert(colours_.end(), q.rgba, q.rgba + 4);
            translucent = translucent || q.rgba[3] < 1.0f;
        }
        if (translucent)
            glEnable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, pages_[size_t(page)]);
        glVertexPointer(3, GL_FLOAT, 0, vertices_.data());
        glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
        glColorPointer(4, GL_FLOAT, 0, colours_.data());
        glDrawArrays(GL_QUADS, 0, GLsizei(vertices_.size() / 3));
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    quads_.clear();
}
