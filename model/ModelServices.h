// What the solar-system model asks of the view and sky classes: the camera's
// mode, place distance and position, the detail settings and the landscape's
// default place name. The root answers through its Camera, Detail, Space and
// Lscape; a model without a view (tools, tests) may have none, and then the
// Ssystem uses the neutral answers of a camera in Examine mode at the origin.
#pragma once

#include <string>

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
};
