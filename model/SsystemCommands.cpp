// The command words of Ssystem: the table, their registration and execute.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "model/ModelServices.h"
#include "model/Ssystem.h"
#include "model/SsystemWords.h"

namespace {

constexpr SsystemCommand::Registration Listed = SsystemCommand::Listed;
constexpr SsystemCommand::Registration Hidden = SsystemCommand::Hidden;
constexpr SsystemCommand::Registration Unregistered = SsystemCommand::Unregistered;

constexpr SsystemCommand commands[] = {
    {"SimMode", Listed},
    {"SimModeName", Listed},
    {"SimModeNames", Listed},
    {"Select", Listed},
    {"AstrName", Listed},
    {"AstrNames", Listed},
    {"PlanetNames", Listed},
    {"AstrTexture", Listed},
    {"Place", Listed},
    {"PlaceNames", Listed},
    {"Name", Listed},
    {"Axis", Listed},
    {"Orbit", Listed},
    {"Angular", Listed},
    {"ShowAngulars", Listed},
    {"HideAngulars", Listed},
    {"Scale", Listed},
    {"FullShadow", Listed},
    {"ShowFullShadows", Listed},
    {"HideFullShadows", Listed},
    {"HalfShadow", Listed},
    {"ShowHalfShadows", Listed},
    {"HideHalfShadows", Listed},
    {"Dust", Listed},
    {"AstrBelt", Listed},
    {"CometNames", Listed},
    {"AllCometNames", Listed},
    {"AsteroidNames", Listed},
    {"AllAsteroidNames", Listed},
    {"SpacecraftNames", Listed},
    {"AllSpacecraftNames", Listed},
    {"ASatelliteNames", Listed},
    {"AllASatelliteNames", Listed},
    {"PlaceName", Listed},
    {"PlacePanorama", Listed},
    {"PlaceLat", Listed},
    {"PlaceLon", Listed},
    {"OrbitDisp", Listed},
    {"OrbithDisp", Listed},
    {"CometOrbitDisp", Listed},
    {"AsteroidOrbitDisp", Listed},
    {"SpacecraftOrbitDisp", Unregistered},
    {"AxisDisp", Listed},
    {"AngularDisp", Listed},
    {"NameFont", Listed},
    {"NameColor", Listed},
    {"SunColor", Listed},
    {"AmbientColor", Listed},
    {"Clouds", Listed},
    {"CloudsOpacity", Listed},
    {"HideIfLanding", Hidden},
    {"AstrBodies", Listed},
    {"ShowAstrBodies", Listed},
    {"HideAstrBodies", Listed},
    {"HlightAstrBodies", Listed},
    {"SimModePrev", Listed},
    {"SimModeNext", Listed},
    {"SelectPrev", Listed},
    {"SelectNext", Listed},
    {"SelectTo", Listed},
    {"AstrNamePrev", Listed},
    {"AstrNameNext", Listed},
    {"AstrNameTo", Listed},
    {"PlacePrev", Listed},
    {"PlaceNext", Listed},
    {"PlaceLatTo", Listed},
    {"PlaceLonTo", Listed},
    {"NameTog", Listed},
    {"AxisTog", Listed},
    {"OrbitTog", Listed},
    {"AngularTog", Listed},
    {"ScaleTog", Listed},
    {"ScaleTo", Listed},
    {"ScaleTogTo", Listed},
    {"FullShadowTog", Listed},
    {"HalfShadowTog", Listed},
    {"DustTog", Listed},
    {"AstrBeltTog", Listed},
    {"AddComet", Listed},
    {"RemoveComet", Listed},
    {"LoadCometList", Listed},
    {"SaveCometList", Listed},
    {"AddAsteroid", Listed},
    {"RemoveAsteroid", Listed},
    {"LoadAsteroidList", Listed},
    {"SaveAsteroidList", Listed},
    {"AddSpacecraft", Listed},
    {"RemoveSpacecraft", Listed},
    {"LoadSpacecraftList", Listed},
    {"SaveSpacecraftList", Listed},
    {"AddASatellite", Listed},
    {"RemoveASatellite", Listed},
    {"LoadASatelliteList", Listed},
    {"SaveASatelliteList", Listed},
    {"AddPlace", Listed},
    {"RemovePlace", Listed},
    {"LoadPlaceList", Listed},
    {"SavePlaceList", Listed},
    {"SetPlaceName", Listed},
    {"RefPlaceLatTo", Listed},
    {"RefPlaceLonTo", Listed},
    {"NameColorTo", Listed},
    {"CloudsTo", Hidden},
    {"CloudsTogTo", Hidden},
    {"CloudsTog", Listed},
    {"CloudsOpacityTo", Listed},
};
static_assert(std::size(commands) == static_cast<std::size_t>(SsystemWord::Count));

} // namespace

const SsystemCommand* ssystemCommands() {
    return commands;
}

bool findSsystemWord(const std::string& text, SsystemWord& word) {
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        if (text == commands[i].word) {
            word = static_cast<SsystemWord>(i);
            return true;
        }
    }
    return false;
}

const char* ssystemWordText(SsystemWord word) {
    return commands[static_cast<std::size_t>(word)].word;
}

void Ssystem::registerCommands() {
    if (!owner_)
        return;
    for (const SsystemCommand& c : commands) {
        if (c.registration != Unregistered)
            owner_->interp.addCommand(getName(), c.word, c.registration == Hidden);
    }
}

namespace {

using W = SsystemWord;

// The eight switches that store only 0 or 1: the switch word's argument
// picks on (not 0) or off (0 or missing); the toggle word flips it.
struct Switch {
    W word;
    W toggle;
    void (Ssystem::*on)();
    void (Ssystem::*off)();
    void (Ssystem::*tog)();
};

constexpr Switch switches[] = {
    {W::Name, W::NameTog, &Ssystem::nameOn, &Ssystem::nameOff, &Ssystem::nameTog},
    {W::Axis, W::AxisTog, &Ssystem::axisOn, &Ssystem::axisOff, &Ssystem::axisTog},
    {W::Orbit, W::OrbitTog, &Ssystem::orbitOn, &Ssystem::orbitOff, &Ssystem::orbitTog},
    {W::Angular, W::AngularTog, &Ssystem::angularOn, &Ssystem::angularOff, &Ssystem::angularTog},
    {W::FullShadow, W::FullShadowTog, &Ssystem::fullShadowOn, &Ssystem::fullShadowOff,
     &Ssystem::fullShadowTog},
    {W::HalfShadow, W::HalfShadowTog, &Ssystem::halfShadowOn, &Ssystem::halfShadowOff,
     &Ssystem::halfShadowTog},
    {W::Dust, W::DustTog, &Ssystem::dustOn, &Ssystem::dustOff, &Ssystem::dustTog},
    {W::AstrBelt, W::AstrBeltTog, &Ssystem::astrBeltOn, &Ssystem::astrBeltOff,
     &Ssystem::astrBeltTog},
};

// The per-body marks, each taking the rest of the command as a names text.
struct Mark {
    W word;
    void (Ssystem::*mark)(const std::string&);
};

constexpr Mark marks[] = {
    {W::ShowAngulars, &Ssystem::showAngulars},
    {W::HideAngulars, &Ssystem::hideAngulars},
    {W::ShowFullShadows, &Ssystem::showFullShadows},
    {W::HideFullShadows, &Ssystem::hideFullShadows},
    {W::ShowHalfShadows, &Ssystem::showHalfShadows},
    {W::HideHalfShadows, &Ssystem::hideHalfShadows},
    {W::ShowAstrBodies, &Ssystem::showAstrBodies},
    {W::HideAstrBodies, &Ssystem::hideAstrBodies},
    {W::HlightAstrBodies, &Ssystem::hlightAstrBodies},
};

// The four words of each kind of object list: a body added or removed by
// name, a list file loaded or saved. "Default" names the configured list;
// only the asteroid words take a missing file name for it as well.
struct ObjectList {
    W add;
    W remove;
    W load;
    W save;
    void (Ssystem::*addBody)(const std::string&);
    void (Ssystem::*removeBody)(const std::string&);
    bool (Ssystem::*loadList)(const std::string&);
    bool (Ssystem::*saveList)(const std::string&);
    std::string ListSettings::*defaultPath;
    bool missingIsDefault;
};

constexpr ObjectList objectLists[] = {
    {W::AddComet, W::RemoveComet, W::LoadCometList, W::SaveCometList, &Ssystem::addComet,
     &Ssystem::removeComet, &Ssystem::loadCometList, &Ssystem::saveCometList,
     &ListSettings::cometList, false},
    {W::AddAsteroid, W::RemoveAsteroid, W::LoadAsteroidList, W::SaveAsteroidList,
     &Ssystem::addAsteroid, &Ssystem::removeAsteroid, &Ssystem::loadAsteroidList,
     &Ssystem::saveAsteroidList, &ListSettings::asteroidList, true},
    {W::AddSpacecraft, W::RemoveSpacecraft, W::LoadSpacecraftList, W::SaveSpacecraftList,
     &Ssystem::addSpacecraft, &Ssystem::removeSpacecraft, &Ssystem::loadSpacecraftList,
     &Ssystem::saveSpacecraftList, &ListSettings::spacecraftList, false},
    {W::AddASatellite, W::RemoveASatellite, W::LoadASatelliteList, W::SaveASatelliteList,
     &Ssystem::addASatellite, &Ssystem::removeASatellite, &Ssystem::loadASatelliteList,
     &Ssystem::saveASatelliteList, &ListSettings::aSatelliteList, false},
};

// A list file's name, in double quotes when it holds blanks: "Default" (or,
// where allowed, nothing) is the configured one.
std::string listPath(CommandArgs& args, const std::string& configured, bool missingIsDefault) {
    const std::string file = args.readQuotable();
    return file == "Default" || (file.empty() && missingIsDefault) ? configured : file;
}

int readInt(CommandArgs& args) {
    int value = 0;
    args.readInt(value);
    return value;
}

double readDouble(CommandArgs& args) {
    double value = 0.0;
    args.readDouble(value);
    return value;
}

// Width, red, green, blue.
LineSetting readLine(CommandArgs& args) {
    LineSetting line;
    args.readDouble(line.width)
        .readDouble(line.color[0])
        .readDouble(line.color[1])
        .readDouble(line.color[2]);
    return line;
}

void readRgb(CommandArgs& args, float* rgb) {
    args.readFloat(rgb[0]).readFloat(rgb[1]).readFloat(rgb[2]);
}

} // namespace

int Ssystem::execute() {
    // A command may change what the frame's records of the bodies hold.
    noteBodyChange();
    SsystemWord word;
    if (!owner_ || !findSsystemWord(owner_->interp.commandWord, word))
        return 0;
    CommandArgs& args = owner_->interp.args;

    for (const Switch& s : switches) {
        if (word == s.word) {
            (this->*(readInt(args) != 0 ? s.on : s.off))();
            return 1;
        }
        if (word == s.toggle) {
            (this->*s.tog)();
            return 1;
        }
    }
    for (const Mark& m : marks) {
        if (word == m.word) {
            (this->*m.mark)(args.readRest());
            return 1;
        }
    }
    for (const ObjectList& list : objectLists) {
        if (word == list.add || word == list.remove) {
            (this->*(word == list.add ? list.addBody : list.removeBody))(args.readWord());
            return 1;
        }
        if (word == list.load || word == list.save) {
            const std::string path =
                listPath(args, getListSettings().*list.defaultPath, list.missingIsDefault);
            return (this->*(word == list.load ? list.loadList : list.saveList))(path) ? 1 : 0;
        }
    }

    switch (word) {
    // Sim mode and body selection.
    case W::SimMode:
        simMode(readInt(args));
        break;
    case W::SimModeName:
        simModeName(args.readWord());
        break;
    case W::SimModePrev:
        simMode(simModeIndex_ > 0 ? simModeIndex_ - 1 : getSimModeCount() - 1);
        break;
    case W::SimModeNext:
        simMode(simModeIndex_ + 1 < getSimModeCount() ? simModeIndex_ + 1 : 0);
        break;
    case W::Select:
        select(readInt(args), 0, -1);
        break;
    case W::SelectTo: {
        const int index = readInt(args);
        const int frames = readInt(args);
        withCamera([frames](ModelServices& camera) { camera.setCameraAnimLength(frames); });
        select(index, 1, frames);
        break;
    }
    case W::SelectPrev:
    case W::AstrNamePrev:
    case W::SelectNext:
    case W::AstrNameNext: {
        const int frames = readInt(args);
        // Standing on a body, the observer does not jump to the next one.
        if (getCameraMode() == ModelServices::Observe)
            break;
        if (word == W::SelectPrev || word == W::AstrNamePrev)
            selectPrev(frames);
        else
            selectNext(frames);
        break;
    }
    case W::AstrName:
        astrName(args.readWord(), 0, -1);
        break;
    case W::AstrNameTo: {
        const std::string name = args.readWord();
        astrName(name, 1, readInt(args));
        break;
    }

    // Scale and clouds.
    case W::Scale:
        args.readWord() == "Real" ? scaleOn() : scaleOff();
        break;
    case W::ScaleTog:
        scaleTog();
        break;
    case W::ScaleTo: {
        const std::string mode = args.readWord();
        const int frames = readInt(args);
        if (mode == "Real" || mode == "Model")
            scaleTo(mode == "Real", frames);
        break;
    }
    case W::ScaleTogTo:
        scaleTo(!scale_, readInt(args));
        break;
    case W::Clouds:
        setClouds(readInt(args));
        break;
    case W::CloudsTog:
        cloudsTog();
        break;
    case W::CloudsOpacity:
        cloudsOpacity(readDouble(args));
        break;
    case W::CloudsOpacityTo:
    case W::CloudsTo: {
        const double value = readDouble(args);
        setCloudsOpacityTo(value, readInt(args));
        break;
    }
    case W::CloudsTogTo:
        setCloudsOpacityTo(getCloudsOpacity() < 0.5 ? 1.0 : 0.0, readInt(args));
        break;
    case W::HideIfLanding:
        hideIfLanding(readInt(args));
        break;

    // Places of the selected body.
    case W::Place:
        selectPlace(readInt(args));
        break;
    case W::PlaceName:
        selectPlace(args.readWord());
        break;
    case W::PlacePrev:
        placePrev();
        break;
    case W::PlaceNext:
        selectNextPlace();
        break;
    case W::PlaceLat:
        placeLat(readDouble(args));
        break;
    case W::PlaceLon:
        placeLon(readDouble(args));
        break;
    case W::PlaceLatTo:
    case W::PlaceLonTo:
    case W::RefPlaceLatTo:
    case W::RefPlaceLonTo: {
        const double degrees = readDouble(args);
        const int frames = readInt(args);
        if (word == W::PlaceLatTo)
            placeLatTo(degrees, frames);
        else if (word == W::PlaceLonTo)
            placeLonTo(degrees, frames);
        else if (word == W::RefPlaceLatTo)
            refPlaceLatTo(degrees, frames);
        else
            refPlaceLonTo(degrees, frames);
        break;
    }

    case W::PlacePanorama:
        placePanorama(args.readWord());
        break;
    case W::AddPlace:
        addPlace();
        break;
    case W::RemovePlace:
        removePlace();
        break;
    case W::SetPlaceName:
        setPlaceName(args.readWord());
        break;
    case W::LoadPlaceList:
        return loadPlaceList(listPath(args, getListSettings().placeList, true)) ? 1 : 0;
    case W::SavePlaceList:
        return savePlaceList(listPath(args, getListSettings().placeList, false)) ? 1 : 0;

    // Line settings.
    case W::OrbitDisp:
        orbitDisp(readLine(args));
        makeOrbitList();
        break;
    case W::OrbithDisp:
        orbithDisp(readLine(args));
        makeHlightOrbitList();
        break;
    case W::AsteroidOrbitDisp:
        asteroidOrbitDisp(readLine(args));
        makeAsteroidOrbitList();
        break;
    case W::CometOrbitDisp:
        cometOrbitLine_ = readLine(args);
        break;
    case W::SpacecraftOrbitDisp:
        spacecraftOrbitLine_ = readLine(args);
        break;
    case W::AxisDisp:
        axisDisp(readLine(args));
        break;
    case W::AngularDisp:
        angularDisp(readLine(args));
        break;

    // Names, sun and ambient light.
    case W::NameColor:
    case W::NameColorTo: {
        double rgba[4] = {0.0, 0.0, 0.0, 0.0};
        args.readDouble(rgba[0]).readDouble(rgba[1]).readDouble(rgba[2]).readDouble(rgba[3]);
        if (word == W::NameColor)
            nameColor(rgba);
        else
            nameColor_.startTo(rgba, std::max(readInt(args), 1));
        break;
    }
    case W::NameFont: {
        const std::string family = args.readWord();
        float size = 0.0f;
        args.readFloat(size);
        const int style = readInt(args);
        LabelFont& font = getNameFont();
        if (!std::isfinite(size) ||
            (family == font.getFamilyToken() && size == font.getSize() && style == font.getStyle()))
            break;
        font.setFont(family, size, style);
        font.setAlign(2);
        makeDisplayLists(0);
        break;
    }
    // Both colours are compiled into every body's lists (the Sun's glow, the
    // spheres' ambient material): all of them are rebuilt, not only those
    // whose radius changed.
    case W::SunColor:
        readRgb(args, sunColor_);
        rebuildAllDisplayLists();
        break;
    case W::AmbientColor:
        readRgb(args, ambientColor_);
        rebuildAllDisplayLists();
        break;

    default:
        // The words that are queries only.
        return 0;
    }
    return 1;
}
