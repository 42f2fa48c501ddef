// What the command objects ask of each other, answered by the root through
// the objects it holds: the view's answers and the configuration's list paths
// for the solar system, the camera's view angle and the detail settings'
// texture directory for the star background and the reactions to detail
// changes.
#pragma once

#include <string>

#include "sky/SpaceServices.h"
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

class OrvexServices : public SpaceServices, public DetailListener {
public:
    explicit OrvexServices(Orvex& root) : root(root) {}

    // The camera's field of view, or its zoom while it stands at a place.
    double getViewAngle() const override;
    std::string getTexturePath(const std::string& name) const override;

    void rebuildDisplayLists() override;
    void reloadMilkyWayTexture() override;
    void setFadeAlphaBlend(int on) override;

private:
    Orvex& root;
};
