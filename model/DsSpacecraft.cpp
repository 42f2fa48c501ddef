#include "model/DsSpacecraft.h"

#include <algorithm>
#include <sstream>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Quaternion.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"
#include "platform/CurrentDirGuard.h"
#include "platform/NumericLocale.h"

DsSpacecraft::DsSpacecraft(const std::string& name, DsAstrBody* parent, Ssystem* system)
    : DsAstrBody(name, parent, system), model_(std::make_unique<ObjModel>()) {
    kind_ = Spacecraft;
}

DsSpacecraft::~DsSpacecraft() {
    if (model_)
        model_->releaseList();
}

void DsSpacecraft::clear() {
    times_.clear();
    positions_.clear();
    firstTime_ = lastTime_ = 0.0;
    trailIndex_ = 0;
    if (model_)
        model_->releaseList();
    // A fresh empty model, so that nothing refers to the one deleted.
    model_ = std::make_unique<ObjModel>();
    DsAstrBody::clear();
}

bool DsSpacecraft::loadModel(const std::string& fileName) {
    platform::CurrentDirGuard guard;
    if (!guard.change("./models")) {
        logMessage("Could not open the model directory for %s.", fileName.c_str());
        return false;
    }
    if (!model_)
        model_ = std::make_unique<ObjModel>();
    return model_->load(fileName);
}

void DsSpacecraft::readKeyword(const std::string& token, DataFile& file) {
    if (token == "Model:") {
        std::string fileName;
        nextToken(file, fileName);
        loadModel(fileName);
    }
}

void DsSpacecraft::readRates(DataFile& file, int selected, bool radius) {
    double a = 1.0, b = 1.0;
    file.readDouble(a).readDouble(b);
    for (int k = 0; k < int(states_.size()); ++k) {
        if (selected != -1 && selected != k)
            continue;
        (radius ? states_[size_t(k)].radiusRate1 : states_[size_t(k)].orbitRate1) = a;
        (radius ? states_[size_t(k)].radiusRate2 : states_[size_t(k)].orbitRate2) = b;
    }
}

namespace {

// A point line "JD x y z"; false when it holds fewer than four words or its
// time is no number.
bool parsePoint(const std::string& line, double& jd, Vector3& p) {
    std::istringstream in(line);
    std::string words[4];
    for (std::string& word : words) {
        if (!(in >> word))
            return false;
    }
    const char* end = nullptr;
    jd = platform::parseDouble(words[0].c_str(), &end);
    if (end == words[0].c_str())
        return false;
    p = Vector3(platform::parseDouble(words[1].c_str()) / kKmPerAu,
                platform::parseDouble(words[2].c_str()) / kKmPerAu,
                platform::parseDouble(words[3].c_str()) / kKmPerAu);
    return true;
}

} // namespace

void DsSpacecraft::readPoints(DataFile& file) {
    int count = 0;
    file.readInt(count);
    times_.clear();
    positions_.clear();
    if (count < 1) {
        logMessage("%s : OrbitData count %d holds no point.", name_.c_str(), count);
        return;
    }
    // The count comes from the file: the table grows with the lines there are.
    times_.reserve(size_t(std::min(count, 100000)));
    positions_.reserve(times_.capacity());
    // The first line is the rest of the "OrbitData:" line itself; exactly
    // count point lines are taken, so that the line after them is read again
    // as a keyword line.
    int lines = 0;
    std::string line;
    while (lines < count && file.good()) {
        file.readLine(line);
        if (line.size() < 5)
            continue;
        ++lines;
        double jd = 0.0;
        Vector3 p;
        if (!parsePoint(line, jd, p)) {
            logMessage("%s : Bad trajectory point \"%s\".", name_.c_str(), line.c_str());
            continue;
        }
        times_.push_back(jd);
        positions_.push_back(p);
    }
    // Interpolation needs the times in order.
    if (!std::is_sorted(times_.begin(), times_.end())) {
        logMessage("%s : Trajectory times are not in order; sorted.", name_.c_str());
        std::vector<size_t> order(times_.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return times_[a] < times_[b]; });
        std::vector<double> times;
        std::vector<Vector3> positions;
        for (size_t i : order) {
            times.push_back(times_[i]);
            positions.push_back(positions_[i]);
        }
        times_.swap(times);
        positions_.swap(positions);
    }
}

int DsSpacecraft::readOrbitData(DataFile& file) {
    if (states_.empty())
        makeSimModeStates();
    int selected = -1; // "SimMode:" selects; every sim mode until then
    std::string token, rest;
    while (nextToken(file, token)) {
        if (token == "OrbitData:") {
            readPoints(file);
            continue;
        }
        if (token == "RadiusRate:" || token == "OrbitRate:")
            readRates(file, selected, token == "RadiusRate:");
        else if (token == "Model:")
            readKeyword(token, file);
        else
            readSharedOrbitKeyword(token, file, selected);
        file.readLine(rest);
    }
    trailIndex_ = 0;
    if (times_.empty()) {
        firstTime_ = lastTime_ = 0.0;
        return 0;
    }
    firstTime_ = times_.front();
    lastTime_ = times_.back();
    return 1;
}

bool DsSpacecraft::positionAt(double jd, Vector3& out) const {
    if (times_.empty())
        return false;
    if (jd <= times_.front()) {
        out = positions_.front();
        return true;
    }
    if (jd >= times_.back()) {
        out = positions_.back();
        return true;
    }
    const size_t k = size_t(std::lower_bound(times_.begin(), times_.end(), jd) - times_.begin());
    const double span = times_[k] - times_[k - 1];
    if (!(span > 0.0)) {
        out = positions_[k];
        return true;
    }
    out = positions_[k - 1] + (positions_[k] - positions_[k - 1]) * ((jd - times_[k - 1]) / span);
    return true;
}

void DsSpacecraft::updatePosition(double t) {
    const double rate = getOrbitScale();
    currentTime_ = julianDateFromTime(t);
    if (!positionAt(currentTime_, trajectoryPosition_))
        return;
    position_ = trajectoryPosition_ * rate;
    // The model's x axis points away from the parent.
    rotation_ = Quaternion(Vector3(1, 0, 0), position_);
    modelScale_ = Vector3(rate, rate, rate);
    if (currentTime_ >= lastTime_) {
        trailIndex_ = int(times_.size()) - 1;
    } else if (currentTime_ > firstTime_) {
        trailIndex_ =
            int(std::upper_bound(times_.begin(), times_.end(), currentTime_) - times_.begin());
    } else {
        trailIndex_ = 0;
    }
}

int DsSpacecraft::isActive() {
    return !times_.empty() && firstTime_ <= currentTime_ && currentTime_ <= lastTime_;
}
