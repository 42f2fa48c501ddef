#include "view/ViewModelServices.h"

#include "engine/Main.h"
#include "view/Camera.h"
#include "view/Detail.h"
#include "view/LandscapeState.h"

int ViewModelServices::getCameraMode() const {
    return camera_ ? camera_->getMode() : Examine;
}

double ViewModelServices::getCameraPlaceDist() const {
    return camera_ ? camera_->getPlaceDist() : 1.0;
}

Vector3 ViewModelServices::getCameraPos() const {
    return camera_ ? camera_->getPos() : Vector3();
}

void ViewModelServices::setCameraMode(int mode, int second, int steps, int fourth) {
    if (!camera_)
        return;
    const int recording = owner_ ? owner_->isRecording() : 0;
    if (owner_)
        owner_->setRecording(0);
    camera_->setMode(mode, second, steps, fourth);
    if (owner_)
        owner_->setRecording(recording);
}

double ViewModelServices::getCameraDist() const {
    return camera_ ? camera_->getDist() : 1.5;
}

void ViewModelServices::setCameraDist(double dist) {
    if (camera_)
        camera_->setDist(dist);
}

void ViewModelServices::setCameraAnimLength(int frames) {
    if (camera_)
        camera_->setAnimLength(frames);
}

void ViewModelServices::loadPlaceWeather() {
    if (camera_)
        camera_->loadPlaceWeather();
}

int ViewModelServices::getOrbitPoints() const {
    return detail_ ? detail_->getOrbitPoints() : 64;
}

std::string ViewModelServices::getDefaultPlaceName() const {
    return landscape_ ? landscape_->getDefaultPlaceName() : "Surface";
}

Quaternion ViewModelServices::getCameraViewRot() const {
    return camera_ ? camera_->getViewRot() : Quaternion();
}

int ViewModelServices::getCameraPrevMode() const {
    return camera_ ? camera_->getPrevMode() : Examine;
}

int ViewModelServices::isCameraAnimating() const {
    return camera_ ? camera_->isAnimating() : 0;
}

double ViewModelServices::getCameraAnimRatio() const {
    if (!camera_ || camera_->getAnimSteps() == 0)
        return -1.0;
    return camera_->getAnimCounter() / camera_->getAnimSteps();
}

int ViewModelServices::getCameraHeadLight() const {
    return camera_ ? camera_->getHeadLight() : 0;
}

int ViewModelServices::getCameraMouseState() const {
    return camera_ ? camera_->getMouseState() : 0;
}

int ViewModelServices::getDrawMode() const {
    return detail_ ? detail_->getDrawMode() : ModelServices::getDrawMode();
}

int ViewModelServices::getBodySlices() const {
    return detail_ ? detail_->getBodySlices() : ModelServices::getBodySlices();
}

int ViewModelServices::getOrbitLevel() const {
    return detail_ ? detail_->getOrbitLevel() : ModelServices::getOrbitLevel();
}

int ViewModelServices::getTextureMode() const {
    return detail_ ? detail_->getTextureMode() : ModelServices::getTextureMode();
}

int ViewModelServices::getTextureFilter() const {
    return detail_ ? detail_->getFilter() : ModelServices::getTextureFilter();
}

int ViewModelServices::getAlphaBlend() const {
    return detail_ ? detail_->getAlphaBlend() : ModelServices::getAlphaBlend();
}

std::string ViewModelServices::getTexturePath(const std::string& name) const {
    return detail_ ? detail_->getTexturePath(name) : name;
}
