// The dots that bodies seen from afar are drawn as, gathered while the scene
// pass walks the bodies and drawn at its end in a few vertex-array draws.
// Each dot is projected on the CPU from the frame's matrices, read once when
// the batch opens; a dot whose centre lies outside the view volume is left
// out, as GL leaves out a point or a raster position there.
//
// A dot looks as one drawn on its own at the body's centre: a smooth GL point
// of its size below 2 pixels, then the 4 x 4 round dot bitmap over it (the
// square and cross bitmaps of the larger sizes lie inside the round dot).
// The bitmap's pixels are drawn as small aliased points on whole pixels at
// the depth of the centre, where GL would put the bitmap's fragments.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/Vector3.h"

class DotBatch {
public:
    // Reads the current modelview and projection matrices and the viewport:
    // points passed to the batch are in the frame of that modelview.
    void open();
    bool isOpen() const { return open_; }
    // The viewport read at the opening (x, y, width, height).
    const int* getViewport() const { return viewport_; }

    // A point of the frame the batch opened with in eye coordinates; the
    // operations below take eye points.
    Vector3 toEye(const Vector3& point) const;
    // The window position (x, y in pixels, z the depth 0..1); false when
    // the point lies outside the view volume.
    bool project(const Vector3& eye, Vector3& window) const;
    // Twice the window height of the radius above the centre, straight up
    // the screen; 0 for a centre at or behind the eye.
    double projectedDiameter(const Vector3& eye, double radius) const;

    // A dot of the size in pixels and the colour at the eye point.
    void add(const Vector3& eye, float size, const float* rgb);
    int size() const { return int(points_.size()); }

    // Draws the gathered dots in the current GL state (depth test, blending
    // and point smoothing as they are) and closes the batch.
    void flush();
    // Draws the dots gathered so far as flush does, and keeps the batch open
    // with its matrices: before something translucent that writes depth,
    // such as a ring, the dots gathered before it must be there to show
    // through it.
    void drawGathered();

private:
    struct Dot {
        float size;
        float x, y, z;
        float rgb[3];
    };
    void drawPoints();
    void drawBitmaps();

    bool open_ = false;
    double modelview_[16] = {};
    double projection_[16] = {};
    int viewport_[4] = {};
    std::vector<Dot> points_;
    // Scratch arrays, kept to spare allocations from frame to frame.
    std::vector<float> vertices_;
    std::vector<float> colours_;
    std::vector<std::size_t> bySize_;
};
