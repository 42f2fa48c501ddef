#include "sky/Constes.h"

#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "platform/CurrentDirGuard.h"
#include "sky/ConsteSet.h"
#include "sky/SkyPosition.h"

namespace {

const char* const classWord = "Constes";

// The command words in registration order (all listed). ConsteNames only
// answers queries: as a command it is not handled.
const char* const commandWords[] = {
    "Show",      "Name",        "Lines",          "Art",       "Seps",       "NameColor",
    "NameFont",  "LinesDisp",   "LineshDisp",     "ArtDisp",   "ArthDisp",   "SepsDisp",
    "CategName", "ConsteNames", "BuildArtsFirst", "ShowNames", "HideNames",  "ShowLines",
    "HideLines", "HlightLines", "ShowArts",       "HideArts",  "HlightArts", "ShowSeps",
    "HideSeps",  "ShowTog",     "NameTog",        "LinesTog",  "ArtTog",     "SepsTog",
};

using NamesOperation = void (ConsteSet::*)(const std::string&);
using ListQuery = std::string (ConsteSet::*)() const;
using FlagQuery = int (ConsteSet::*)() const;

// Feature switches: on and off for "All", and the feature flag.
struct FeatureCommand {
    const char* word;
    NamesOperation on;
    NamesOperation off;
    FlagQuery value;
};
const FeatureCommand featureCommands[] = {
    {"Name", &ConsteSet::showNames, &ConsteSet::hideNames, &ConsteSet::isNamesShown},
    {"Lines", &ConsteSet::showLines, &ConsteSet::hideLines, &ConsteSet::isLinesShown},
    {"Art", &ConsteSet::showArts, &ConsteSet::hideArts, &ConsteSet::isArtsShown},
    {"Seps", &ConsteSet::showSeps, &ConsteSet::hideSeps, &ConsteSet::isSepsShown},
};

// Line styles: width and colour; saved as options in this order.
struct DispCommand {
    const char* word;
    void (ConsteSet::*set)(double, const double*);
    ListQuery value;
};
const DispCommand dispCommands[] = {
    {"LinesDisp", &ConsteSet::setLinesDisp, &ConsteSet::getLinesDisp},
    {"LineshDisp", &ConsteSet::setLineshDisp, &ConsteSet::getLineshDisp},
    {"ArtDisp", &ConsteSet::setArtDisp, &ConsteSet::getArtDisp},
    {"ArthDisp", &ConsteSet::setArthDisp, &ConsteSet::getArthDisp},
    {"SepsDisp", &ConsteSet::setSepsDisp, &ConsteSet::getSepsDisp},
};

// Per-constellation selections: the names on the line, and the list of the
// names the selection holds.
struct NamesCommand {
    const char* word;
    NamesOperation apply;
    ListQuery value;
};
const NamesCommand namesCommands[] = {
    {"ShowNames", &ConsteSet::showNames, &ConsteSet::getShownNames},
    {"HideNames", &ConsteSet::hideNames, &ConsteSet::getHiddenNames},
    {"ShowLines", &ConsteSet::showLines, &ConsteSet::getShownLines},
    {"HideLines", &ConsteSet::hideLines, &ConsteSet::getHiddenLines},
    {"HlightLines", &ConsteSet::highlightLines, &ConsteSet::getHighlightedLines},
    {"ShowArts", &ConsteSet::showArts, &ConsteSet::getShownArts},
    {"HideArts", &ConsteSet::hideArts, &ConsteSet::getHiddenArts},
    {"HlightArts", &ConsteSet::highlightArts, &ConsteSet::getHighlightedArts},
    {"ShowSeps", &ConsteSet::showSeps, &ConsteSet::getShownSeps},
    {"HideSeps", &ConsteSet::hideSeps, &ConsteSet::getHiddenSeps},
};

struct ToggleCommand {
    const char* word;
    void (ConsteSet::*toggle)();
};
const ToggleCommand toggleCommands[] = {
    {"ShowTog", &ConsteSet::toggleShow},   {"NameTog", &ConsteSet::toggleNames},
    {"LinesTog", &ConsteSet::toggleLines}, {"ArtTog", &ConsteSet::toggleArts},
    {"SepsTog", &ConsteSet::toggleSeps},
};

template <class T, std::size_t N> const T* findCommand(const T (&table)[N], const std::string& w) {
    for (const T& entry : table)
        if (w == entry.word)
            return &entry;
    return nullptr;
}

} // namespace

Constes::Constes(Main* owner)
    : Base(classWord, owner), owner(owner), consteSet(std::make_unique<ConsteSet>()) {
    if (!owner)
        return;
    for (const char* word : commandWords)
        owner->interp.addCommand(getName(), word, false);
}

Constes::~Constes() = default;

const char* Constes::getName() const {
    return classWord;
}

int Constes::execute() {
    if (!owner)
        return 0;
    const std::string& word = owner->interp.commandWord;
    CommandArgs& args = owner->interp.args;
    ConsteSet& set = *consteSet;
    if (word == "Show") {
        int on = 0;
        args.readInt(on);
        on ? set.show() : set.hide();
    } else if (const FeatureCommand* c = findCommand(featureCommands, word)) {
        int on = 0;
        args.readInt(on);
        (set.*(on ? c->on : c->off))("All");
    } else if (word == "NameColor") {
        double color[3] = {0.0, 0.0, 0.0};
        args.readDouble(color[0]).readDouble(color[1]).readDouble(color[2]);
        set.setNameColor(color);
    } else if (word == "NameFont") {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        set.setNameFont(family, size, style);
    } else if (const DispCommand* c = findCommand(dispCommands, word)) {
        double width = 0.0;
        double color[3] = {0.0, 0.0, 0.0};
        args.readDouble(width).readDouble(color[0]).readDouble(color[1]).readDouble(color[2]);
        (set.*c->set)(width, color);
    } else if (word == "CategName") {
        set.setCategory(args.readWord());
    } else if (word == "BuildArtsFirst") {
        args.readInt(buildArtsFirst);
    } else if (const NamesCommand* c = findCommand(namesCommands, word)) {
        (set.*c->apply)(args.readRest());
    } else if (const ToggleCommand* c = findCommand(toggleCommands, word)) {
        (set.*c->toggle)();
    } else {
        return 0; // ConsteNames and words of no row
    }
    return 1;
}

std::string Constes::getValue() {
    if (!owner)
        return "Undefined";
    const std::string& word = owner->interp.commandWord;
    const ConsteSet& set = *consteSet;
    if (word == "Show")
        return CommandArgs::formatInt(set.isShown());
    if (const FeatureCommand* c = findCommand(featureCommands, word))
        return CommandArgs::formatInt((set.*c->value)());
    if (word == "NameColor")
        return set.getNameColor();
    if (word == "NameFont")
        return set.getFontSpec();
    if (const DispCommand* c = findCommand(dispCommands, word))
        return (set.*c->value)();
    if (word == "CategName")
        return set.getCategory();
    if (word == "ConsteNames")
        return set.getNameList();
    if (word == "BuildArtsFirst")
        return CommandArgs::formatInt(buildArtsFirst);
    if (const NamesCommand* c = findCommand(namesCommands, word))
        return (set.*c->value)();
    return "Undefined";
}

std::string Constes::saveStates() {
    const ConsteSet& set = *consteSet;
    CommandArgs text;
    // Replayed, the lines hide everything first, then turn each feature on
    // again for "All" of the category current then.
    text.beginCommand(classWord, "Show").appendInt(0);
    if (set.isShown()) {
        for (const FeatureCommand& c : featureCommands)
            if ((set.*c.value)())
                text.beginCommand(classWord, c.word).appendInt(1);
    }
    text.beginCommand(classWord, "CategName").appendWord(set.getCategory());
    return text.getText();
}

std::string Constes::saveOptions() {
    const ConsteSet& set = *consteSet;
    CommandArgs text;
    text.beginCommand(classWord, "NameColor").appendWord(set.getNameColor());
    text.beginCommand(classWord, "NameFont").appendWord(set.getFontSpec());
    for (const DispCommand& c : dispCommands)
        text.beginCommand(classWord, c.word).appendWord((set.*c.value)());
    text.beginCommand(classWord, "BuildArtsFirst").appendInt(buildArtsFirst);
    return text.getText();
}

int Constes::load(const std::string& path) {
    // An empty data directory (a root not yet given one) stays where we are.
    platform::CurrentDirGuard guard;
    if (owner && !owner->getDataDir().empty())
        guard.change(owner->getDataDir());
    std::string listPath = path;
    if (!listPath.empty() && listPath.back() == '/') {
        platform::CurrentDirGuard inside;
        // A directory that cannot be entered goes to the set as written, which
        // reports it.
        if (inside.change(listPath))
            listPath = platform::currentDirectory();
    }
    consteSet->load(listPath);
    return 1;
}

void Constes::buildLists(int force) {
    if (!built && !force)
        return;
    built = 1;
    if (buildArtsFirst)
        consteSet->buildLists();
}

void Constes::draw(const Quaternion& rotation) {
    consteSet->draw(rotation);
}

bool Constes::hasConste(const std::string& name) const {
    return consteSet->contains(name);
}

Quaternion Constes::getLookRot(const std::string& name) const {
    if (!consteSet->contains(name))
        return Quaternion(Vector3(1.0, 0.0, 0.0), 0.0);
    return skyLookRotation(consteSet->getRA(name), consteSet->getDecl(name));
}

Vector3 Constes::getDirection(const std::string& name) const {
    if (!consteSet->contains(name))
        return Vector3();
    return skyDirection(consteSet->getRA(name), consteSet->getDecl(name));
}
