// The command words of Ssystem, shared by its command, value and saved-line
// sources.
#pragma once

#include <string>

struct LineSetting;

// In registration order, the order of the listings. The execution table
// differs in a few places: there PlaceName stands tenth and PlaceNames
// after PlacePanorama, NameColor before NameFont, SunColor and AmbientColor
// after CloudsOpacity, and SetPlaceName before LoadPlaceList. Execution
// and queries look words up by name, so the difference shows only in the
// listings.
enum class SsystemWord {
    SimMode,
    SimModeName,
    SimModeNames,
    Select,
    AstrName,
    AstrNames,
    PlanetNames,
    AstrTexture,
    Place,
    PlaceNames,
    Name,
    Axis,
    Orbit,
    Angular,
    ShowAngulars,
    HideAngulars,
    Scale,
    FullShadow,
    ShowFullShadows,
    HideFullShadows,
    HalfShadow,
    ShowHalfShadows,
    HideHalfShadows,
    Dust,
    AstrBelt,
    CometNames,
    AllCometNames,
    AsteroidNames,
    AllAsteroidNames,
    SpacecraftNames,
    AllSpacecraftNames,
    ASatelliteNames,
    AllASatelliteNames,
    PlaceName,
    PlacePanorama,
    PlaceLat,
    PlaceLon,
    OrbitDisp,
    OrbithDisp,
    CometOrbitDisp,
    AsteroidOrbitDisp,
    SpacecraftOrbitDisp,
    AxisDisp,
    AngularDisp,
    NameFont,
    NameColor,
    SunColor,
    AmbientColor,
    Clouds,
    CloudsOpacity,
    HideIfLanding,
    AstrBodies,
    ShowAstrBodies,
    HideAstrBodies,
    HlightAstrBodies,
    SimModePrev,
    SimModeNext,
    SelectPrev,
    SelectNext,
    SelectTo,
    AstrNamePrev,
    AstrNameNext,
    AstrNameTo,
    PlacePrev,
    PlaceNext,
    PlaceLatTo,
    PlaceLonTo,
    NameTog,
    AxisTog,
    OrbitTog,
    AngularTog,
    ScaleTog,
    ScaleTo,
    ScaleTogTo,
    FullShadowTog,
    HalfShadowTog,
    DustTog,
    AstrBeltTog,
    AddComet,
    RemoveComet,
    LoadCometList,
    SaveCometList,
    AddAsteroid,
    RemoveAsteroid,
    LoadAsteroidList,
    SaveAsteroidList,
    AddSpacecraft,
    RemoveSpacecraft,
    LoadSpacecraftList,
    SaveSpacecraftList,
    AddASatellite,
    RemoveASatellite,
    LoadASatelliteList,
    SaveASatelliteList,
    AddPlace,
    RemovePlace,
    LoadPlaceList,
    SavePlaceList,
    SetPlaceName,
    RefPlaceLatTo,
    RefPlaceLonTo,
    NameColorTo,
    CloudsTo,
    CloudsTogTo,
    CloudsTog,
    CloudsOpacityTo,
    Count
};

struct SsystemCommand {
    enum Registration { Listed, Hidden, Unregistered };
    const char* word;
    Registration registration;
};

// The table, one entry per SsystemWord.
const SsystemCommand* ssystemCommands();
// The word of the text; false for a text that is no Ssystem word.
bool findSsystemWord(const std::string& text, SsystemWord& word);
const char* ssystemWordText(SsystemWord word);

// " %g" width, red, green and blue: a line setting's value text.
std::string lineSettingText(const LineSetting& line);
