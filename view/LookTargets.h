// Named things beyond the bodies that the camera can look at and follow:
// constellations, galaxies and fixed stars answer by exact name with the
// rotation that turns the view towards them; markers placed in 3-D answer
// with their position. The sky classes and Markers implement these; until the
// root connects them the camera finds only bodies.
#pragma once

#include <string>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"

class SkyLookTargets {
public:
    virtual ~SkyLookTargets() = default;

    virtual bool hasLookTarget(const std::string& name) const = 0;
    // The view rotation towards the named object (identity when unknown).
    virtual Quaternion getLookRot(const std::string& name) const = 0;
};

class MarkerTargets {
public:
    virtual ~MarkerTargets() = default;

    // A marker of that name placed in 3-D.
    virtual bool hasPos3(const std::string& name) const = 0;
    virtual Vector3 getPos3(const std::string& name) const = 0;
};
