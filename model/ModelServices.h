// What the solar-system model asks of the view and sky classes: the camera's
// mode, place distance and position, the detail settings and the landscape's
// default place name. The root answers through its Camera, Detail, Space and
// Lscape; a model without a view (tools, tests) may have none, and then the
// Ssystem uses the neutral answers of a camera in Examine mode at the origin.
#pragma once

#include <string>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "model/ListSettings.h"

class ModelServices {
public:
    // Camera view modes.
    static constexpr int Examine = 0;
    static constexpr int Observe = 1;
    static constexpr int Fly = 2;

    virtual ~ModelServices() = default;

    virtual int getCameraMode() const = 0;
    // The observer's height above a place in units of the body's display radius.
    virtual double getCameraPlaceDist() const = 0;
    virtual Vector3 getCameraPos() const = 0;
    // Starts a camera mode change (mode, second, steps, fourth).
    virtual void setCameraMode(int mode, int second, int steps, int fourth) = 0;
    // The camera's distance to its target, in display radii of the selected
    // body; setting it takes effect at once (the camera keeps at least 1.5).
    virtual double getCameraDist() const { return 1.5; }
    virtual void setCameraDist(double) {}
    // Nominal frames of the camera's following moves (below 1: 60).
    virtual void setCameraAnimLength(int) {}
    // In Observe mode the camera's particles show the selected place's weather.
    virtual void loadPlaceWeather() {}
    // Points of an orbit line at the current orbit detail (64, 128 or 256).
    virtual int getOrbitPoints() const = 0;
    // The name every body keeps one place of ("Surface" unless changed).
    virtual std::string getDefaultPlaceName() const = 0;
    // The list files, orbit directories, version, locale and data directory
    // of the root; the defaults without one.
    virtual ListSettings getListSettings() const { return ListSettings(); }

    // What the drawing reads. Without a view: the camera's identity view in
    // Examine mode, no animation, no drag, the head light off; the detail
    // settings' defaults (solid, 12 slices, Low orbits, textures on the
    // selected body, nearest filter, blending on, names as they are).
    virtual Quaternion getCameraViewRot() const { return Quaternion(); }
    virtual int getCameraPrevMode() const { return Examine; }
    virtual int isCameraAnimating() const { return 0; }
    // How far a running mode change has still to go: the animation counter
    // over its step count (1 at its start, 0 at its end; below 0 when idle).
    virtual double getCameraAnimRatio() const { return -1.0; }
    virtual int getCameraHeadLight() const { return 0; }
    // 0 while no mouse interaction runs.
    virtual int getCameraMouseState() const { return 0; }
    // Wire 0, Adaptive 1, Solid 2.
    virtual int getDrawMode() const { return 2; }
    // Sphere slices and stacks: 12, 24 or 36.
    virtual int getBodySlices() const { return 12; }
    // Low 0, Mid 1, High 2.
    virtual int getOrbitLevel() const { return 0; }
    // None 0, Selected 1, Always 2.
    virtual int getTextureMode() const { return 1; }
    // Nearest 0, Linear 1.
    virtual int getTextureFilter() const { return 0; }
    virtual int getAlphaBlend() const { return 1; }
    // A texture file in the texture directory when it is there, else the name.
    virtual std::string getTexturePath(const std::string& name) const { return name; }
};
