// A view for the drawing tests: the detail settings and the camera's view
// they set, on top of the model tests' camera.
#pragma once

#include "FakeModelServices.h"

class DrawTestServices : public FakeModelServices {
public:
    Quaternion viewRot;
    int prevMode = Examine;
    int animating = 0;
    double animRatio = -1.0;
    int headLight = 0;
    int mouseState = 0;
    int drawMode = 2;
    int bodySlices = 12;
    int orbitLevel = 0;
    int textureMode = 1;
    int textureFilter = 0;
    int alphaBlend = 1;
    std::string textureDir;

    // Orbit and body detail as the Detail levels Low 0, Mid 1, High 2 set them.
    void setOrbitLevel(int level) {
        orbitLevel = level;
        orbitPoints = level == 1 ? 128 : level == 2 ? 256 : 64;
    }
    void setBodyLevel(int level) { bodySlices = level == 1 ? 24 : level == 2 ? 36 : 12; }

    Quaternion getCameraViewRot() const override { return viewRot; }
    int getCameraPrevMode() const override { return prevMode; }
    int isCameraAnimating() const override { return animating; }
    double getCameraAnimRatio() const override { return animRatio; }
    int getCameraHeadLight() const override { return headLight; }
    int getCameraMouseState() const override { return mouseState; }
    int getDrawMode() const override { return drawMode; }
    int getBodySlices() const override { return bodySlices; }
    int getOrbitLevel() const override { return orbitLevel; }
    int getTextureMode() const override { return textureMode; }
    int getTextureFilter() const override { return textureFilter; }
    int getAlphaBlend() const override { return alphaBlend; }
    std::string getTexturePath(const std::string& name) const override {
        if (textureDir.empty())
            return name;
        const size_t slash = name.find_last_of('/');
        return textureDir + "/" + (slash == std::string::npos ? name : name.substr(slash + 1));
    }
};
