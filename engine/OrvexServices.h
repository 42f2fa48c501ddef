// What the command objects ask of each other, answered by the root through
// the objects it holds: the view's answers and the configuration's list paths
// for the solar system, the camera's view angle and the detail settings'
// texture directory for the star background and the reactions to detail
// changes.
#pragma once

#include <string>

#include "sky/LscapeServices.h"
#include "sky/SpaceServices.h"
#include "view/CloudSwitch.h"
#include "view/DetailListener.h"
#include "view/ViewModelServices.h"

class Orvex;

class OrvexModelServices : public ViewModelServices {
public:
    explicit OrvexModelServices(Orvex& root);
    ListSettings getListSettings() const override;

private:
    const Orvex& root;
};

class OrvexServices : public SpaceServices,
                      public LscapeServices,
                      public DetailListener,
                      public CloudSwitch {
public:
    explicit OrvexServices(Orvex& root) : root(root) {}

    // The camera's field of view, or its zoom while it stands at a place.
    double getViewAngle() const override;
    std::string getTexturePath(const std::string& name) const override;

    int getCameraMode() const override;
    int isCameraAnimating() const override;
    Quaternion getViewRot() const override;
    double getOrientAzimuth() const override;
    double getZoom() const override;
    int getPlaceIndex() const override;
    std::string getPlaceName() const override;
    std::string getPlacePanorama() const override;
    double getPlaceLat() const override;
    Vector3 getObserveTrans(int mode, double scale) const override;
    Quaternion getObserveRot() const override;
    double getRadius() const override;
    LabelFont& getNameFont() override;
    int getDust() const override;
    int getSimModeIndex() const override;
    int getSimModeCount() const override;
    int getAlphaBlend() const override;
    int getFilter() const override;
    std::string getTexDir() const override;
    int getBodySlices() const override;

    void rebuildDisplayLists() override;
    void reloadMilkyWayTexture() override;
    void setFadeAlphaBlend(int on) override;

    void setClouds(int on) override;
    void setCloudsOpacityTo(double opacity, int frames) override;

private:
    Orvex& root;
};
