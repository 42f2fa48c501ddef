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

void OrvexServices::rebuildDisplayLists() {
    root.getSsystem()->rebuildAllDisplayLists();
}

void OrvexServices::reloadMilkyWayTexture() {
    root.getSpace()->loadMwayTexture();
}

void OrvexServices::setFadeAlphaBlend(int on) {
    root.getRender()->setAlphaBlend(on);
}

bool ConsteLookTargets::hasLookTarget(const std::string& name) const {
    return constes.hasConste(name);
}

Quaternion ConsteLookTargets::getLookRot(const std::string& name) const {
    return constes.getLookRot(name);
}
