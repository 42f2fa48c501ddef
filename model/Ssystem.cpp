#include "model/Ssystem.h"

#include <algorithm>
#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "graphics/Texture.h"
#include "model/BodyFactory.h"
#include "model/DsAstrBody.h"
#include "model/ModelFile.h"
#include "model/ModelServices.h"
#include "model/OrbitNameIndex.h"
#include "model/TwoLineElements.h"

Ssystem::Ssystem(Main* owner, ModelServices* services)
    : Base("Ssystem", owner), owner_(owner), services_(services),
      nameFont_(std::make_unique<LabelFont>()), orbitIndex_(std::make_unique<OrbitNameIndex>()) {
    nameColor_.set(1.0, 1.0, 1.0, 1.0);
    cloudsOpacity_.set(1.0);
    scaleTransition_.set(1.0);
    registerCommands();
}

Ssystem::~Ssystem() {
    releaseDisplayLists();
    clearBodies();
}

void Ssystem::clearBodies() {
    // The list is dropped first, so that the bodies leaving it find it empty.
    allBodies_.clear();
    bodiesByName_.clear();
    selectedIndex_ = -1;
    topBodies_.clear();
    dataOrbitFiles_.clear();
}

void Ssystem::registerBody(DsAstrBody* body) {
    noteBodyChange();
    castersListed_ = false;
    allBodies_.push_back(body);
    BodyName& entry = bodiesByName_[body->getName()];
    if (entry.count++ == 0)
        entry.first = body; // a body listed later never comes first
}

DsAstrBody* Ssystem::firstNamed(const std::string& name) const {
    for (DsAstrBody* body : allBodies_) {
        if (body->getName() == name)
            return body;
    }
    return nullptr;
}

void Ssystem::forgetName(const DsAstrBody* body, const std::string& name) {
    const auto it = bodiesByName_.find(name);
    if (it == bodiesByName_.end())
        return;
    if (--it->second.count <= 0)
        bodiesByName_.erase(it);
    else if (it->second.first == body)
        it->second.first = firstNamed(name); // bodies of one name are rare
}

void Ssystem::renamedBody(DsAstrBody* body, const std::string& oldName) {
    forgetName(body, oldName);
    BodyName& entry = bodiesByName_[body->getName()];
    entry.first = entry.count++ == 0 ? body : firstNamed(body->getName());
}

void Ssystem::unregisterBody(DsAstrBody* body) {
    // Bodies leave mostly from the end (the latest added); search from there.
    for (auto it = allBodies_.rbegin(); it != allBodies_.rend(); ++it) {
        if (*it == body) {
            noteBodyChange();
            castersListed_ = false;
            const int index = int(allBodies_.rend() - it) - 1;
            allBodies_.erase(std::next(it).base());
            forgetName(body, body->getName());
            if (selectedIndex_ > index)
                --selectedIndex_;
            else if (selectedIndex_ == index)
                selectedIndex_ = allBodies_.empty() ? -1 : 0;
            if (selectedIndex_ >= int(allBodies_.size()))
                selectedIndex_ = int(allBodies_.size()) - 1;
            return;
        }
    }
}

void Ssystem::unregisterBodies(const std::unordered_set<const DsAstrBody*>& leaving) {
    const DsAstrBody* selected = getSelectedBody();
    allBodies_.erase(std::remove_if(allBodies_.begin(), allBodies_.end(),
                                    [&](DsAstrBody* body) {
                                        if (!leaving.count(body))
                                            return false;
                                        body->markUnlisted();
                                        return true;
                                    }),
                     allBodies_.end());
    for (const DsAstrBody* body : leaving)
        forgetName(body, body->getName());
    // As one by one: a selection that goes passes to the first body.
    selectedIndex_ = allBodies_.empty() ? -1 : 0;
    if (selected && !leaving.count(selected)) {
        const auto at = std::find(allBodies_.begin(), allBodies_.end(), selected);
        selectedIndex_ = int(at - allBodies_.begin());
    }
}

DsAstrBody* Ssystem::findBody(const std::string& name) const {
    const auto it = bodiesByName_.find(name);
    return it == bodiesByName_.end() ? nullptr : it->second.first;
}

void Ssystem::addTopBody(std::unique_ptr<DsAstrBody> body) {
    topBodies_.push_back(std::move(body));
}

int Ssystem::readData(const std::string& path) {
    DataFile file;
    if (!file.open(path, DataFile::ReadWrite, 0, DataFile::HostOrder)) {
        logFileFailure("Could not open ssystem data file.\n", path, file.error());
        return 0;
    }
    simModeNames_.clear();
    simModeRates_.clear();
    std::string token;
    while (nextToken(file, token)) {
        if (closesRecord(token))
            break;
        if (token == "DefineSimMode:") {
            std::string name;
            nextToken(file, name);
            SimModeRates rates;
            file.readDouble(rates.radiusRateOff)
                .readDouble(rates.radiusRateOn)
                .readDouble(rates.orbitRateOff)
                .readDouble(rates.orbitRateOn);
            simModeNames_.push_back(name);
            simModeRates_.push_back(rates);
        } else if (token == "Child:") {
            std::string type, name;
            nextToken(file, type);
            nextToken(file, name);
            if (type == "AstrBelt") {
                readBelt(file);
                continue;
            }
            std::unique_ptr<DsAstrBody> body = makeBody(type, name, nullptr, this);
            if (!body) {
                logMessage("Undefined astr body type %s.", type.c_str());
                skipBlock(file);
                continue;
            }
            if (body->readDefinition(file)) {
                noteOrbitFiles(*body);
                topBodies_.push_back(std::move(body));
            }
        }
    }
    if (simModeNames_.empty() || topBodies_.empty())
        logMessage("Ssystem data file %s is empty or damaged: it defines %d sim modes and %d "
                   "bodies.",
                   path.c_str(), int(simModeNames_.size()), int(topBodies_.size()));
    if (simModeIndex_ >= getSimModeCount())
        simModeIndex_ = 0;
    selectedIndex_ = -1;
    select(0, 0, -1);
    return 1;
}

void Ssystem::noteOrbitFiles(const DsAstrBody& body) {
    if (!body.getOrbitFile().empty())
        dataOrbitFiles_.emplace_back(body.getName(), body.getOrbitFile());
    for (const auto& child : body.getChildren())
        noteOrbitFiles(*child);
}

void Ssystem::readBelt(DataFile& file) {
    std::string token;
    while (nextToken(file, token)) {
        if (closesRecord(token))
            return;
        if (token == "InnerRadius:")
            file.readDouble(beltInnerRadius_);
        else if (token == "OuterRadius:")
            file.readDouble(beltOuterRadius_);
        else if (token == "Texture:")
            nextToken(file, beltTextureName_);
    }
}

int Ssystem::setShadowTexture(const std::string& fileName) {
    shadowTextureName_ = fileName;
    return 1;
}

void Ssystem::update(double time) {
    frameBodies_.resize(allBodies_.size());
    for (std::size_t i = 0; i < allBodies_.size(); ++i) {
        DsAstrBody* body = allBodies_[i];
        if (body->getSimModeFlag() != SimModeState::Hide)
            body->updatePosition(time);
        recordFrameBody(i, *body);
    }
    recordedAt_ = bodyChanges_;
    recordChildSlots();
}

void Ssystem::recordChildSlots() {
    if (slotsAt_ == bodyChanges_)
        return;
    for (DsAstrBody* body : allBodies_) {
        std::vector<int> childSlots;
        childSlots.reserve(body->getChildren().size());
        for (const auto& child : body->getChildren())
            childSlots.push_back(child->getFrameSlot());
        body->setChildSlots(std::move(childSlots));
    }
    slotsAt_ = bodyChanges_;
}

bool Ssystem::recordsCurrent() const {
    return recordedAt_ == bodyChanges_ && slotsAt_ == bodyChanges_ &&
           frameBodies_.size() == allBodies_.size();
}

void Ssystem::gatherRecordDots() {
    fromRecord_.assign(frameBodies_.size(), 0);
    recordDiameters_.resize(frameBodies_.size());
    recordPass_ = false;
    if (orbit_ || !recordsCurrent())
        return;
    recordPass_ = true;
    recordDots_.open();
    for (std::size_t i = 0; i < frameBodies_.size(); ++i) {
        const FrameBody& record = frameBodies_[i];
        if (!record.plain)
            continue;
        if (record.state == SimModeState::Hide) {
            fromRecord_[i] = 1;
            recordDiameters_[i] = 0.0f;
            continue;
        }
        const Vector3 eye = recordDots_.toEye(record.trans);
        const float diameter = float(recordDots_.projectedDiameter(eye, record.radius));
        // One seen as a globe is drawn by its body in the walk.
        if (!(record.dotSize > diameter))
            continue;
        recordDots_.add(eye, record.dotSize, record.rgb);
        fromRecord_[i] = 1;
        recordDiameters_[i] = diameter;
    }
}

bool Ssystem::isDrawnFromRecord(int slot, int pass) const {
    if (slot < 0 || std::size_t(slot) >= frameBodies_.size() || !recordsCurrent())
        return false;
    if (pass == 0)
        return recordPass_ && std::size_t(slot) < fromRecord_.size() &&
               fromRecord_[std::size_t(slot)];
    return frameBodies_[std::size_t(slot)].plain;
}

void Ssystem::recordedDiameter(const DsAstrBody* body, float& diameter) const {
    const int slot = body->getFrameSlot();
    if (slot < 0 || std::size_t(slot) >= fromRecord_.size() || !recordsCurrent() ||
        allBodies_[std::size_t(slot)] != body || !fromRecord_[std::size_t(slot)])
        return;
    diameter = recordDiameters_[std::size_t(slot)];
}

void Ssystem::recordFrameBody(std::size_t slot, DsAstrBody& body) {
    FrameBody& record = frameBodies_[slot];
    // A parent comes before its children in the list; its record is then
    // this frame's.
    const DsAstrBody* parent = body.getParent();
    const int parentSlot = parent ? parent->getFrameSlot() : -1;
    if (!parent)
        record.trans = body.getPosition();
    else if (parentSlot >= 0 && std::size_t(parentSlot) < slot &&
             allBodies_[std::size_t(parentSlot)] == parent)
        record.trans = frameBodies_[std::size_t(parentSlot)].trans + body.getPosition();
    else
        record.trans = body.getTrans();
    record.radius = body.getCurrentDisplayRadius();
    record.dotSize = body.getDotSize();
    const float* rgb = body.getColor();
    std::copy(rgb, rgb + 3, record.rgb);
    record.state = body.getState();
    record.plain = body.isPlainSmallBody();
    body.setFrameSlot(int(slot));
}

void Ssystem::refreshFrameBodies() {
    if (recordedAt_ == bodyChanges_ && frameBodies_.size() == allBodies_.size())
        return;
    frameBodies_.resize(allBodies_.size());
    for (std::size_t i = 0; i < allBodies_.size(); ++i)
        recordFrameBody(i, *allBodies_[i]);
    recordedAt_ = bodyChanges_;
    recordChildSlots();
}

const std::vector<DsAstrBody*>& Ssystem::getShadowCasters() {
    // Bodies are typed once they are made, before the first draw.
    if (!castersListed_) {
        shadowCasters_.clear();
        for (DsAstrBody* body : allBodies_) {
            const int kind = body->getType();
            if (kind == DsAstrBody::Earth || kind == DsAstrBody::Moon)
                shadowCasters_.push_back(body);
        }
        castersListed_ = true;
    }
    return shadowCasters_;
}

std::string Ssystem::getSimModeName() const {
    if (simModeIndex_ < 0 || simModeIndex_ >= getSimModeCount())
        return "";
    return simModeNames_[size_t(simModeIndex_)];
}

void Ssystem::simMode(int index) {
    if (index < 0 || index >= getSimModeCount())
        index = 0;
    const bool changed = index != simModeIndex_;
    simModeIndex_ = index;
    noteBodyChange();
    select(0, 0, -1);
    withCamera([](ModelServices& camera) { camera.setCameraMode(0, 0, -1, 0); });
    // The bodies' radii and orbits follow the new mode's rates.
    if (changed)
        makeDisplayLists(0);
}

void Ssystem::select(int index, int tellCamera, int steps) {
    if (allBodies_.empty()) {
        selectedIndex_ = -1;
        return;
    }
    if (index == selectedIndex_ && index >= 0 && index < int(allBodies_.size())) {
        allBodies_[size_t(index)]->markSelected();
        return;
    }
    if (index < 0 || index >= int(allBodies_.size()))
        index = 0;
    if (DsAstrBody* old = getSelectedBody())
        old->markUnselected();
    selectedIndex_ = index;
    allBodies_[size_t(index)]->markSelected();
    if (tellCamera && getCameraMode() != ModelServices::Fly)
        withCamera([steps](ModelServices& camera) { camera.setCameraMode(0, 1, steps, 0); });
}

void Ssystem::withCamera(const std::function<void(ModelServices&)>& call) {
    if (!services_)
        return;
    const int recording = owner_ ? owner_->interp.isRecording() : 0;
    if (owner_)
        owner_->interp.setRecording(0);
    call(*services_);
    if (owner_)
        owner_->interp.setRecording(recording);
}

DsAstrBody* Ssystem::getSelectedBody() const {
    if (selectedIndex_ < 0 || selectedIndex_ >= int(allBodies_.size()))
        return nullptr;
    return allBodies_[size_t(selectedIndex_)];
}

std::string Ssystem::getSelectedName() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getName() : "";
}

std::string Ssystem::getSelectedTexture() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getTextureName() : "";
}

std::string Ssystem::getAtmosphere() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getAtmosphere() : "None";
}

std::string Ssystem::getPlaceName() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getPlaceName() : "";
}

std::string Ssystem::getPlaceWeather() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getPlaceWeather() : "None";
}

std::string Ssystem::getPlacePanorama() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getPlacePanorama() : "";
}

Vector3 Ssystem::getTrans() const {
    if (const DsAstrBody* body = getSelectedBody())
        return body->getTrans();
    logMessage("getTrans() to NULL astrBody.");
    return Vector3();
}

Vector3 Ssystem::getObserveTrans(int atRate2, double distance) const {
    if (const DsAstrBody* body = getSelectedBody())
        return body->getObserveTrans(atRate2, distance);
    logMessage("getObserveTrans() to NULL astrBody.");
    return Vector3();
}

Quaternion Ssystem::getObserveRot() const {
    if (const DsAstrBody* body = getSelectedBody())
        return body->getObserveRot();
    logMessage("getObserveRot() to NULL astrBody.");
    return Quaternion(Vector3(1, 0, 0), 0.0);
}

double Ssystem::getRadius() const {
    if (const DsAstrBody* body = getSelectedBody())
        return body->getDisplayRadius();
    logMessage("getRadius() to NULL astrBody.");
    return 1.0;
}

int Ssystem::getPlaceIndex() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getPlaceIndex() : -1;
}

double Ssystem::getPlaceLat() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getSelectedPlaceLat() : 0.0;
}

double Ssystem::getPlaceLon() const {
    const DsAstrBody* body = getSelectedBody();
    return body ? body->getSelectedPlaceLon() : 0.0;
}

Vector3 Ssystem::getTransByName(const std::string& name) const {
    if (const DsAstrBody* body = findBody(name))
        return body->getTrans();
    logMessage("getTrans() to NULL astrBody.");
    return Vector3();
}

double Ssystem::getSunRadius() const {
    if (topBodies_.empty()) {
        logMessage("getSunRadius() to NULL sun.");
        return 1.0;
    }
    return topBodies_.front()->getDisplayRadius();
}

double Ssystem::getSunTrueRadius() const {
    return topBodies_.empty() ? 1.0 : topBodies_.front()->getRadius();
}

double Ssystem::getRadiusRate() const {
    if (simModeIndex_ < 0 || simModeIndex_ >= getSimModeCount())
        return 1.0;
    const SimModeRates& r = simModeRates_[size_t(simModeIndex_)];
    return scale_ && !scaleTransition_.isRunning() ? r.radiusRateOn : r.radiusRateOff;
}

double Ssystem::getOrbitRate() const {
    if (simModeIndex_ < 0 || simModeIndex_ >= getSimModeCount())
        return 1.0;
    const SimModeRates& r = simModeRates_[size_t(simModeIndex_)];
    return scale_ ? r.orbitRateOn : r.orbitRateOff;
}

int Ssystem::isBodyShown(const std::string& name) const {
    const DsAstrBody* body = findBody(name);
    return body ? body->isShown() : 0;
}

Quaternion Ssystem::getLookRot(const std::string& name, int mode) const {
    for (const DsAstrBody* body : allBodies_) {
        if (body->getName() != name)
            continue;
        Vector3 dir = body->getTrans();
        if (mode == 1 || mode == 2) {
            dir = -dir - getCameraPos();
            dir.normalize();
        } else if (mode != 0) {
            continue;
        }
        const double a = std::atan2(dir.x, dir.y);
        const double e = std::atan2(dir.z, std::sqrt(dir.x * dir.x + dir.y * dir.y));
        const Quaternion turn(0.0, 0.0, a);
        const Quaternion tilt(Vector3(1, 0, 0), 1.5707963267948966 - e);
        if (mode == 0)
            return (turn * tilt) * Quaternion(Vector3(0, 0, 1), 3.141592653589793);
        return turn * tilt;
    }
    return Quaternion(Vector3(0, 0, 1), 0.0);
}

int Ssystem::getCameraMode() const {
    return services_ ? services_->getCameraMode() : ModelServices::Examine;
}

double Ssystem::getCameraPlaceDist() const {
    return services_ ? services_->getCameraPlaceDist() : 1.0;
}

Vector3 Ssystem::getCameraPos() const {
    return services_ ? services_->getCameraPos() : Vector3();
}

int Ssystem::getOrbitPoints() const {
    return services_ ? services_->getOrbitPoints() : 64;
}

std::string Ssystem::getDefaultPlaceName() const {
    return services_ ? services_->getDefaultPlaceName() : "Surface";
}
