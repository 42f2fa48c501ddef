#include "engine/OrvexServices.h"

#include "engine/Orvex.h"
#include "engine/Render.h"
#include "model/Ssystem.h"
#include "sky/Constes.h"
#include "sky/Space.h"
#include "view/Camera.h"
#include "view/Detail.h"

OrvexModelServices::OrvexModelServices(Orvex& root)
    : ViewModelServices(&root, root.getCamera(), root.getDetail()), root(root) {}

ListSettings OrvexModelServices::getListSettings() const {
    return root.getListSettings();
}

double OrvexServices::getViewAngle() const {
    const Camera* camera = root.getCamera();
    return camera->getMode() == Camera::Observe ? camera->getZoom() : camera->getFov();
}

std::string OrvexServices::getTexturePath(const std::string& name) const {
    return root.getDetail()->getTexturePath(name);
}

int OrvexServices::getCameraMode() const {
    return root.getCamera()->getMode();
}

int OrvexServices::isCameraAnimating() const {
    return root.getCamera()->isAnimating();
}

Quaternion OrvexServices::getViewRot() const {
    return root.getCamera()->getViewRot();
}

double OrvexServices::getOrientAzimuth() const {
    return root.getCamera()->getOrientAzimuth();
}

double OrvexServices::getZoom() const {
    return root.getCamera()->getZoom();
}

int OrvexServices::getPlaceIndex() const {
    return root.getSsystem()->getPlaceIndex();
}

std::string OrvexServices::getPlaceName() const {
    return root.getSsystem()->getPlaceName();
}

std::string OrvexServices::getPlacePanorama() const {
    return root.getSsystem()->getPlacePanorama();
}

double OrvexServices::getPlaceLat() const {
    return root.getSsystem()->getPlaceLat();
}

Vector3 OrvexServices::getObserveTrans(int mode, double scale) const {
    return root.getSsystem()->getObserveTrans(mode, scale);
}

Quaternion OrvexServices::getObserveRot() const {
    return root.getSsystem()->getObserveRot();
}

double OrvexServices::getRadius() const {
    return root.getSsystem()->getRadius();
}

LabelFont& OrvexServices::getNameFont() {
    return root.getSsystem()->getNameFont();
}

int OrvexServices::getDust() const {
    return root.getSsystem()->getDust();
}

int OrvexServices::getSimModeIndex() const {
    return root.getSsystem()->getSimModeIndex();
}

int OrvexServices::getSimModeCount() const {
    return root.getSsystem()->getSimModeCount();
}

int OrvexServices::getAlphaBlend() const {
    return root.getDetail()->getAlphaBlend();
}

int OrvexServices::getFilter() const {
    return root.getDetail()->getFilter();
}

std::string OrvexServices::getTexDir() const {
    return root.getDetail()->getTexDir();
}

int OrvexServices::getBodySlices() const {
    return root.getDetail()->getBodySlices();
}

void OrvexServices::rebuildDisplayLists() {
    root.getSsystem()->rebuildAllDisplayLists();
}

void OrvexServices::reloadMilkyWayTexture() {
    root.getSpace()->loadMwayTexture();
}

void OrvexServices::setFadeAlphaBlend(int on) {
    root.getRender()->setAlphaBlend(on);
}

void OrvexServices::setClouds(int on) {
    root.getSsystem()->setClouds(on);
}

void OrvexServices::setCloudsOpacityTo(double opacity, int frames) {
    root.getSsystem()->setCloudsOpacityTo(opacity, frames);
}
