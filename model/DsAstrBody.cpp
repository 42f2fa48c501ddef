#include "model/DsAstrBody.h"

#include <algorithm>
#include <cstdlib>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "graphics/Texture.h"
#include "model/BodyFactory.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

DsAstrBody::DsAstrBody(const std::string& name, DsAstrBody* parent, Ssystem* system)
    : system_(system), name_(name), parent_(parent) {
    if (system_) {
        system_->registerBody(this);
        listed_ = true;
    }
}

DsAstrBody::~DsAstrBody() {
    DsAstrBody::clear();
}

void DsAstrBody::clear() {
    releaseDrawing();
    places_.clear();
    states_.clear();
    children_.clear();
    if (system_ && listed_) {
        system_->unregisterBody(this);
        listed_ = false;
    }
}

void DsAstrBody::makeSimModeStates() {
    const int count = system_ ? system_->getSimModeCount() : 1;
    states_.assign(size_t(std::max(count, 0)), SimModeState());
}

namespace {

int stateFromWord(const std::string& word, int current) {
    if (word == "Show")
        return SimModeState::Show;
    if (word == "Hide")
        return SimModeState::Hide;
    if (word == "Hlight")
        return SimModeState::Hlight;
    return current;
}

} // namespace

int DsAstrBody::readDefinition(DataFile& file) {
    makeSimModeStates();
    // The record that "State:", "RadiusRate:" and "OrbitRate:" fill; an index
    // past the defined sim modes selects none, and those lines are then read
    // and dropped.
    SimModeState* record = states_.empty() ? nullptr : &states_[0];
    SimModeState dropped;
    std::string token;
    while (nextToken(file, token)) {
        if (closesRecord(token))
            break;
        if (token == "Radius:") {
            readRadius(file);
        } else if (token == "Magnitude:") {
            file.readDouble(magnitude_);
        } else if (token == "Orbit:") {
            std::string path;
            nextToken(file, path);
            loadOrbitFile(path);
        } else if (token == "SimMode:") {
            int index = 0;
            file.readInt(index);
            if (index >= 0 && index < int(states_.size())) {
                record = &states_[size_t(index)];
            } else {
                logMessage("SimMode %i of %s is not defined.", index, name_.c_str());
                record = nullptr;
            }
        } else if (token == "State:") {
            std::string word;
            nextToken(file, word);
            SimModeState& r = record ? *record : dropped;
            r.state = stateFromWord(word, r.state);
            r.definedState = r.state;
        } else if (token == "RadiusRate:") {
            SimModeState& r = record ? *record : dropped;
            file.readDouble(r.radiusRate1).readDouble(r.radiusRate2);
        } else if (token == "OrbitRate:") {
            SimModeState& r = record ? *record : dropped;
            file.readDouble(r.orbitRate1).readDouble(r.orbitRate2);
        } else if (token == "Place:") {
            readPlaceBlock(file);
        } else if (token == "Color:") {
            file.readFloat(color_[0]).readFloat(color_[1]).readFloat(color_[2]);
        } else if (token == "Atmosphere:") {
            nextToken(file, atmosphere_);
        } else if (token == "Child:") {
            std::string type, childName;
            nextToken(file, type);
            nextToken(file, childName);
            if (nestingDepth() + 1 >= MaxNestingDepth) {
                // Reading, drawing and freeing recurse through the tree.
                logMessage("Child %s of %s is nested more than %d deep; its block is skipped.",
                           childName.c_str(), name_.c_str(), MaxNestingDepth);
                skipBlock(file);
                continue;
            }
            std::unique_ptr<DsAstrBody> child = makeBody(type, childName, this, system_);
            if (!child) {
                logMessage("Undefined astr body type %s for %s.", type.c_str(), name_.c_str());
                skipBlock(file); // the unknown child's whole block
                continue;
            }
            child->readDefinition(file);
            addChild(std::move(child));
        } else {
            readKeyword(token, file);
        }
    }
    takeHomePlace();
    return 1;
}

int DsAstrBody::nestingDepth() const {
    int depth = 0;
    for (const DsAstrBody* body = parent_; body; body = body->parent_)
        ++depth;
    return depth;
}

void DsAstrBody::readKeyword(const std::string&, DataFile&) {}

int DsAstrBody::readOrbitData(DataFile&) {
    return 0;
}

int DsAstrBody::loadOrbitFile(const std::string& path) {
    orbitFile_ = path;
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        logMessage("Could not open orbit data in %s. %s.", path.c_str(), file.error().c_str());
        return 0;
    }
    if (!readOrbitData(file)) {
        logMessage("Orbit data error in %s.", path.c_str());
        return 0;
    }
    return 1;
}

void DsAstrBody::addChild(std::unique_ptr<DsAstrBody> child) {
    childSlots_.clear();
    children_.push_back(std::move(child));
}

void DsAstrBody::removeChild(const std::string& name) {
    childSlots_.clear();
    children_.erase(std::remove_if(children_.begin(), children_.end(),
                                   [&](const std::unique_ptr<DsAstrBody>& child) {
                                       return child->getName() == name;
                                   }),
                    children_.end());
}

void DsAstrBody::removeChildrenIf(const std::function<bool(const DsAstrBody&)>& goes) {
    childSlots_.clear();
    children_.erase(
        std::remove_if(children_.begin(), children_.end(),
                       [&](const std::unique_ptr<DsAstrBody>& child) { return goes(*child); }),
        children_.end());
}

void DsAstrBody::rename(const std::string& name) {
    const std::string old = name_;
    name_ = name;
    if (system_ && listed_)
        system_->renamedBody(this, old);
}

void DsAstrBody::updatePosition(double) {}

void DsAstrBody::readPlaceBlock(DataFile& file) {
    std::string placeName;
    nextToken(file, placeName);
    auto place = std::make_unique<DsPlace>(placeName);
    if (!place->readDefinition(file)) {
        logMessage("Place data error of %s on %s.", placeName.c_str(), name_.c_str());
        return;
    }
    place->setDefined(1);
    places_.push_back(std::move(place));
}

void DsAstrBody::readRadius(DataFile& file) {
    double km = 0.0, ratio = 1.0;
    file.readDouble(km).readDouble(ratio);
    radius_ = km / kKmPerAu;
    polarRatio_ = ratio;
}

void DsAstrBody::takeHomePlace() {
    if (!places_.empty())
        homePlaceName_ = places_.back()->getName();
}

void DsAstrBody::logUnknownToken(const std::string& token) const {
    logMessage("%s : Unknown token %s.", name_.c_str(), token.c_str());
}

bool DsAstrBody::readSharedOrbitKeyword(const std::string& token, DataFile& file, int& selected) {
    // Applies a change to the selected record or to every record.
    auto forSelected = [&](auto change) {
        if (selected == -1) {
            for (SimModeState& r : states_)
                change(r);
        } else if (selected >= 0 && selected < int(states_.size())) {
            change(states_[size_t(selected)]);
        } else {
            SimModeState dropped;
            change(dropped);
        }
    };
    if (token == "Name:") {
        std::string name;
        nextToken(file, name);
        rename(name);
    } else if (token == "Radius:") {
        readRadius(file);
    } else if (token == "Magnitude:") {
        file.readDouble(magnitude_);
    } else if (token == "Color:") {
        double r = 1.0, g = 1.0, b = 1.0;
        file.readDouble(r).readDouble(g).readDouble(b);
        color_[0] = float(r);
        color_[1] = float(g);
        color_[2] = float(b);
    } else if (token == "SimMode:") {
        std::string word;
        nextToken(file, word);
        if (word == "All") {
            selected = -1;
        } else {
            int index = std::atoi(word.c_str());
            if (index < 0)
                index += int(states_.size());
            if (index < 0) {
                selected = -1;
            } else if (index >= int(states_.size())) {
                logMessage("SimMode %s of %s is not defined.", word.c_str(), name_.c_str());
                selected = -2;
            } else {
                selected = index;
            }
        }
    } else if (token == "State:") {
        std::string word;
        nextToken(file, word);
        forSelected([&](SimModeState& r) {
            r.state = stateFromWord(word, r.state);
            r.definedState = r.state;
        });
    } else if (token == "RadiusRate:" || token == "OrbitRate:") {
        const bool radius = token == "RadiusRate:";
        // With every record selected the file holds one pair per sim mode.
        forSelected([&](SimModeState& r) {
            double a = 1.0, b = 1.0;
            file.readDouble(a).readDouble(b);
            (radius ? r.radiusRate1 : r.orbitRate1) = a;
            (radius ? r.radiusRate2 : r.orbitRate2) = b;
        });
    } else if (token == "Place:") {
        readPlaceBlock(file);
    } else {
        return false;
    }
    return true;
}
