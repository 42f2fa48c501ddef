#include "model/DotBatch.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

namespace {

// m (column-major, as GL keeps it) times (x, y, z, w).
void transform(const double* m, const double in[4], double out[4]) {
    for (int i = 0; i < 4; ++i)
        out[i] = m[i] * in[0] + m[4 + i] * in[1] + m[8 + i] * in[2] + m[12 + i] * in[3];
}

// GL places a bitmap's lower-left pixel at the floor of the raster position
// less the origin, with this allowance for positions just below a pixel edge.
constexpr double bitmapEpsilon = 0.0001;

// The first pixel column (or row) of the 4 x 4 dot centred at x.
float dotLeft(float x) {
    return std::floor(float(x + bitmapEpsilon - 2.0));
}

// The round dot (rows 0110, 1111, 1111, 0110 of its 4 x 4 cell) as the
// union of four 2 x 2 squares, each an aliased GL point of size 2 centred on
// a pixel corner (so no pixel centre lies on its edge): the lower-left
// pixels of the squares within the cell.
constexpr int roundDotBlocks[4][2] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}};

bool inRoundDot(int column, int row) {
    if (column < 0 || column > 3 || row < 0 || row > 3)
        return false;
    return (row != 0 && row != 3) || (column != 0 && column != 3);
}

// A smooth point of this size at (x, y) may colour a pixel outside the round
// dot drawn over it: some pixel centre beyond the dot lies within its radius
// and the width of the smoothing (at most half a pixel's diagonal). Only
// then does the point show.
bool pointShowsBeyondDot(float x, float y, float size, float x0, float y0) {
    const double reach = 0.5 * size + 0.75;
    for (int row = -1; row <= 4; ++row) {
        for (int column = -1; column <= 4; ++column) {
            if (inRoundDot(column, row))
                continue;
            const double dx = x0 + column + 0.5 - x;
            const double dy = y0 + row + 0.5 - y;
            if (dx * dx + dy * dy < reach * reach)
                return true;
        }
    }
    return false;
}

} // namespace

void DotBatch::open() {
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview_);
    glGetDoublev(GL_PROJECTION_MATRIX, projection_);
    glGetIntegerv(GL_VIEWPORT, viewport_);
    points_.clear();
    open_ = true;
}

Vector3 DotBatch::toEye(const Vector3& point) const {
    const double object[4] = {point.x, point.y, point.z, 1.0};
    double eye[4];
    transform(modelview_, object, eye);
    return Vector3(eye[0], eye[1], eye[2]);
}

bool DotBatch::project(const Vector3& eye, Vector3& window) const {
    const double e[4] = {eye.x, eye.y, eye.z, 1.0};
    double clip[4];
    transform(projection_, e, clip);
    const double w = clip[3];
    if (!(w > 0.0) || std::fabs(clip[0]) > w || std::fabs(clip[1]) > w || std::fabs(clip[2]) > w)
        return false;
    window.x = viewport_[0] + (clip[0] / w + 1.0) * 0.5 * viewport_[2];
    window.y = viewport_[1] + (clip[1] / w + 1.0) * 0.5 * viewport_[3];
    window.z = (clip[2] / w + 1.0) * 0.5;
    return true;
}

double DotBatch::projectedDiameter(const Vector3& eye, double radius) const {
    if (eye.z >= 0.0)
        return 0.0;
    // Window y of an eye point: only the projection's y and w rows matter.
    auto windowY = [&](double y) {
        const double e[4] = {eye.x, y, eye.z, 1.0};
        double clip[4];
        transform(projection_, e, clip);
        return viewport_[1] + (clip[1] / clip[3] + 1.0) * 0.5 * viewport_[3];
    };
    const double d = 2.0 * (windowY(eye.y + radius) - windowY(eye.y));
    return std::isfinite(d) ? d : 0.0;
}

void DotBatch::add(const Vector3& eye, float size, const float* rgb) {
    Vector3 w;
    if (!project(eye, w))
        return;
    points_.push_back({size, float(w.x), float(w.y), float(w.z), {rgb[0], rgb[1], rgb[2]}});
}

void DotBatch::flush() {
    open_ = false;
    drawGathered();
}

void DotBatch::drawGathered() {
    if (points_.empty())
        return;
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POINT_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    // Window coordinates in, depth as it is: z of 0..1 stays 0..1.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport_[0], viewport_[0] + viewport_[2], viewport_[1], viewport_[1] + viewport_[3],
            0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);

    drawPoints();
    drawBitmaps();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    points_.clear();
}

void DotBatch::drawPoints() {
    // Only sizes below 2 are GL points, and only where they show beside the
    // dot; one draw per size, in the order the dots came within each. The
    // bitmaps keep the order of all.
    bySize_.clear();
    for (size_t i = 0; i < points_.size(); ++i) {
        const Dot& d = points_[i];
        if (d.size < 2.0f && pointShowsBeyondDot(d.x, d.y, d.size, dotLeft(d.x), dotLeft(d.y)))
            bySize_.push_back(i);
    }
    std::stable_sort(bySize_.begin(), bySize_.end(),
                     [&](size_t a, size_t b) { return points_[a].size < points_[b].size; });
    size_t i = 0;
    while (i < bySize_.size()) {
        const float size = points_[bySize_[i]].size;
        vertices_.clear();
        colours_.clear();
        for (; i < bySize_.size() && points_[bySize_[i]].size == size; ++i) {
            const Dot& d = points_[bySize_[i]];
            vertices_.insert(vertices_.end(), {d.x, d.y, d.z});
            colours_.insert(colours_.end(), {d.rgb[0], d.rgb[1], d.rgb[2]});
        }
        glPointSize(size);
        glVertexPointer(3, GL_FLOAT, 0, vertices_.data());
        glColorPointer(3, GL_FLOAT, 0, colours_.data());
        glDrawArrays(GL_POINTS, 0, GLsizei(vertices_.size() / 3));
    }
}

void DotBatch::drawBitmaps() {
    vertices_.clear();
    colours_.clear();
    for (const Dot& d : points_) {
        const float x0 = dotLeft(d.x);
        const float y0 = dotLeft(d.y);
        for (const auto& block : roundDotBlocks) {
            vertices_.insert(vertices_.end(),
                             {x0 + float(block[0] + 1), y0 + float(block[1] + 1), d.z});
            colours_.insert(colours_.end(), {d.rgb[0], d.rgb[1], d.rgb[2]});
        }
    }
    glDisable(GL_POINT_SMOOTH);
    glPointSize(2.0f);
    glVertexPointer(3, GL_FLOAT, 0, vertices_.data());
    glColorPointer(3, GL_FLOAT, 0, colours_.data());
    glDrawArrays(GL_POINTS, 0, GLsizei(vertices_.size() / 3));
}
