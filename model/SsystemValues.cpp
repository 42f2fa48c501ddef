// The value texts of the Ssystem command words, the way the windows fill
// their controls: numbers are blank-led (" %i", " %g"), words stand alone,
// and a list is its names each followed by one blank.
#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"
#include "model/SsystemWords.h"

namespace {

using W = SsystemWord;

// Names of the bodies the predicate picks, in list order, as a list.
template <class Pick> std::string bodyNames(const std::vector<DsAstrBody*>& bodies, Pick pick) {
    CommandArgs text;
    for (const DsAstrBody* body : bodies) {
        if (pick(*body))
            text.appendWord(body->getName());
    }
    return text.appendWord("").getText();
}

// Bodies of one kind, whatever their state.
std::string kindNames(const std::vector<DsAstrBody*>& bodies, int kind) {
    return bodyNames(bodies, [kind](const DsAstrBody& b) { return b.getType() == kind; });
}

// The bodies an orbit directory offers, in record order.
std::string recordNames(const std::vector<BodyFileName>& records) {
    CommandArgs text;
    for (const BodyFileName& record : records)
        text.appendWord(record.name);
    return text.appendWord("").getText();
}

bool isListedKind(const DsAstrBody& body) {
    const int kind = body.getType();
    return kind != DsAstrBody::Comet && kind != DsAstrBody::Asteroid &&
           kind != DsAstrBody::Spacecraft && kind != DsAstrBody::ASatellite;
}

// Bodies the data shows in this sim mode whose display state is state.
std::string stateNames(const std::vector<DsAstrBody*>& bodies, int state) {
    return bodyNames(bodies, [state](const DsAstrBody& b) {
        return b.getSimModeFlag() == SimModeState::Show && b.getState() == state;
    });
}

} // namespace

std::string lineSettingText(const LineSetting& line) {
    CommandArgs text;
    text.appendDouble(line.width)
        .appendDouble(line.color[0])
        .appendDouble(line.color[1])
        .appendDouble(line.color[2]);
    return text.getText();
}

std::string Ssystem::getValue() {
    SsystemWord word;
    if (!owner_ || !findSsystemWord(owner_->interp.commandWord, word))
        return "Undefined";
    const DsAstrBody* body = getSelectedBody();
    CommandArgs text;
    switch (word) {
    // Integers.
    case W::SimMode:
        return CommandArgs::formatInt(simModeIndex_);
    case W::Select:
        return CommandArgs::formatInt(selectedIndex_);
    case W::Place:
        return CommandArgs::formatInt(getPlaceIndex());
    case W::Name:
        return CommandArgs::formatInt(name_);
    case W::Axis:
        return CommandArgs::formatInt(axis_);
    case W::Orbit:
        return CommandArgs::formatInt(orbit_);
    case W::Angular:
        return CommandArgs::formatInt(angular_);
    case W::FullShadow:
        return CommandArgs::formatInt(fullShadow_);
    case W::HalfShadow:
        return CommandArgs::formatInt(halfShadow_);
    case W::Dust:
        return CommandArgs::formatInt(dust_);
    case W::AstrBelt:
        return CommandArgs::formatInt(astrBelt_);
    case W::Clouds:
        return CommandArgs::formatInt(clouds_);

    // Words.
    case W::SimModeName:
        return getSimModeName();
    case W::AstrName:
        return getSelectedName();
    case W::AstrTexture:
        return getSelectedTexture();
    case W::PlaceName:
        return body ? body->getPlaceName() : "None";
    case W::PlacePanorama:
        return getPlacePanorama();
    case W::Scale:
        return scale_ ? "Real" : "Model";
    case W::NameFont:
        return nameFont_->getFontSpec();
    case W::HideIfLanding:
        return "";

    // Reals.
    case W::PlaceLat:
        return body ? CommandArgs::formatReal(body->getSelectedPlaceLat()) : "0.0";
    case W::PlaceLon:
        return body ? CommandArgs::formatReal(body->getSelectedPlaceLon()) : "0.0";
    case W::CloudsOpacity:
        return CommandArgs::formatReal(getCloudsOpacity());
    case W::OrbitDisp:
        return lineSettingText(orbitLine_);
    case W::OrbithDisp:
        return lineSettingText(hlightOrbitLine_);
    case W::CometOrbitDisp:
        return lineSettingText(cometOrbitLine_);
    case W::AsteroidOrbitDisp:
        return lineSettingText(asteroidOrbitLine_);
    case W::SpacecraftOrbitDisp:
        return lineSettingText(spacecraftOrbitLine_);
    case W::AxisDisp:
        return lineSettingText(axisLine_);
    case W::AngularDisp:
        return lineSettingText(angularLine_);
    case W::NameColor:
        for (int i = 0; i < 4; ++i)
            text.appendDouble(getNameColor()[i]);
        break;
    case W::SunColor:
    case W::AmbientColor:
        for (int i = 0; i < 3; ++i)
            text.appendFloat(word == W::SunColor ? sunColor_[i] : ambientColor_[i]);
        break;

    // Lists.
    case W::SimModeNames:
        for (const std::string& name : simModeNames_)
            text.appendWord(name);
        text.appendWord("");
        break;
    case W::AstrNames:
        return bodyNames(allBodies_, [](const DsAstrBody& b) { return b.isShown() != 0; });
    case W::PlanetNames:
        return bodyNames(allBodies_, [](const DsAstrBody& b) {
            return b.getSimModeFlag() == SimModeState::Show && isListedKind(b);
        });
    case W::CometNames:
        return kindNames(allBodies_, DsAstrBody::Comet);
    case W::AsteroidNames:
        return kindNames(allBodies_, DsAstrBody::Asteroid);
    case W::SpacecraftNames:
        return kindNames(allBodies_, DsAstrBody::Spacecraft);
    case W::ASatelliteNames:
        return kindNames(allBodies_, DsAstrBody::ASatellite);
    case W::AllCometNames:
        return recordNames(getFileRecords(DsAstrBody::Comet));
    case W::AllAsteroidNames:
        return recordNames(getFileRecords(DsAstrBody::Asteroid));
    case W::AllSpacecraftNames:
        return recordNames(getFileRecords(DsAstrBody::Spacecraft));
    case W::AllASatelliteNames:
        return recordNames(getFileRecords(DsAstrBody::ASatellite));
    case W::ShowAngulars:
    case W::HideAngulars: {
        const int set = word == W::ShowAngulars;
        return bodyNames(allBodies_, [set](const DsAstrBody& b) { return b.getAngular() == set; });
    }
    case W::ShowFullShadows:
    case W::HideFullShadows: {
        const int set = word == W::ShowFullShadows;
        return bodyNames(allBodies_,
                         [set](const DsAstrBody& b) { return b.getFullShadow() == set; });
    }
    case W::ShowHalfShadows:
    case W::HideHalfShadows: {
        const int set = word == W::ShowHalfShadows;
        return bodyNames(allBodies_,
                         [set](const DsAstrBody& b) { return b.getHalfShadow() == set; });
    }
    case W::AstrBodies:
        return bodyNames(allBodies_, [](const DsAstrBody& b) {
            return b.getSimModeFlag() == SimModeState::Show;
        });
    case W::ShowAstrBodies:
        return stateNames(allBodies_, SimModeState::Show);
    case W::HideAstrBodies:
        return stateNames(allBodies_, SimModeState::Hide);
    case W::HlightAstrBodies:
        return stateNames(allBodies_, SimModeState::Hlight);
    case W::PlaceNames:
        return body ? body->getPlaceNameList() : "";

    default:
        return "Undefined";
    }
    return text.getText();
}
