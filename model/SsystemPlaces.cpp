// The place list of the Ssystem, the place commands on the selected body and
// the display states of bodies named in a text.
#include <set>
#include <sstream>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/DsAstrBody.h"
#include "model/ListFile.h"
#include "model/Ssystem.h"

namespace {

// The kinds whose places the list keeps: the bodies of the data file.
bool keepsPlacesInList(int type) {
    return type == DsAstrBody::Planet || type == DsAstrBody::Sun || type == DsAstrBody::Earth ||
           type == DsAstrBody::Moon || type == DsAstrBody::Satellite;
}

} // namespace

bool Ssystem::loadPlaceList(const std::string& path) {
    const ListSettings settings = getListSettings();
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    placeLoad_.loaded = true;
    DataFile file;
    if (!file.open(path)) {
        logFileFailure("Could not open place list file.\n", path, file.error());
        partlyRead_.note(path, file.error());
        return false;
    }
    placeLoad_ = ListLoad{true, realFilePath(path), {}};
    // Lines whose places the saves do not write (of no body, or of a body
    // added from an orbit file) go back as they are, after the places of
    // the body they followed.
    std::string after;
    const auto keep = [&](std::string line) {
        line.erase(line.find_last_not_of(" \t\r") + 1);
        placeLoad_.kept.emplace_back(after, line);
    };
    // A place the body already holds under the line's name is set from the
    // line rather than doubled, so that the places of the data file and a
    // list loaded twice appear once. Each held place takes one line.
    std::set<const DsPlace*> taken;
    std::string line;
    while (file.good()) {
        file.readLine(line);
        std::istringstream words(line);
        std::string bodyName;
        if (!(words >> bodyName) || bodyName == "Version:" || bodyName == "Locale:")
            continue;
        DsAstrBody* body = findBody(bodyName);
        if (!body) {
            logMessage("No body %s for the place list line \"%s\"; the line is kept.",
                       bodyName.c_str(), line.c_str());
            keep(line);
            continue;
        }
        if (keepsPlacesInList(body->getType()))
            after = bodyName;
        else
            keep(line);
        std::string placeLine;
        std::getline(words, placeLine);
        std::istringstream placeWords(placeLine);
        std::string placeName;
        if (!(placeWords >> placeName))
            continue;
        DsPlace* held = nullptr;
        for (int i = 0; i < body->getPlaceCount() && !held; ++i) {
            DsPlace* place = body->getPlace(i);
            if (place->getName() == placeName && !taken.count(place))
                held = place;
        }
        if (held) {
            held->setPanorama("None");
            held->setWeather("None");
            held->parse(placeLine);
        } else {
            body->addPlace(placeLine);
            held = body->getPlace(body->getPlaceCount() - 1);
        }
        taken.insert(held);
    }
    partlyRead_.note(path, file.cutReason());
    ensureDefaultPlaces();
    return true;
}

bool Ssystem::savePlaceList(const std::string& path) {
    return saveListFile(
        path, getListSettings(), placeLoad_, partlyRead_,
        [&](DataFile& file) {
            KeptEntryWriter kept(placeLoad_, path, file, [](const std::string&) { return false; });
            kept.writeAfter("");
            for (const DsAstrBody* body : allBodies_) {
                if (!keepsPlacesInList(body->getType()))
                    continue;
                for (int i = 0; i < body->getPlaceCount(); ++i)
                    file.writeString(body->getName())
                        .writeString(body->formatPlace(i))
                        .writeText("\n");
                kept.writeAfter(body->getName());
            }
            kept.writeRest();
        },
        "Could not save place list file.\n");
}

void Ssystem::ensureDefaultPlaces() {
    for (DsAstrBody* body : allBodies_)
        body->ensureDefaultPlace();
}

void Ssystem::addPlace() {
    if (DsAstrBody* body = getSelectedBody())
        body->addNewPlace();
}

void Ssystem::removePlace() {
    if (DsAstrBody* body = getSelectedBody()) {
        body->removeSelectedPlace();
        body->ensureDefaultPlace();
    }
}

void Ssystem::setPlaceName(const std::string& name) {
    if (DsAstrBody* body = getSelectedBody()) {
        body->setPlaceName(name);
        body->ensureDefaultPlace();
    }
}

void Ssystem::placePanorama(const std::string& name) {
    if (DsAstrBody* body = getSelectedBody())
        body->setPlacePanorama(name);
}

void Ssystem::setStatesByNames(const std::string& names, int state) {
    // Show and highlight reach only the bodies the data shows in this sim
    // mode; hiding reaches every body.
    markBodies(names, [state](DsAstrBody& body) {
        if (state == SimModeState::Hide || body.getSimModeFlag() == SimModeState::Show)
            body.setState(state);
    });
}

void Ssystem::showAstrBodies(const std::string& names) {
    setStatesByNames(names, SimModeState::Show);
}

void Ssystem::hideAstrBodies(const std::string& names) {
    setStatesByNames(names, SimModeState::Hide);
}

void Ssystem::hlightAstrBodies(const std::string& names) {
    setStatesByNames(names, SimModeState::Hlight);
}
