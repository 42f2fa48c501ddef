// The actions of the Ssystem command words: sim-mode and body selection,
// display switches and per-body marks, the selected body's places, scale and
// clouds.
#include <algorithm>
#include <cmath>

#include "engine/LogMessage.h"
#include "model/DsAstrBody.h"
#include "model/ModelServices.h"
#include "model/Ssystem.h"

void Ssystem::simModeName(const std::string& name) {
    const auto found = std::find(simModeNames_.begin(), simModeNames_.end(), name);
    if (found != simModeNames_.end())
        simMode(int(found - simModeNames_.begin()));
}

void Ssystem::astrName(const std::string& name, int tellCamera, int steps) {
    for (size_t i = 0; i < allBodies_.size(); ++i) {
        if (allBodies_[i]->getName() == name && allBodies_[i]->isShown()) {
            select(int(i), tellCamera, steps);
            return;
        }
    }
}

void Ssystem::selectNext(int steps) {
    const int count = int(allBodies_.size());
    const int current = selectedIndex_; // -1: start before the first body
    for (int i = current + 1; i < count; ++i) {
        if (allBodies_[size_t(i)]->isShown())
            return select(i, 1, steps);
    }
    for (int i = 0; i < current; ++i) {
        if (allBodies_[size_t(i)]->isShown())
            return select(i, 1, steps);
    }
}

void Ssystem::selectPrev(int steps) {
    const int count = int(allBodies_.size());
    const int current = selectedIndex_ < 0 ? count : selectedIndex_;
    for (int i = current - 1; i >= 0; --i) {
        if (allBodies_[size_t(i)]->isShown())
            return select(i, 1, steps);
    }
    for (int i = count - 1; i > current; --i) {
        if (allBodies_[size_t(i)]->isShown())
            return select(i, 1, steps);
    }
}

void Ssystem::nameOn() {
    name_ = 1;
}

void Ssystem::nameOff() {
    name_ = 0;
}

void Ssystem::nameTog() {
    name_ ? nameOff() : nameOn();
}

void Ssystem::axisOn() {
    axis_ = 1;
}

void Ssystem::axisOff() {
    axis_ = 0;
}

void Ssystem::axisTog() {
    axis_ ? axisOff() : axisOn();
}

void Ssystem::orbitOn() {
    orbit_ = 1;
}

void Ssystem::orbitOff() {
    orbit_ = 0;
}

void Ssystem::orbitTog() {
    orbit_ ? orbitOff() : orbitOn();
}

void Ssystem::angularOn() {
    for (DsAstrBody* body : allBodies_)
        body->setAngular(1);
    angular_ = 1;
}

void Ssystem::angularOff() {
    for (DsAstrBody* body : allBodies_)
        body->setAngular(0);
    angular_ = 0;
}

void Ssystem::angularTog() {
    angular_ ? angularOff() : angularOn();
}

void Ssystem::scaleOn() {
    scale_ = 1;
    scaleTransition_.set(0.0);
}

void Ssystem::scaleOff() {
    scale_ = 0;
    scaleTransition_.set(1.0);
}

void Ssystem::scaleTog() {
    scale_ ? scaleOff() : scaleOn();
}

void Ssystem::scaleTo(int real, int frames) {
    if ((real != 0) == (scale_ != 0))
        return;
    scale_ = real ? 1 : 0;
    scaleTransition_.startTo(real ? 0.0 : 1.0, std::max(frames, 1));
    // The camera distance counts in radii of the selected body: it keeps its
    // place in space while the body grows or shrinks to the other scale. A
    // body missing or scaled to nothing leaves the distance alone.
    const DsAstrBody* body = getSelectedBody();
    if (!body)
        return;
    const double rate1 = body->getRadiusAtRate1();
    const double rate2 = body->getRadiusAtRate2();
    const double ratio = real ? rate1 / rate2 : rate2 / rate1;
    if (rate1 <= 0.0 || rate2 <= 0.0 || !std::isfinite(ratio))
        return;
    withCamera(
        [ratio](ModelServices& camera) { camera.setCameraDist(camera.getCameraDist() * ratio); });
}

void Ssystem::fullShadowOn() {
    for (DsAstrBody* body : allBodies_) {
        if (body->getType() == DsAstrBody::Moon) {
            body->setFullShadow(1);
            fullShadow_ = 1;
        }
    }
}

void Ssystem::fullShadowOff() {
    for (DsAstrBody* body : allBodies_)
        body->setFullShadow(0);
    fullShadow_ = 0;
}

void Ssystem::fullShadowTog() {
    fullShadow_ ? fullShadowOff() : fullShadowOn();
}

void Ssystem::halfShadowOn() {
    for (DsAstrBody* body : allBodies_) {
        if (body->getType() == DsAstrBody::Moon) {
            body->setHalfShadow(1);
            halfShadow_ = 1;
        }
    }
}

void Ssystem::halfShadowOff() {
    for (DsAstrBody* body : allBodies_)
        body->setHalfShadow(0);
    halfShadow_ = 0;
}

void Ssystem::halfShadowTog() {
    halfShadow_ ? halfShadowOff() : halfShadowOn();
}

void Ssystem::dustOn() {
    dust_ = 1;
}

void Ssystem::dustOff() {
    dust_ = 0;
}

void Ssystem::dustTog() {
    dust_ ? dustOff() : dustOn();
}

void Ssystem::astrBeltOn() {
    astrBelt_ = 1;
}

void Ssystem::astrBeltOff() {
    astrBelt_ = 0;
}

void Ssystem::astrBeltTog() {
    astrBelt_ ? astrBeltOff() : astrBeltOn();
}

void Ssystem::setClouds(int value) {
    clouds_ = value;
}

void Ssystem::cloudsTog() {
    clouds_ = clouds_ == 0 ? 1 : 0;
}

void Ssystem::setCloudsOpacityTo(double value, int frames) {
    cloudsOpacity_.startTo(value, std::max(frames, 1));
}

int Ssystem::markBodies(const std::string& names, const std::function<void(DsAstrBody&)>& mark) {
    // Names stand between blanks or tabs; a text of any length is read.
    static const char* const blanks = " \t";
    int marked = 0;
    size_t end = 0;
    while (true) {
        const size_t begin = names.find_first_not_of(blanks, end);
        if (begin == std::string::npos)
            break;
        end = std::min(names.find_first_of(blanks, begin), names.size());
        const std::string word = names.substr(begin, end - begin);
        if (word == "All") {
            for (DsAstrBody* body : allBodies_)
                mark(*body);
            return marked + int(allBodies_.size());
        }
        if (DsAstrBody* body = findBody(word)) {
            mark(*body);
            ++marked;
        }
    }
    return marked;
}

void Ssystem::showAngulars(const std::string& names) {
    if (markBodies(names, [](DsAstrBody& body) { body.setAngular(1); }))
        angular_ = 1;
}

void Ssystem::hideAngulars(const std::string& names) {
    markBodies(names, [](DsAstrBody& body) { body.setAngular(0); });
}

void Ssystem::showFullShadows(const std::string& names) {
    if (markBodies(names, [](DsAstrBody& body) { body.setFullShadow(1); }))
        fullShadow_ = 1;
}

void Ssystem::hideFullShadows(const std::string& names) {
    markBodies(names, [](DsAstrBody& body) { body.setFullShadow(0); });
}

void Ssystem::showHalfShadows(const std::string& names) {
    if (markBodies(names, [](DsAstrBody& body) { body.setHalfShadow(1); }))
        halfShadow_ = 1;
}

void Ssystem::hideHalfShadows(const std::string& names) {
    markBodies(names, [](DsAstrBody& body) { body.setHalfShadow(0); });
}

template <class Action> void Ssystem::onPlaces(Action action) {
    if (DsAstrBody* body = getSelectedBody())
        action(*body);
    withCamera([](ModelServices& camera) { camera.loadPlaceWeather(); });
}

void Ssystem::selectPlace(int index) {
    if (!getSelectedBody())
        logMessage("selectPlace() to NULL astrBody.");
    onPlaces([index](DsAstrBody& body) { body.selectPlace(index); });
}

void Ssystem::selectPlace(const std::string& name) {
    if (!getSelectedBody())
        logMessage("selectPlace() to NULL astrBody.");
    onPlaces([&name](DsAstrBody& body) { body.selectPlace(name); });
}

void Ssystem::selectNextPlace() {
    onPlaces([](DsAstrBody& body) { body.selectNextPlace(); });
}

void Ssystem::placePrev() {
    onPlaces([](DsAstrBody& body) { body.selectPrevPlace(); });
}

namespace {

double clampLatitude(double degrees) {
    return std::clamp(degrees, -90.0, 90.0);
}

} // namespace

void Ssystem::moveObserver(DsAstrBody& body, int latitude, double target, int frames) {
    const double lat = body.getSelectedPlaceLat();
    const double lon = body.getSelectedPlaceLon();
    // The home place goes along with the observer, so that a named place
    // keeps its coordinates; it starts where the observer stands, so that an
    // animated change is seen from there.
    const bool moves = target != (latitude ? lat : lon);
    if (moves) {
        body.selectHomePlace();
        body.setSelectedPlaceLat(lat);
        body.setSelectedPlaceLon(lon);
    }
    if (frames == 0 && latitude)
        body.setSelectedPlaceLat(target);
    else if (frames == 0)
        body.setSelectedPlaceLon(target);
    else if (latitude)
        body.setSelectedPlaceLatTo(target, frames);
    else
        body.setSelectedPlaceLonTo(target, frames);
    // A place set to where it stands (a saved state read back) keeps its
    // weather, so that the place list is left as it was.
    if (moves || frames != 0)
        body.setPlaceWeather("None");
}

// A coordinate that is not a number moves nothing (the camera is still told).

void Ssystem::placeLat(double degrees) {
    onPlaces([this, degrees](DsAstrBody& body) {
        if (!std::isnan(degrees))
            moveObserver(body, 1, clampLatitude(degrees), 0);
    });
}

void Ssystem::placeLon(double degrees) {
    onPlaces([this, degrees](DsAstrBody& body) {
        if (std::isfinite(degrees))
            moveObserver(body, 0, degrees, 0);
    });
}

void Ssystem::placeLatTo(double degrees, int frames) {
    onPlaces([this, degrees, frames](DsAstrBody& body) {
        if (!std::isnan(degrees))
            moveObserver(body, 1, clampLatitude(degrees), std::max(frames, 1));
    });
}

void Ssystem::placeLonTo(double degrees, int frames) {
    onPlaces([this, degrees, frames](DsAstrBody& body) {
        if (std::isfinite(degrees))
            moveObserver(body, 0, degrees, std::max(frames, 1));
    });
}

void Ssystem::refPlaceLatTo(double delta, int frames) {
    onPlaces([this, delta, frames](DsAstrBody& body) {
        const double lat = body.getSelectedPlaceLat() + delta;
        if (!std::isnan(lat))
            moveObserver(body, 1, clampLatitude(lat), std::max(frames, 1));
    });
}

void Ssystem::refPlaceLonTo(double delta, int frames) {
    onPlaces([this, delta, frames](DsAstrBody& body) {
        const double lon = body.getSelectedPlaceLon() + delta;
        if (std::isfinite(lon))
            moveObserver(body, 0, lon, std::max(frames, 1));
    });
}
