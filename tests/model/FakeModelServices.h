// A view for the model tests: the camera mode and place distance they set,
// and the camera calls the model makes.
#pragma once

#include <array>
#include <vector>

#include "engine/Interpreter.h"
#include "model/ModelServices.h"

class FakeModelServices : public ModelServices {
public:
    int mode = Examine;
    double placeDist = 1.0;
    Vector3 cameraPos;
    int orbitPoints = 64;
    std::string defaultPlace = "Surface";
    int modeChanges = 0;
    // Every setCameraMode call's four arguments.
    std::vector<std::array<int, 4>> modeCalls;
    double dist = 10.0;
    int animLength = 0;
    int weatherLoads = 0;
    // When set, the recording flag seen by each camera call.
    const Interpreter* interp = nullptr;
    std::vector<int> recordingSeen;
    // The list files and orbit directories, in lists.dataDir.
    ListSettings lists;

    int getCameraMode() const override { return mode; }
    double getCameraPlaceDist() const override { return placeDist; }
    Vector3 getCameraPos() const override { return cameraPos; }
    void setCameraMode(int newMode, int second, int steps, int fourth) override {
        ++modeChanges;
        modeCalls.push_back({newMode, second, steps, fourth});
        seen();
    }
    double getCameraDist() const override { return dist; }
    void setCameraDist(double d) override {
        dist = d < 1.5 ? 1.5 : d;
        seen();
    }
    void setCameraAnimLength(int frames) override {
        animLength = frames < 1 ? 60 : frames;
        seen();
    }
    void loadPlaceWeather() override {
        ++weatherLoads;
        seen();
    }
    ListSettings getListSettings() const override { return lists; }
    int getOrbitPoints() const override { return orbitPoints; }
    std::string getDefaultPlaceName() const override { return defaultPlace; }

private:
    void seen() {
        if (interp)
            recordingSeen.push_back(interp->isRecording());
    }
};
