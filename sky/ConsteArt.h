// The art of a constellation: a line drawing of its figure made of 2-D points
// joined by line strips, placed on the sky by a position, a turn and a scale.
// Two file formats carry it, chosen by the extension:
//
// ".cab" (binary, 32-bit little-endian, no header): position x y z (float, a
// direction of any length), scale (float), angle in degrees (float), the point
// count P (int), P points x y (float), the index count L (int), L indices
// (int); a negative index ends a line strip.
//
// ".cat" (text, keywords ending in ":", "#" comments): "Points: P { x y ... }",
// "Pos: ra dec", "Rot: angle", "Size: s", and "Lines: { i i -1 i ... }"
// blocks, each placed by the Pos/Rot/Size read before it.
//
// A point (x, y) is drawn at (-x, y, 0) in its block's local frame. The two
// formats place that frame differently: ".cab" at distance 1 along the
// position, scaled by scale / (|position| / 2) in x and y only; ".cat" at
// distance 0.5 along the direction of Pos, scaled by the size in all three
// axes. A scale of exactly 1 places nothing: the drawing lies around the
// origin of the star sphere.
//
// The readers only parse; drawArt issues the GL commands (into the display
// list being compiled).
#pragma once

#include <string>
#include <vector>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"

struct ArtPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The local frame of a drawing block: translate, turn the z axis onto the
// placement direction, scale, then turn by the angle about z.
struct ArtPlacement {
    bool placed = false; // false: drawn untransformed
    Vector3 translation;
    Quaternion rotation;
    Vector3 scale{1.0, 1.0, 1.0};
    double angleDeg = 0.0;

    // Where a point of the block lands in the star-sphere frame.
    Vector3 place(const ArtPoint& p) const;
};

struct ArtBlock {
    ArtPlacement placement;
    // The line strips, their points looked up from the indices.
    std::vector<std::vector<ArtPoint>> strips;
};

struct ConsteArt {
    std::vector<ArtBlock> blocks;

    bool empty() const { return blocks.empty(); }
    int strokeCount() const;
    int pointCount() const;
};

// Parse the file into art (replacing what it held). ".cab": 1 read, 0 when the
// file does not open or is truncated or damaged (then art is empty). ".cat": 1
// when the file opened, 0 when not. Malformed parts are reported to the log.
int readArtCab(const std::string& path, ConsteArt& art);
int readArtCat(const std::string& path, ConsteArt& art);

// Issues the art's GL drawing: one matrix push per block, line strips inside.
void drawArt(const ConsteArt& art);
