// A view for the model tests: the camera mode and place distance they set.
#pragma once

#include "model/ModelServices.h"

class FakeModelServices : public ModelServices {
public:
    int mode = Examine;
    double placeDist = 1.0;
    Vector3 cameraPos;
    int orbitPoints = 64;
    std::string defaultPlace = "Surface";
    int modeChanges = 0;

    int getCameraMode() const override { return mode; }
    double getCameraPlaceDist() const override { return placeDist; }
    Vector3 getCameraPos() const override { return cameraPos; }
    void setCameraMode(int, int, int, int) override { ++modeChanges; }
    int getOrbitPoints() const override { return orbitPoints; }
    std::string getDefaultPlaceName() const override { return defaultPlace; }
};
