// The place cursor, display state and observer geometry of a body.
#include "model/DsAstrBody.h"

#include "engine/LogMessage.h"
#include "engine/Matrix4.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

namespace {

bool inExamineMode(const Ssystem* system) {
    return !system || system->getCameraMode() == ModelServices::Examine;
}

} // namespace

std::string DsAstrBody::getPlaceName() const {
    const DsPlace* place = getPlace(placeIndex_);
    return place ? place->getName() : "None";
}

std::string DsAstrBody::getPlaceWeather() const {
    const DsPlace* place = getPlace(placeIndex_);
    return place ? place->getWeather() : "None";
}

std::string DsAstrBody::getPlacePanorama() const {
    const DsPlace* place = getPlace(placeIndex_);
    return place ? place->getPanorama() : "None";
}

std::string DsAstrBody::getPlaceNameList() const {
    std::string list;
    for (const auto& place : places_)
        list += place->getName() + " ";
    return list;
}

std::string DsAstrBody::formatPlace(int index) const {
    const DsPlace* place = getPlace(index);
    return place ? place->format() : "";
}

void DsAstrBody::setPlaceName(const std::string& name) {
    if (DsPlace* place = getPlace(placeIndex_)) {
        place->setName(name);
        ensureDefaultPlace();
    }
}

void DsAstrBody::setPlaceWeather(const std::string& weather) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setWeather(weather);
}

void DsAstrBody::setPlacePanorama(const std::string& panorama) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setPanorama(panorama);
}

void DsAstrBody::setSelectedPlaceLat(double degrees) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setLatitude(degrees);
}

void DsAstrBody::setSelectedPlaceLatTo(double degrees, int steps) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setLatitudeTo(degrees, steps);
}

void DsAstrBody::setSelectedPlaceLon(double degrees) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setLongitude(degrees);
}

void DsAstrBody::setSelectedPlaceLonTo(double degrees, int steps) {
    if (DsPlace* place = getPlace(placeIndex_))
        place->setLongitudeTo(degrees, steps);
}

double DsAstrBody::getSelectedPlaceLat() const {
    const DsPlace* place = getPlace(placeIndex_);
    return place ? place->getLatitude() : 0.0;
}

double DsAstrBody::getSelectedPlaceLon() const {
    const DsPlace* place = getPlace(placeIndex_);
    return place ? place->getLongitude() : 0.0;
}

DsPlace* DsAstrBody::getPlace(int index) const {
    if (index < 0 || index >= int(places_.size()))
        return nullptr;
    return places_[size_t(index)].get();
}

void DsAstrBody::addNewPlace() {
    auto place = std::make_unique<DsPlace>("New");
    if (const DsPlace* current = getPlace(placeIndex_)) {
        place->setLongitude(current->getLongitude());
        place->setLatitude(current->getLatitude());
    }
    places_.push_back(std::move(place));
    placeIndex_ = int(places_.size()) - 1;
}

void DsAstrBody::removeSelectedPlace() {
    const DsPlace* place = getPlace(placeIndex_);
    if (!place || place->getName() == homePlaceName_)
        return;
    places_.erase(places_.begin() + placeIndex_);
    ensureDefaultPlace();
    placeIndex_ = int(places_.size()) - 1;
}

void DsAstrBody::addPlace(const std::string& placeLine) {
    auto place = std::make_unique<DsPlace>("New");
    place->parse(placeLine);
    places_.push_back(std::move(place));
}

void DsAstrBody::clearPlaces() {
    places_.clear();
    placeIndex_ = -1;
}

void DsAstrBody::selectPlace(int index) {
    if (index >= 0 && index < int(places_.size()))
        placeIndex_ = index;
    else if (inExamineMode(system_))
        placeIndex_ = -1;
}

void DsAstrBody::selectPlace(const std::string& name) {
    for (size_t i = 0; i < places_.size(); ++i) {
        if (places_[i]->getName() == name) {
            placeIndex_ = int(i);
            return;
        }
    }
    if (inExamineMode(system_))
        placeIndex_ = -1;
}

void DsAstrBody::selectHomePlace() {
    if (!places_.empty())
        selectPlace(homePlaceName_);
}

void DsAstrBody::selectNextPlace() {
    if (places_.empty())
        return;
    const int next = placeIndex_ + 1;
    if (next < int(places_.size()))
        placeIndex_ = next;
    else
        placeIndex_ = inExamineMode(system_) ? -1 : 0;
}

void DsAstrBody::selectPrevPlace() {
    if (places_.empty())
        return;
    const int last = int(places_.size()) - 1;
    if (placeIndex_ < 0)
        placeIndex_ = last;
    else if (placeIndex_ > 0)
        placeIndex_ = placeIndex_ - 1;
    else
        placeIndex_ = inExamineMode(system_) ? -1 : last;
}

void DsAstrBody::markSelected() {
    selectPlace(-1);
    selected_ = 1;
}

void DsAstrBody::markUnselected() {
    selectPlace(-1);
    selected_ = 0;
}

void DsAstrBody::ensureDefaultPlace() {
    const std::string name = system_ ? system_->getDefaultPlaceName() : "Surface";
    for (const auto& place : places_) {
        if (place->getName() == name)
            return;
    }
    places_.push_back(std::make_unique<DsPlace>(name));
}

const SimModeState* DsAstrBody::currentState() const {
    const int index = system_ ? system_->getSimModeIndex() : 0;
    if (index < 0 || index >= int(states_.size()))
        return nullptr;
    return &states_[size_t(index)];
}

SimModeState* DsAstrBody::currentState() {
    return const_cast<SimModeState*>(static_cast<const DsAstrBody*>(this)->currentState());
}

int DsAstrBody::getState() const {
    const SimModeState* s = currentState();
    return s ? s->state : SimModeState::Hide;
}

void DsAstrBody::setState(int state) {
    SimModeState* s = currentState();
    if (s && state >= SimModeState::Show && state <= SimModeState::Hlight)
        s->state = state;
    if (system_)
        system_->noteBodyChange();
}

int DsAstrBody::getSimModeFlag() const {
    const SimModeState* s = currentState();
    return s ? s->definedState : SimModeState::Hide;
}

Vector3 DsAstrBody::getTrans() const {
    Vector3 trans = position_;
    for (const DsAstrBody* p = parent_; p; p = p->parent_)
        trans += p->position_;
    return trans;
}

Vector3 DsAstrBody::getTrueTrans() const {
    Vector3 trans;
    for (const DsAstrBody* b = this; b; b = b->parent_) {
        const double scale = b->getOrbitScale();
        trans += scale != 0.0 ? b->position_ * (1.0 / scale) : b->position_;
    }
    return trans;
}

double DsAstrBody::getRadiusAtRate2() const {
    const SimModeState* s = currentState();
    return radius_ * (s ? s->radiusRate2 : 1.0);
}

double DsAstrBody::getRadiusAtRate1() const {
    const SimModeState* s = currentState();
    return radius_ * (s ? s->radiusRate1 : 1.0);
}

double DsAstrBody::getDisplayRadius() const {
    return system_ && system_->getScale() ? getRadiusAtRate2() : getRadiusAtRate1();
}

double DsAstrBody::getScaleRatio() const {
    const SimModeState* s = currentState();
    if (!s)
        return 1.0;
    const double t = system_ ? system_->getScaleTransitionValue() : 1.0;
    const double v = t * (s->radiusRate1 - s->radiusRate2) + s->radiusRate2;
    const double rate = system_ && system_->getScale() ? s->radiusRate2 : s->radiusRate1;
    // A body scaled to nothing has nothing to scale.
    return rate != 0.0 ? v / rate : 1.0;
}

double DsAstrBody::getOrbitScale() const {
    const SimModeState* s = currentState();
    if (!s)
        return 1.0;
    return system_ && system_->getScale() ? s->orbitRate2 : s->orbitRate1;
}

const DsPlace* DsAstrBody::observedPlace(const char* missingMessage) const {
    const DsPlace* place = getPlace(placeIndex_);
    if (!place && !noPlaceReported_)
        logMessage("%s", missingMessage);
    noPlaceReported_ = !place;
    return place;
}

Vector3 DsAstrBody::getObserveTrans(int atRate2, double distance) const {
    const double d = distance > 0.0 ? distance : (system_ ? system_->getCameraPlaceDist() : 1.0);
    const DsPlace* place = observedPlace("getObserveTrans() to NULL place.");
    if (!place) {
        return getTrans();
    }
    const double r = (atRate2 ? getRadiusAtRate2() : getDisplayRadius()) * d;
    const Quaternion q0(Vector3(1, 0, 0), -kPi / 2);
    const Quaternion q = (q0 * place->getRotation()) * rotation_;
    Matrix4 m;
    q.getMatrix(m);
    Vector3 o;
    m.transform(Vector3(0, 0, r), o);
    return getTrans() + o;
}

Quaternion DsAstrBody::getObserveRot() const {
    const DsPlace* place = observedPlace("getObserveRot() to NULL place.");
    if (!place) {
        return rotation_;
    }
    return place->getRotation() * rotation_;
}
