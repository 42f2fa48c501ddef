// What the object lists read of the root: the paths of the list files and
// orbit directories of the main configuration (relative to the data
// directory), the version and locale written at the head of every list, and
// the data directory itself, which every list operation works in ("" works
// in the current directory).
#pragma once

#include <string>

struct ListSettings {
    std::string dataDir;
    std::string version = "7.0";
    std::string locale = "en_us";
    std::string defaultList = "./data/defaults.ddl";
    std::string placeList = "./data/places.dpl";
    std::string cometList = "./data/comets.dcl";
    std::string cometDir = "./data/orbits/comets/";
    std::string asteroidList = "./data/asteroids.dal";
    std::string asteroidDir = "./data/orbits/asteroids/";
    std::string spacecraftList = "./data/comets.dsl";
    std::string spacecraftDir = "./data/orbits/spacecrafts/";
    std::string aSatelliteList = "./data/asatellites.dal";
    std::string aSatelliteDir = "./data/orbits/asatellites/";
};

// One body that an orbit directory offers: its name and the orbit file's
// path (the directory text followed by the file name).
struct BodyFileName {
    std::string name;
    std::string file;
};
