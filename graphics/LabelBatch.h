// Name labels of many bodies drawn together. Each text is rasterised once
// by the label font into pages of a shared alpha texture; a frame's labels
// are then drawn as textured quads on whole pixels at their raster
// positions, where the font's bitmap would set its pixels, in a few draws.
// The pixels a label sets, its colour and its depth are those of the bitmap
// drawn by itself.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Vector3.h"

class LabelFont;

class LabelBatch {
public:
    LabelBatch() = default;
    ~LabelBatch();
    LabelBatch(const LabelBatch&) = delete;
    LabelBatch& operator=(const LabelBatch&) = delete;

    // Forgets every rasterised text and its pages (after a change of the
    // font); needs the GL context to free the pages.
    void clear();

    // The text of the font at the raster position (window x, y in pixels,
    // z the depth 0..1) in the colour (RGBA). False when the text cannot be
    // kept in a page (larger than a page, or no font): the caller draws it
    // by itself.
    bool add(LabelFont& font, const std::string& text, const Vector3& window, const double* rgba);
    int size() const { return int(quads_.size()); }

    // Draws the gathered labels into the viewport (x, y, width, height) in
    // the current depth and blending state, blending on for a colour that is
    // not opaque as the bitmap draw does.
    void flush(const int* viewport);

    static constexpr int pageSize = 1024;

private:
    struct Slot {
        int page = -1; // -1: the text sets no pixel
        int x = 0, y = 0, width = 0, height = 0;
        int xOrigin = 0, yOrigin = 0;
    };
    struct Quad {
        int page;
        float x, y, z;
        const Slot* slot;
        float rgba[4];
    };
    // The slot of the text, rasterised and placed on first use; null when
    // it does not fit a page.
    const Slot* slotOf(LabelFont& font, const std::string& text);

    std::unordered_map<std::string, Slot> slots_;
    std::vector<unsigned> pages_;
    // Where the next text goes: on the current shelf of the last page.
    int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
    std::vector<Quad> quads_;
    std::vector<float> vertices_;
    std::vector<float> texCoords_;
    std::vector<float> colours_;
};
