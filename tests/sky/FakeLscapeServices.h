// A stand-in for the camera, solar-system model and detail settings the
// landscape reads: an observer at the origin of a place whose frame is the
// world's (y up, +z north, -x east), in Observe mode, with every answer a
// plain field the test sets.
#pragma once

#include <string>

#include "graphics/LabelFont.h"
#include "sky/LscapeServices.h"

class FakeLscapeServices : public LscapeServices {
public:
    int getCameraMode() const override { return cameraMode; }
    int isCameraAnimating() const override { return animating; }
    Quaternion getViewRot() const override { return viewRot; }
    double getOrientAzimuth() const override { return azimuth; }
    double getZoom() const override { return zoom; }
    int getPlaceIndex() const override { return placeIndex; }
    std::string getPlaceName() const override { return placeName; }
    std::string getPlacePanorama() const override { return panorama; }
    double getPlaceLat() const override { return latitude; }
    Vector3 getObserveTrans(int mode, double) const override { return mode == 1 ? eye : surface; }
    Quaternion getObserveRot() const override { return observeRot; }
    double getRadius() const override { return radius; }
    LabelFont& getNameFont() override { return nameFont; }
    int getDust() const override { return dust; }
    int getSimModeIndex() const override { return simMode; }
    int getSimModeCount() const override { return simModes; }
    int getAlphaBlend() const override { return alphaBlend; }
    int getFilter() const override { return filter; }
    std::string getTexDir() const override { return texDir; }
    std::string getTexturePath(const std::string& name) const override {
        return texDir + "/" + name.substr(name.rfind('/') + 1);
    }
    int getBodySlices() const override { return slices; }

    int cameraMode = 1;
    int animating = 0;
    Quaternion viewRot;
    double azimuth = 0.0;
    double zoom = 45.0;
    int placeIndex = 0;
    std::string placeName = "Greenwich";
    std::string panorama;
    double latitude = 51.5;
    Vector3 eye;
    Vector3 surface;
    Quaternion observeRot;
    double radius = 1.0;
    LabelFont nameFont;
    int dust = 0;
    int simMode = 0;
    int simModes = 2;
    int alphaBlend = 1;
    int filter = 0;
    std::string texDir = "./textures";
    int slices = 36;
};
