// The view's answers to the solar-system model (ModelServices): the camera's
// mode, place distance, position and view, its mode changes, distance,
// animation length and place weather, the detail settings, and the
// landscape's default place name. The root makes one and hands it to its
// Ssystem.
#pragma once

#include <string>

#include "model/ModelServices.h"

class Camera;
class Detail;
class LandscapeState;
class Main;

class ViewModelServices : public ModelServices {
public:
    // Any of them may be null; the answers are then those of a camera in
    // Examine mode at the origin, Low orbit detail and the place "Surface".
    ViewModelServices(Main* owner, Camera* camera, const Detail* detail)
        : owner_(owner), camera_(camera), detail_(detail) {}

    void setLandscape(const LandscapeState* landscape) { landscape_ = landscape; }

    int getCameraMode() const override;
    double getCameraPlaceDist() const override;
    Vector3 getCameraPos() const override;
    // The model's own mode changes (a new sim mode, a new body) are not the
    // user's commands: they stay out of the recorded command log.
    void setCameraMode(int mode, int second, int steps, int fourth) override;
    double getCameraDist() const override;
    void setCameraDist(double dist) override;
    void setCameraAnimLength(int frames) override;
    void loadPlaceWeather() override;
    int getOrbitPoints() const override;
    std::string getDefaultPlaceName() const override;

    // The camera's view and mode change, and the detail settings, for the
    // drawing.
    Quaternion getCameraViewRot() const override;
    int getCameraPrevMode() const override;
    int isCameraAnimating() const override;
    double getCameraAnimRatio() const override;
    int getCameraHeadLight() const override;
    int getCameraMouseState() const override;
    int getDrawMode() const override;
    int getBodySlices() const override;
    int getOrbitLevel() const override;
    int getTextureMode() const override;
    int getTextureFilter() const override;
    int getAlphaBlend() const override;
    std::string getTexturePath(const std::string& name) const override;

private:
    Main* owner_;
    Camera* camera_;
    const Detail* detail_;
    const LandscapeState* landscape_ = nullptr;
};
