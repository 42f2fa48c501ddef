// The place list of the Ssystem, the place commands on the selected body and
// the display states of bodies named in a text.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/DsAstrBody.h"
#include "model/ListFile.h"
#include "model/Ssystem.h"

namespace {

// The bodies of the data file; the others come from orbit files and join and
// leave with their lists.
bool fromDataFile(int type) {
    return type == DsAstrBody::Planet || type == DsAstrBody::Sun || type == DsAstrBody::Earth ||
           type == DsAstrBody::Moon || type == DsAstrBody::Satellite;
}

// The default place as a body from an orbit file gets it anew whenever it is
// added: no line of the list.
bool isBareDefault(const DsPlace& place, const std::string& defaultName) {
    const auto unset = [](const std::string& option) { return option.empty() || option == "None"; };
    return place.getName() == defaultName && place.getLatitude() == 0.0 &&
           place.getLongitude() == 0.0 && unset(place.getPanorama()) && unset(place.getWeather());
}

// A list line without the blanks, tabs and carriage return at its end.
std::string trimmed(std::string line) {
    line.erase(line.find_last_not_of(" \t\r") + 1);
    return line;
}

// Sets the place the body holds under the line's name from the line, or adds
// one. Each held place takes one line, so that the places of the data file
// and a list loaded twice appear once, and two lines of one name stay two.
void takePlace(DsAstrBody& body, const std::string& placeLine, std::set<const DsPlace*>& taken) {
    std::istringstream words(placeLine);
    std::string name;
    words >> name;
    DsPlace* held = nullptr;
    for (int i = 0; i < body.getPlaceCount() && !held; ++i) {
        DsPlace* place = body.getPlace(i);
        if (place->getName() == name && !taken.count(place))
            held = place;
    }
    if (held) {
        held->setPanorama("None");
        held->setWeather("None");
        held->parse(placeLine);
    } else {
        body.addPlace(placeLine);
        held = body.getPlace(body.getPlaceCount() - 1);
    }
    taken.insert(held);
}

// The body name of a list line and the place line after it.
std::pair<std::string, std::string> splitLine(const std::string& line) {
    std::istringstream words(line);
    std::pair<std::string, std::string> parts;
    words >> parts.first;
    std::getline(words, parts.second);
    return parts;
}

// The kept lines while a load adds to them, as it takes places: a line sets
// the kept line that stands for the same place (the first this load has not
// set yet), or is added; a line that gives a place takes the kept line of
// that place away, as a line mended in the file replaces the line it was.
// A list loaded twice keeps each line once, and two lines of one place stay
// two.
class KeptLineTaker {
public:
    // isBody: a body of that name is in the simulation.
    KeptLineTaker(KeptEntries& kept, std::function<bool(const std::string&)> isBody)
        : kept_(kept), isBody_(std::move(isBody)), gone_(kept.size(), false) {
        for (std::size_t i = 0; i < kept.size(); ++i)
            held_[key(kept[i].second)].push_back(i);
    }
    void take(const std::string& after, const std::string& line) {
        if (const auto index = unset(line))
            kept_[*index].second = line;
        else
            kept_.emplace_back(after, line);
    }
    void takenAsPlace(const std::string& line) {
        if (const auto index = unset(line))
            gone_[*index] = true;
    }
    // Drops the kept lines that lines giving places replaced.
    void finish() {
        std::size_t stay = 0;
        for (std::size_t i = 0; i < kept_.size(); ++i) {
            if (i < gone_.size() && gone_[i])
                continue;
            if (stay != i)
                kept_[stay] = std::move(kept_[i]);
            ++stay;
        }
        kept_.resize(stay);
    }

private:
    // What a line stands for: the place of a body and its name when it reads
    // as a place or its body is there, else the line itself.
    std::pair<bool, std::string> key(const std::string& line) const {
        const auto [bodyName, placeLine] = splitLine(line);
        std::istringstream words(placeLine);
        std::string name, why;
        words >> name;
        if (name.empty() || (!isBody_(bodyName) && !DsPlace::readsAsPlace(placeLine, why)))
            return {false, line};
        return {true, bodyName + " " + name};
    }
    // The first kept line of the same place that this load has not set.
    std::optional<std::size_t> unset(const std::string& line) {
        const auto same = held_.find(key(line));
        if (same == held_.end() || same->second.empty())
            return std::nullopt;
        const std::size_t index = same->second.front();
        same->second.pop_front();
        return index;
    }

    KeptEntries& kept_;
    std::function<bool(const std::string&)> isBody_;
    std::vector<bool> gone_;
    std::map<std::pair<bool, std::string>, std::deque<std::size_t>> held_;
};

} // namespace

bool Ssystem::loadPlaceList(const std::string& path) {
    const ListSettings settings = getListSettings();
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    const std::optional<platform::FileIdentity> before = platform::fileIdentity(path);
    DataFile file;
    if (!file.open(path)) {
        logFileFailure("Could not open place list file.\n", path, file.error());
        partlyRead_.note(path, file.error());
        return false;
    }
    placeLoad_.file = platform::realFilePath(path);
    // Lines that give no place (of no body, or that do not read as a place)
    // go back as they are, after the places of the body they followed. They
    // are part of the places held, whichever file they came from.
    std::string after;
    std::set<const DsPlace*> taken;
    KeptLineTaker kept(placeLoad_.kept,
                       [this](const std::string& name) { return findBody(name) != nullptr; });
    std::string line;
    for (std::size_t number = 1; file.good(); ++number) {
        file.readLine(line);
        const auto [bodyName, placeLine] = splitLine(line);
        if (bodyName.empty() || bodyName == "Version:" || bodyName == "Locale:")
            continue;
        DsAstrBody* body = findBody(bodyName);
        std::string why;
        if (body && !DsPlace::readsAsPlace(placeLine, why)) {
            logMessage("Place list %s, line %zu: %s; the line is kept as it is and gives no place.",
                       path.c_str(), number, why.c_str());
        } else if (!body) {
            logMessage("No body %s for the place list line \"%s\"; the line is kept.",
                       bodyName.c_str(), line.c_str());
        }
        if (body)
            after = bodyName;
        if (!body || !why.empty()) {
            kept.take(after, trimmed(line));
        } else {
            kept.takenAsPlace(line);
            takePlace(*body, placeLine, taken);
        }
    }
    kept.finish();
    partlyRead_.note(path, file.cutReason());
    placeLoad_.read(path, before, file.cutReason().empty());
    ensureDefaultPlaces();
    return true;
}

bool Ssystem::savePlaceList(const std::string& path) {
    const std::string defaultName = getDefaultPlaceName();
    return saveListFile(
        path, getListSettings(), placeLoad_, partlyRead_,
        [&](DataFile& file) {
            KeptEntryWriter kept(placeLoad_.kept, file, [](const std::string&) { return false; });
            kept.writeAfter("");
            for (const DsAstrBody* body : allBodies_) {
                for (int i = 0; i < body->getPlaceCount(); ++i) {
                    if (fromDataFile(body->getType()) ||
                        !isBareDefault(*body->getPlace(i), defaultName))
                        file.writeString(body->getName())
                            .writeString(body->formatPlace(i))
                            .writeText("\n");
                }
                kept.writeAfter(body->getName());
            }
            kept.writeRest();
        },
        "Could not save place list file.\n", listCommands("Place"));
}

void Ssystem::keepPlaces(const DsAstrBody& body) {
    if (fromDataFile(body.getType()))
        return;
    const std::string defaultName = getDefaultPlaceName();
    for (int i = 0; i < body.getPlaceCount(); ++i) {
        if (!isBareDefault(*body.getPlace(i), defaultName))
            placeLoad_.kept.emplace_back(body.getName(),
                                         body.getName() + " " + body.formatPlace(i));
    }
}

void Ssystem::takeKeptPlaces(DsAstrBody& body) {
    auto& kept = placeLoad_.kept;
    std::set<const DsPlace*> taken;
    std::string why;
    kept.erase(
        std::remove_if(kept.begin(), kept.end(),
                       [&](const auto& entry) {
                           if (entry.second.compare(0, body.getName().size(), body.getName()) != 0)
                               return false;
                           const auto [bodyName, placeLine] = splitLine(entry.second);
                           if (bodyName != body.getName() || !DsPlace::readsAsPlace(placeLine, why))
                               return false;
                           takePlace(body, placeLine, taken);
                           return true;
                       }),
        kept.end());
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
