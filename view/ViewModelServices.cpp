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
