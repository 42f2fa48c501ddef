// The spheres of radius 1 that the round bodies share, drawn scaled: one at
// the body detail, and coarser ones for globes only a few pixels across,
// whose outline then differs from the full sphere's by well under a pixel.
#pragma once

#include <utility>
#include <vector>

class UnitSpheres {
public:
    UnitSpheres() = default;
    UnitSpheres(const UnitSpheres&) = delete;
    UnitSpheres& operator=(const UnitSpheres&) = delete;

    // The farthest the polygon of a coarse globe may lie inside the circle,
    // in pixels.
    static constexpr double maxOutlineError = 0.25;
    // The slices (and stacks) for a globe of that projected diameter in
    // pixels: the fewest of the coarse steps whose outline stays within
    // maxOutlineError of the circle, else the full detail. An unknown size
    // (0 or less) gets the full detail.
    static int slicesFor(double projectedDiameter, int fullSlices);

    // The display list of the unit sphere with that many slices, compiled
    // when first asked for; 0 without a current GL context.
    unsigned list(int slices);
    // Deletes the lists (when a context is current) and forgets them.
    void release();

private:
    // Slices and list, in the order they were compiled.
    std::vector<std::pair<int, unsigned>> lists_;
};
