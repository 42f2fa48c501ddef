// What the landscape asks of its neighbours: the camera (its mode and view),
// the solar-system model (the selected place, where the observer stands and
// the switches that bring out the meteors) and the detail settings (blending,
// texture lookup and tessellation). The root answers through its Camera,
// Ssystem and Detail. A landscape without services (tools, tests) sees no
// selected place and so draws nothing, and uses the detail defaults.
#pragma once

#include <string>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"

class LabelFont;

class LscapeServices {
public:
    virtual ~LscapeServices() = default;

    // Camera: view mode (0 Examine, 1 Observe, 2 Fly), whether a mode change
    // is still running, the view rotation, the Observe azimuth and zoom
    // (degrees).
    virtual int getCameraMode() const = 0;
    virtual int isCameraAnimating() const = 0;
    virtual Quaternion getViewRot() const = 0;
    virtual double getOrientAzimuth() const = 0;
    virtual double getZoom() const = 0;

    // Solar-system model. The place index is -1 without a selected place.
    virtual int getPlaceIndex() const = 0;
    virtual std::string getPlaceName() const = 0;
    virtual std::string getPlacePanorama() const = 0;
    virtual double getPlaceLat() const = 0;
    // The observer's eye (mode 1, scale -1.0) or the place's surface point
    // (mode 0, scale 1.0), and the place's frame: y up, +z north, -x east.
    virtual Vector3 getObserveTrans(int mode, double scale) const = 0;
    virtual Quaternion getObserveRot() const = 0;
    // Radius of the selected body as drawn.
    virtual double getRadius() const = 0;
    // The font of body names (the Annotate cursor writes the place name).
    virtual LabelFont& getNameFont() = 0;
    virtual int getDust() const = 0;
    virtual int getSimModeIndex() const = 0;
    virtual int getSimModeCount() const = 0;

    // Detail settings.
    virtual int getAlphaBlend() const = 0;
    virtual int getFilter() const = 0;
    virtual std::string getTexDir() const = 0;
    // The texture directory's file of the same file part when it exists,
    // else the name unchanged.
    virtual std::string getTexturePath(const std::string& name) const = 0;
    // Sphere slices of the Body detail level: 12, 24 or 36.
    virtual int getBodySlices() const = 0;
};
