// A spacecraft (kind 9): a body that follows a tabulated trajectory about its
// parent (the Sun), exists only between the first and the last time of the
// table, is drawn with an OBJ model and leaves a trail along the part of its
// path already flown.
//
// The spacecraft file is text, one keyword a line with its values (the rest of
// the line is ignored; "#" starts a comment): "Name:" word, "Radius:" km and
// polar ratio, "Magnitude:", "Color:" red green blue, "Model:" an OBJ file in
// "./models", "SimMode:" "All" or an index (negative from the end) that the
// following "State:" (Show, Hide, Hlight), "RadiusRate:" and "OrbitRate:"
// (two values each) lines change, and "OrbitData:" N followed by N point
// lines "JD x y z" (km, relative to the parent). Lines shorter than five
// characters are no point lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Vector3.h"
#include "model/DsAstrBody.h"
#include "model/ObjModel.h"

class DsSpacecraft : public DsAstrBody {
public:
    DsSpacecraft(const std::string& name, DsAstrBody* parent, Ssystem* system);
    ~DsSpacecraft() override;

    // Frees the trajectory and the model (and the model's display list).
    void clear() override;
    // "Model:" in a definition block of the ssystem data file.
    void readKeyword(const std::string& token, DataFile& file) override;
    // 0 when the file gives no trajectory point.
    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;
    // 1 while the current time lies within the trajectory.
    int isActive() override;
    // Drawing (DsSpacecraftDraw.cpp): the model, lit and scaled to the
    // display radius, and its trail (pass 0).
    void draw(int pass) override;
    // The trail flown so far, up to the current position, in the spacecraft
    // orbit colour or the highlighted one.
    void drawTrajectory(int highlighted);

    // The interpolated trajectory position (AU, before the orbit rate) at a
    // Julian Date; false, and out unchanged, without points.
    bool positionAt(double jd, Vector3& out) const;
    // Loads the model from "./models" (relative to the current directory);
    // false, with a message, when it cannot be read.
    bool loadModel(const std::string& fileName);

    double getCurrentTime() const { return currentTime_; }
    double getFirstTime() const { return firstTime_; }
    double getLastTime() const { return lastTime_; }
    int getPointCount() const { return int(times_.size()); }
    const std::vector<double>& getTimes() const { return times_; }
    const std::vector<Vector3>& getPositions() const { return positions_; }
    // Leading points the trail draws before the current position.
    int getTrailIndex() const { return trailIndex_; }
    const Vector3& getTrajectoryPosition() const { return trajectoryPosition_; }
    const Vector3& getModelScale() const { return modelScale_; }
    // Null until a model has been loaded.
    ObjModel* getModel() const { return model_ && model_->isLoaded() ? model_.get() : nullptr; }

private:
    // Reads the point lines of an "OrbitData:" block.
    void readPoints(DataFile& file);
    void readRates(DataFile& file, int selected, bool radius);

    double currentTime_ = 0.0;
    double firstTime_ = 0.0;
    double lastTime_ = 0.0;
    Vector3 modelScale_{1.0, 1.0, 1.0};
    std::vector<double> times_;
    std::vector<Vector3> positions_;
    int trailIndex_ = 0;
    Vector3 trajectoryPosition_;
    std::unique_ptr<ObjModel> model_;
};
