// The object lists of the Ssystem: orbit-directory records, adding and
// removing comets, asteroids, spacecraft and artificial satellites by name,
// and their list files.
#include <algorithm>
#include <unordered_set>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/BodyFactory.h"
#include "model/DsAstrBody.h"
#include "model/ListFile.h"
#include "model/ModelFile.h"
#include "model/ModelServices.h"
#include "model/OrbitNameIndex.h"
#include "model/Ssystem.h"
#include "model/TwoLineElements.h"
#include "platform/CurrentDirGuard.h"

struct Ssystem::ObjectKind {
    int type;
    const char* typeWord;
    const char* noun;
    bool titleScan;
    std::string ListSettings::*dir;
    std::string ListSettings::*list;
    std::shared_ptr<const OrbitRecords> Ssystem::*records;
    ListLoad Ssystem::*load;
    const char* loadFailure;
    const char* saveFailure;
};

const Ssystem::ObjectKind& Ssystem::objectKind(int type) {
    static const ObjectKind kinds[] = {
        {DsAstrBody::Comet, "Comet", "comet", false, &ListSettings::cometDir,
         &ListSettings::cometList, &Ssystem::cometFiles_, &Ssystem::cometLoad_,
         "Could not open comet list file.\n", "Could not save comet list file.\n"},
        {DsAstrBody::Asteroid, "Asteroid", "asteroid", false, &ListSettings::asteroidDir,
         &ListSettings::asteroidList, &Ssystem::asteroidFiles_, &Ssystem::asteroidLoad_,
         "Could not open asteroid list file.\n", "Could not save asteroid list file.\n"},
        {DsAstrBody::Spacecraft, "Spacecraft", "spacecraft", false, &ListSettings::spacecraftDir,
         &ListSettings::spacecraftList, &Ssystem::spacecraftFiles_, &Ssystem::spacecraftLoad_,
         "Could not open spacecraft list file.\n", "Could not save spacecraft list file.\n"},
        {DsAstrBody::ASatellite, "ASatellite", "artificial satellite", true,
         &ListSettings::aSatelliteDir, &ListSettings::aSatelliteList, &Ssystem::aSatelliteFiles_,
         &Ssystem::aSatelliteLoad_, "Could not open artificial satellite list file.\n",
         "Could not save artificial satellite list file.\n"},
    };
    for (const ObjectKind& kind : kinds) {
        if (kind.type == type)
            return kind;
    }
    return kinds[0];
}

ListSettings Ssystem::getListSettings() const {
    return services_ ? services_->getListSettings() : ListSettings();
}

const OrbitRecords& Ssystem::records(const ObjectKind& kind) const {
    static const OrbitRecords none;
    const std::shared_ptr<const OrbitRecords>& records = this->*kind.records;
    return records ? *records : none;
}

const std::vector<BodyFileName>& Ssystem::getFileRecords(int type) const {
    static const std::vector<BodyFileName> none;
    const ObjectKind& kind = objectKind(type);
    return kind.type == type ? records(kind).records : none;
}

namespace {

// The kinds of the body lists, in the order the default list loads them.
const int listTypes[] = {DsAstrBody::Comet, DsAstrBody::Asteroid, DsAstrBody::Spacecraft,
                         DsAstrBody::ASatellite};

// A configured directory may be written with or without its closing "/".
std::string withSlash(const std::string& dir) {
    return dir.empty() || dir.back() == '/' ? dir : dir + '/';
}

} // namespace

void Ssystem::scanOrbitDir(std::vector<BodyFileName>& records, const std::string& configured) {
    records = OrbitNameIndex().records(withSlash(configured), OrbitNameIndex::Scan::Names)->records;
}

void Ssystem::scanASatelliteDir(std::vector<BodyFileName>& records, const std::string& configured) {
    records =
        OrbitNameIndex().records(withSlash(configured), OrbitNameIndex::Scan::Titles)->records;
}

void Ssystem::scanOrbitDirsAhead() {
    const ListSettings settings = getListSettings();
    // As the list loads find the directories; a data directory that cannot
    // be entered is reported by them.
    platform::CurrentDirGuard guard;
    if (!settings.dataDir.empty() && !guard.change(settings.dataDir))
        return;
    std::vector<std::pair<std::string, OrbitNameIndex::Scan>> dirs;
    for (int type : listTypes) {
        const ObjectKind& kind = objectKind(type);
        dirs.emplace_back(withSlash(settings.*kind.dir), kind.titleScan
                                                             ? OrbitNameIndex::Scan::Titles
                                                             : OrbitNameIndex::Scan::Names);
    }
    orbitIndex_->scanAhead(dirs);
}

DsAstrBody* Ssystem::kindParent(const ObjectKind& kind) const {
    if (kind.type != DsAstrBody::ASatellite)
        return topBodies_.empty() ? nullptr : topBodies_.front().get();
    for (DsAstrBody* body : allBodies_) {
        if (body->getType() == DsAstrBody::Earth)
            return body;
    }
    return nullptr;
}

void Ssystem::addBody(const ObjectKind& kind, const std::string& name) {
    const BodyFileName* record = records(kind).find(name);
    if (!record || findBody(name))
        return;
    DsAstrBody* parent = kindParent(kind);
    if (!parent) {
        logMessage("No %s for the %s %s.", kind.type == DsAstrBody::ASatellite ? "Earth" : "Sun",
                   kind.noun, name.c_str());
        return;
    }
    const std::string file = record->file; // the records may be rebuilt meanwhile
    std::unique_ptr<DsAstrBody> created = makeBody(kind.typeWord, name, parent, this);
    DsAstrBody* body = created.get();
    parent->addChild(std::move(created));
    // A body whose file fails stays, where its reader leaves it.
    body->loadOrbitFile(file);
    body->ensureDefaultPlace();
    takeKeptPlaces(*body);
    makeBodyDisplayLists(*body);
}

namespace {

// Keeps what is read during one list load for as long as the load lasts.
template <class Files> class LoadScope {
public:
    explicit LoadScope(std::unique_ptr<Files>& files) : files_(files) {
        files_ = std::make_unique<Files>();
    }
    ~LoadScope() { files_.reset(); }
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;

private:
    std::unique_ptr<Files>& files_;
};

void addSubtree(const DsAstrBody& body, std::unordered_set<const DsAstrBody*>& bodies) {
    bodies.insert(&body);
    for (const auto& child : body.getChildren())
        addSubtree(*child, bodies);
}

} // namespace

void Ssystem::removeBodies(const ObjectKind& kind, const std::string& name) {
    // The user removes a name that a load kept from the file it came from;
    // "All" takes only what the lists showed.
    if (name != "All")
        forgetKept(kind, name);
    DsAstrBody* parent = kindParent(kind);
    if (!parent)
        return;
    const auto goes = [&](const DsAstrBody& child) {
        return child.getType() == kind.type && (name == "All" || child.getName() == name);
    };
    std::unordered_set<const DsAstrBody*> leaving;
    for (const auto& child : parent->getChildren()) {
        if (goes(*child))
            addSubtree(*child, leaving);
    }
    if (leaving.empty())
        return;
    // The selection leaves a body that goes (or goes with its parent) for
    // the first body; any other selected body stays selected with its place,
    // only its index follows the list.
    const DsAstrBody* selected = getSelectedBody();
    if (selected && leaving.count(selected))
        select(0, 0, -1);
    for (const DsAstrBody* body : allBodies_) {
        if (leaving.count(body))
            keepPlaces(*body);
    }
    // All leave the list in one pass, then go with their subtrees.
    unregisterBodies(leaving);
    parent->removeChildrenIf(goes);
}

const TwoLineElementSets* Ssystem::knownElementSets(const std::string& path) {
    if (!elementFiles_)
        return nullptr;
    std::unique_ptr<TwoLineElementSets>& sets = (*elementFiles_)[path];
    if (!sets) {
        DataFile file;
        if (!file.open(path))
            return nullptr;
        sets = std::make_unique<TwoLineElementSets>(file);
    }
    return sets.get();
}

void Ssystem::forgetKept(const ObjectKind& kind, const std::string& name) {
    const std::string file = (this->*kind.load).file;
    if (file.empty())
        return;
    // The file may be the list of other kinds too.
    for (int type : listTypes) {
        ListLoad& load = this->*objectKind(type).load;
        if (load.file != file)
            continue;
        auto& kept = load.kept;
        kept.erase(std::remove_if(kept.begin(), kept.end(),
                                  [&](const auto& entry) { return entry.second == name; }),
                   kept.end());
    }
}

namespace {

// The names a load kept, in the order of the file.
std::vector<std::string> keptNames(const ListLoad& load) {
    std::vector<std::string> names;
    for (const auto& entry : load.kept)
        names.push_back(entry.second);
    return names;
}

// One line for the names a list keeps without an orbit file, however many:
// a group file that lost its satellites must not flood the log.
void logKeptNames(const std::string& list, const std::string& path, const std::string& dir,
                  const std::vector<std::string>& names) {
    if (names.empty())
        return;
    const std::string where = dir.empty() ? "" : " in " + dir;
    constexpr std::size_t shown = 5;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < shown; ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    if (names.size() == 1)
        logMessage("The %s list %s names %s, which no orbit file%s declares; the name is kept.",
                   list.c_str(), path.c_str(), text.c_str(), where.c_str());
    else if (names.size() <= shown)
        logMessage("The %s list %s names %s, which no orbit file%s declares; the names are kept.",
                   list.c_str(), path.c_str(), text.c_str(), where.c_str());
    else
        logMessage("The %s list %s names %zu objects that no orbit file%s declares, %s among them; "
                   "the names are kept.",
                   list.c_str(), path.c_str(), names.size(), where.c_str(), text.c_str());
}

} // namespace

void Ssystem::tellUnreadable(const ObjectKind& kind, const std::string& list) {
    std::set<std::pair<std::string, std::string>>& told = toldUnreadable_[kind.type];
    const auto& unreadable = records(kind).unreadable;
    for (const auto& entry : unreadable) {
        if (told.count(entry))
            continue;
        const auto& [orbitFile, reason] = entry;
        if (list.empty())
            logMessage("Could not read orbit file %s: %s.", orbitFile.c_str(), reason.c_str());
        else
            logMessage("Could not read orbit file %s: %s. The %s list %s keeps the names that no "
                       "orbit file declares.",
                       orbitFile.c_str(), reason.c_str(), kind.noun, list.c_str());
    }
    // A file read whole again, or failing otherwise, is told at its next failure.
    told = {unreadable.begin(), unreadable.end()};
}

namespace {

// Reads the words of a body list: each name with an orbit record goes to
// take, every other word (the head's aside) into kept, after the name it
// followed.
void readListWords(DataFile& file, const OrbitRecords& known, KeptEntries& kept,
                   const std::function<void(const std::string&)>& take) {
    std::string token, previous, taken;
    while (file.good()) {
        token.clear();
        file.readString(token);
        if (token.empty())
            continue;
        const bool headWord = token == "Version:" || token == "Locale:" || previous == "Version:" ||
                              previous == "Locale:";
        previous = token;
        if (known.find(token)) {
            take(token);
            taken = token;
        } else if (!headWord) {
            kept.emplace_back(taken, token);
        }
    }
}

} // namespace

bool Ssystem::loadBodyList(const ObjectKind& kind, const std::string& path, bool reportKept) {
    const ListSettings settings = getListSettings();
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    // The records are fresh even when the list fails; only what changed in
    // the directory since the last load is read again.
    this->*kind.records = orbitIndex_->records(withSlash(settings.*kind.dir),
                                               kind.titleScan ? OrbitNameIndex::Scan::Titles
                                                              : OrbitNameIndex::Scan::Names);
    ListLoad& load = this->*kind.load;
    const std::optional<platform::FileIdentity> before = platform::fileIdentity(path);
    DataFile file;
    if (!file.open(path)) {
        // The bodies and what the last load learned stay; a file that is
        // there but could not be read is not saved over.
        logFileFailure(kind.loadFailure, path, file.error());
        tellUnreadable(kind, "");
        partlyRead_.note(path, file.error());
        return false;
    }
    if (!kindParent(kind)) {
        logMessage("No %s for the %s list %s.",
                   kind.type == DsAstrBody::ASatellite ? "Earth" : "Sun", kind.noun, path.c_str());
        return false;
    }
    load.turnTo(platform::realFilePath(path));
    removeBodies(kind, "All");
    // A name of the list whose orbit file is missing for now (or could not
    // be read) stays in the list, after the name it followed.
    const OrbitRecords& known = records(kind);
    tellUnreadable(kind, path);
    // Satellites share element files: each is read once for the whole list,
    // and again at the next load.
    const LoadScope<ElementFiles> elementFiles(elementFiles_);
    readListWords(file, known, load.kept, [&](const std::string& name) { addBody(kind, name); });
    partlyRead_.note(path, file.cutReason());
    load.read(path, before, file.cutReason().empty());
    if (reportKept)
        logKeptNames(kind.noun, path, withSlash(settings.*kind.dir), keptNames(load));
    return true;
}

bool Ssystem::saveBodyList(const ObjectKind& kind, const std::string& path) {
    ListLoad& load = this->*kind.load;
    return saveListFile(
        path, getListSettings(), load, partlyRead_,
        [&](DataFile& file) {
            // The names the load of this file could not take go back; another
            // file never held them.
            static const KeptEntries none;
            const bool same = !load.file.empty() && platform::realFilePath(path) == load.file;
            KeptEntryWriter kept(same ? load.kept : none, file, [&](const std::string& name) {
                const DsAstrBody* body = findBody(name);
                return body && body->getType() == kind.type;
            });
            kept.writeAfter("");
            for (const DsAstrBody* body : allBodies_) {
                if (body->getType() != kind.type)
                    continue;
                file.writeString(body->getName()).writeText("\n");
                kept.writeAfter(body->getName());
            }
            kept.writeRest();
        },
        kind.saveFailure, listCommands(kind.typeWord),
        [&](const std::string& written, const std::optional<platform::FileIdentity>& before) {
            takeOthersEntries(kind, written, before);
        });
}

void Ssystem::takeOthersEntries(const ObjectKind& saved, const std::string& file,
                                const std::optional<platform::FileIdentity>& before) {
    // Another kind that read the same file as it was before this save holds
    // its other entries as they were: it takes them again from what this
    // save wrote, so that its next save writes back this one's work. When
    // this save made its own list's file (its load found none), so does
    // every kind, this one too, whose own list that is: the file is that
    // list's from now on.
    const ListSettings settings = getListSettings();
    const auto ownList = [&](const ObjectKind& kind) {
        return platform::realFilePath(settings.*kind.list) == file;
    };
    for (int type : listTypes) {
        const ObjectKind& kind = objectKind(type);
        const bool self = kind.type == saved.type;
        ListLoad& load = this->*kind.load;
        const auto known = load.known.find(file);
        const bool readBefore = !self && load.file == file && known != load.known.end() && before &&
                                known->second == *before;
        const bool madeItsList =
            !before && (self || known == load.known.end()) && ownList(saved) && ownList(kind);
        if (!readBefore && !madeItsList)
            continue;
        const std::optional<platform::FileIdentity> now = platform::fileIdentity(file);
        DataFile read;
        if (!read.open(file)) {
            load.known.erase(file);
            continue;
        }
        load.turnTo(file);
        readListWords(read, records(kind), load.kept, [](const std::string&) {});
        load.read(file, now, read.cutReason().empty());
    }
}

namespace {

// One name added in the data directory.
template <typename Add> void inDataDir(const ListSettings& settings, Add add) {
    DataDirScope scope(settings.dataDir);
    if (scope.ok())
        add();
}

} // namespace

void Ssystem::addComet(const std::string& name) {
    inDataDir(getListSettings(), [&] { addBody(objectKind(DsAstrBody::Comet), name); });
}

void Ssystem::addAsteroid(const std::string& name) {
    inDataDir(getListSettings(), [&] { addBody(objectKind(DsAstrBody::Asteroid), name); });
}

void Ssystem::addSpacecraft(const std::string& name) {
    inDataDir(getListSettings(), [&] { addBody(objectKind(DsAstrBody::Spacecraft), name); });
}

void Ssystem::addASatellite(const std::string& name) {
    inDataDir(getListSettings(), [&] { addBody(objectKind(DsAstrBody::ASatellite), name); });
}

void Ssystem::removeComet(const std::string& name) {
    removeBodies(objectKind(DsAstrBody::Comet), name);
}

void Ssystem::removeAsteroid(const std::string& name) {
    removeBodies(objectKind(DsAstrBody::Asteroid), name);
}

void Ssystem::removeSpacecraft(const std::string& name) {
    removeBodies(objectKind(DsAstrBody::Spacecraft), name);
}

void Ssystem::removeASatellite(const std::string& name) {
    removeBodies(objectKind(DsAstrBody::ASatellite), name);
}

bool Ssystem::loadCometList(const std::string& path) {
    return loadBodyList(objectKind(DsAstrBody::Comet), path, true);
}

bool Ssystem::loadAsteroidList(const std::string& path) {
    return loadBodyList(objectKind(DsAstrBody::Asteroid), path, true);
}

bool Ssystem::loadSpacecraftList(const std::string& path) {
    return loadBodyList(objectKind(DsAstrBody::Spacecraft), path, true);
}

bool Ssystem::loadASatelliteList(const std::string& path) {
    return loadBodyList(objectKind(DsAstrBody::ASatellite), path, true);
}

bool Ssystem::saveCometList(const std::string& path) {
    return saveBodyList(objectKind(DsAstrBody::Comet), path);
}

bool Ssystem::saveAsteroidList(const std::string& path) {
    return saveBodyList(objectKind(DsAstrBody::Asteroid), path);
}

bool Ssystem::saveSpacecraftList(const std::string& path) {
    return saveBodyList(objectKind(DsAstrBody::Spacecraft), path);
}

bool Ssystem::saveASatelliteList(const std::string& path) {
    return saveBodyList(objectKind(DsAstrBody::ASatellite), path);
}

bool Ssystem::loadLists(const std::string& path) {
    // One file names the objects of every kind: only the names that no kind
    // takes are reported.
    std::vector<std::string> untaken;
    bool first = true;
    for (int type : listTypes) {
        const ObjectKind& kind = objectKind(type);
        if (!loadBodyList(kind, path, false))
            continue;
        const std::vector<std::string> kept = keptNames(this->*kind.load);
        if (first)
            untaken = kept;
        else
            untaken.erase(std::remove_if(untaken.begin(), untaken.end(),
                                         [&](const std::string& name) {
                                             return std::find(kept.begin(), kept.end(), name) ==
                                                    kept.end();
                                         }),
                          untaken.end());
        first = false;
    }
    logKeptNames("default", path, "", untaken);
    return true;
}
