// The answers of a model without a view: a camera in Examine mode at the
// origin, the default detail settings. Tools and benchmarks that run a model
// alone start from it.
#pragma once

#include <string>

#include "engine/Vector3.h"
#include "model/ModelServices.h"

class NeutralModelServices : public ModelServices {
public:
    int getCameraMode() const override { return Examine; }
    double getCameraPlaceDist() const override { return 1.0; }
    Vector3 getCameraPos() const override { return Vector3(); }
    void setCameraMode(int, int, int, int) override {}
    int getOrbitPoints() const override { return 64; }
    std::string getDefaultPlaceName() const override { return "Surface"; }
};
