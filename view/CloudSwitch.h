// The solar system's cloud layer as the camera uses it: switched on and faded
// in while the camera descends to a place or climbs away from it. The
// solar-system model implements it; until the root connects it, the camera's
// descent leaves the clouds as they are.
#pragma once

class CloudSwitch {
public:
    virtual ~CloudSwitch() = default;

    virtual void setClouds(int on) = 0;
    // Over that many nominal frames (0 or less count as 1).
    virtual void setCloudsOpacityTo(double opacity, int frames) = 0;
};
