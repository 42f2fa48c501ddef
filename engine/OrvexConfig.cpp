// The main configuration file: it names every data file of the simulation,
// and reading it brings the command objects into being. Each keyword takes
// one word (values hold no blanks); words that are no keyword are skipped one
// by one, and "#" makes the rest of its line a comment. The object lists are
// loaded at the end, so their keywords may stand anywhere and the body data
// is always read first.
#include <filesystem>
#include <functional>
#include <set>

#include "engine/DataFile.h"
#include "engine/KeyMap.h"
#include "engine/LabelFontLink.h"
#include "engine/LogMessage.h"
#include "engine/Orvex.h"
#include "engine/OrvexServices.h"
#include "engine/Render.h"
#include "engine/Timer.h"
#include "graphics/LabelFont.h"
#include "model/Ssystem.h"
#include "platform/AtomicFile.h"
#include "sky/CelestialGrid.h"
#include "sky/ConsteSet.h"
#include "sky/Constes.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "sky/Lscape.h"
#include "sky/Space.h"
#include "view/Camera.h"
#include "view/Console.h"
#include "view/Detail.h"
#include "view/Markers.h"

struct Orvex::ConfigKeyword {
    const char* keyword;
    std::function<void(const std::string& word)> apply;
};

void Orvex::createCommandObjects() {
    // A configuration read again (after a missing file) keeps the objects.
    if (timer)
        return;
    // Construction order is registry order: the listings show them so.
    timer = std::make_unique<Timer>(this);
    console = std::make_unique<Console>(this);
    ssystem = std::make_unique<Ssystem>(this);
    camera = std::make_unique<Camera>(this);
    space = std::make_unique<Space>(this);
    constes = std::make_unique<Constes>(this);
    galaxies = std::make_unique<Galaxies>(this);
    fstars = std::make_unique<Fstars>(this);
    lscape = std::make_unique<Lscape>(this);
    markers = std::make_unique<Markers>(this);
    render = std::make_unique<Render>(this);
    detail = std::make_unique<Detail>(this);

    services = std::make_unique<OrvexServices>(*this);
    modelServices = std::make_unique<OrvexModelServices>(*this);
    // A script's immediate jump of the clock moves the bodies at once.
    timer->setImmediateListener([this](double time) { ssystem->update(time); });
    console->setSsystem(ssystem.get());
    console->setTimer(timer.get());
    console->setDetail(detail.get());
    console->setFrameTimer(&frameRateMeter);
    ssystem->setServices(modelServices.get());
    camera->setSsystem(ssystem.get());
    camera->setTimer(timer.get());
    // Look and trace search the sky in this order, after the bodies and
    // before the markers.
    camera->setSkyTargets(Camera::Constellations, constes.get());
    camera->setSkyTargets(Camera::Galaxies, galaxies.get());
    camera->setSkyTargets(Camera::FixedStars, fstars.get());
    camera->setMarkers(markers.get());
    fstars->setSpace(space.get());
    markers->setSsystem(ssystem.get());
    camera->setLandscape(lscape.get());
    camera->setClouds(services.get());
    modelServices->setLandscape(lscape.get());
    lscape->setServices(services.get());
    space->setServices(services.get());
    detail->setListener(services.get());
    connectFontRows();
}

void Orvex::connectFontRows() {
    detail->setFontOwner(Detail::GalaxiesFont, galaxies.get());
    detail->setFontOwner(Detail::FstarsFont, fstars.get());
    detail->setFontOwner(Detail::ConsoleFont, console.get());
    detail->setFontOwner(Detail::LscapeFont, lscape.get());
    const auto link = [this](Detail::FontRow row, LabelFontLink::Setter set,
                             LabelFontLink::Getter get) {
        fontLinks.push_back(std::make_unique<LabelFontLink>(std::move(set), std::move(get)));
        detail->setFontOwner(row, fontLinks.back().get());
    };
    // The body names are compiled into the bodies' lists: rebuild them.
    link(
        Detail::SsystemFont,
        [this](const std::string& family, float size, int style) {
            ssystem->getNameFont().setFont(family, size, style, 0);
            ssystem->makeDisplayLists(0);
        },
        [this] { return ssystem->getNameFont().getFontSpec(); });
    // A new list replaces the set: reach it at the time of the command.
    link(
        Detail::ConstesFont,
        [this](const std::string& family, float size, int style) {
            constes->getConsteSet().setNameFont(family, size, style);
        },
        [this] { return constes->getConsteSet().getFontSpec(); });
    link(
        Detail::FrameFont,
        [this](const std::string& family, float size, int style) {
            space->getGrid().setFont(family, size, style);
        },
        [this] { return space->getGrid().getFontSpec(); });
}

namespace {

bool isOrbitDirKeyword(const std::string& keyword) {
    return keyword == "CometDir:" || keyword == "AsteroidDir:" || keyword == "SpacecraftDir:" ||
           keyword == "ASatelliteDir:";
}

} // namespace

std::vector<Orvex::ConfigKeyword> Orvex::configKeywords() {
    const auto replace = [](std::string& field) {
        return [&field](const std::string& word) { field = word; };
    };
    std::vector<ConfigKeyword> all = {
        {"Space:", [this](const std::string& w) { space->loadSpaceFile(w); }},
        {"Stars:", [this](const std::string& w) { space->loadStars(w); }},
        {"StarsColorMap:", [this](const std::string& w) { space->loadStarsColorMap(w); }},
        {"StarTexture:", [this](const std::string& w) { space->loadStarTexture(w); }},
        {"Mway:", [this](const std::string& w) { space->setMwayFile(w); }},
        {"ConstesDir:", [this](const std::string& w) { constes->load(w); }},
        {"Constes:", [this](const std::string& w) { constes->load(w); }},
        {"Galaxies:", [this](const std::string& w) { galaxies->loadNames(w); }},
        {"FixedStars:", [this](const std::string& w) { fstars->loadNames(w); }},
        {"Direction:", [this](const std::string& w) { lscape->loadDirectionNames(w); }},
        {"Ssystem:", [this](const std::string& w) { ssystem->readData(w); }},
        {"ShadowTexture:", [this](const std::string& w) { ssystem->setShadowTexture(w); }},
        {"PlaceList:", replace(lists.placeList)},
        {"DefaultList:", replace(lists.defaultList)},
        {"CometDir:", replace(lists.cometDir)},
        {"CometList:", replace(lists.cometList)},
        {"AsteroidDir:", replace(lists.asteroidDir)},
        {"AsteroidList:", replace(lists.asteroidList)},
        {"SpacecraftDir:", replace(lists.spacecraftDir)},
        {"SpacecraftList:", replace(lists.spacecraftList)},
        {"ASatelliteDir:", replace(lists.aSatelliteDir)},
        {"ASatelliteList:", replace(lists.aSatelliteList)},
        {"KeyMap:", [this](const std::string& w) { getKeyMap().load(w); }},
        {"DefaultFont:", [](const std::string& w) { setDefaultFontFamily(w); }},
        {"CodecName:", replace(codecName)},
        {"Locale:", replace(lists.locale)},
    };
    std::vector<ConfigKeyword> startFiles = startFileKeywords();
    all.insert(all.end(), startFiles.begin(), startFiles.end());
    return all;
}

std::vector<Orvex::ConfigKeyword> Orvex::startFileKeywords() {
    // Read before the start files (readStartFileNames) and again with the
    // rest, to the same effect: reading and saving use the same files.
    return {
        {"InitStates:", [this](const std::string& w) { setInitStatesFile(w); }},
        {"Options:", [this](const std::string& w) { setOptionsFile(w); }},
        {"ScenarioDir:", [this](const std::string& w) { setScenarioDir(w); }},
    };
}

void Orvex::readStartFileNames() {
    DataFile file;
    // A file that does not open is reported when the configuration is read.
    if (!file.open(configFile, DataFile::Read, 0, DataFile::HostOrder))
        return;
    const std::vector<ConfigKeyword> keywords = startFileKeywords();
    for (const auto& [keyword, word] : readKeywords(file, keywords))
        keyword->apply(word);
}

int Orvex::readConfigEntry(DataFile& file) {
    const std::vector<ConfigKeyword> keywords = configKeywords();
    // The whole file first: the objects make their label fonts when they are
    // built, so the default family must be known by then, wherever it stands.
    const ConfigEntries entries = readKeywords(file, keywords);
    if (entries.empty())
        logMessage("Config file %s names no data files: it is empty or damaged.",
                   configFile.c_str());
    for (const auto& [keyword, word] : entries)
        if (std::string(keyword->keyword) == "DefaultFont:")
            keyword->apply(word);
    createCommandObjects();
    // The orbit directories hold thousands of files: they are read while the
    // other data files load. Their keywords only set the paths, so applying
    // them again in order below changes nothing.
    for (const auto& [keyword, word] : entries)
        if (isOrbitDirKeyword(keyword->keyword))
            keyword->apply(word);
    ssystem->scanOrbitDirsAhead();
    for (const auto& [keyword, word] : entries)
        keyword->apply(word);
    space->prefetchMwayTexture();
    removeStaleTemporaries();
    loadLists();
    return 1;
}

Orvex::ConfigEntries Orvex::readKeywords(DataFile& file,
                                         const std::vector<ConfigKeyword>& keywords) {
    ConfigEntries entries;
    std::string word;
    std::string value;
    while (file.good()) {
        file.readWord(word);
        if (word.empty())
            break;
        if (word[0] == '#') {
            file.readLine(value);
            continue;
        }
        for (const ConfigKeyword& keyword : keywords) {
            if (word != keyword.keyword)
                continue;
            file.readWord(value);
            // A keyword at the very end has no word: nothing changes.
            if (!value.empty())
                entries.emplace_back(&keyword, value);
            break;
        }
    }
    return entries;
}

void Orvex::removeStaleTemporaries() const {
    namespace fs = std::filesystem;
    // The data directory itself (bookmarks), the start files and scenarios,
    // the lists, and the orbit directories that downloads and copies fill.
    std::set<fs::path> folders;
    const auto add = [&](const fs::path& folder) {
        std::error_code error;
        const fs::path real = fs::weakly_canonical(folder.empty() ? "." : folder, error);
        folders.insert(error ? folder : real);
    };
    add(".");
    add(getScenarioDir());
    for (const std::string* file :
         {&getInitStatesFile(), &getOptionsFile(), &lists.placeList, &lists.cometList,
          &lists.asteroidList, &lists.spacecraftList, &lists.aSatelliteList})
        add(fs::path(*file).parent_path());
    for (const std::string* dir :
         {&lists.cometDir, &lists.asteroidDir, &lists.spacecraftDir, &lists.aSatelliteDir})
        add(*dir);
    for (const fs::path& folder : folders)
        platform::removeStaleTemporaries(folder.string());
}

void Orvex::loadLists() {
    ssystem->loadLists(lists.defaultList);
    ssystem->loadCometList(lists.cometList);
    ssystem->loadAsteroidList(lists.asteroidList);
    ssystem->loadSpacecraftList(lists.spacecraftList);
    ssystem->loadASatelliteList(lists.aSatelliteList);
    ssystem->loadPlaceList(lists.placeList);
}
