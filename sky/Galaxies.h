// The command class of the galaxy names ("Galaxies"): the labels of its names
// file ("Galaxies:" of the main configuration), drawn while shown; the camera
// looks toward a galaxy by name.
//
// Commands: Show, NameColor, NameFont, GalaxyNames (query only), ShowTog.
#pragma once

#include <string>

#include "sky/SkyNameLabels.h"

class Main;

class Galaxies : public SkyNameLabels {
public:
    // Registers "Galaxies" and its five words with the owner's interpreter.
    explicit Galaxies(Main* owner);

    // Appends the labels of the names file (relative to the data directory).
    // 0 when it does not open.
    int loadNames(const std::string& path);
    // Compiles the label list: only once built, or with force set (needs GL).
    void buildList(int force);
    // Per frame, inside the star sphere: while shown, the labels, the list
    // compiled at the first such frame.
    void draw();

    bool hasGalaxy(const std::string& name) const { return hasLookTarget(name); }

private:
    void rebuildAfterFontChange() override { buildList(0); }
};
