// What Space asks of the camera and the detail settings. The root answers
// through its Camera and Detail; a Space without them (tools, tests) uses the
// neutral answers: a 45-degree view and texture names as given.
#pragma once

#include <string>

class SpaceServices {
public:
    virtual ~SpaceServices() = default;
    // The camera's field of view in degrees, or its zoom angle while it
    // stands at a place (Observe mode).
    virtual double getViewAngle() const = 0;
    // A texture file name resolved in the detail settings' texture directory.
    virtual std::string getTexturePath(const std::string& name) const = 0;
};
