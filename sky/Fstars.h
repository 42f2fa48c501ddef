// The command class of the named fixed stars ("Fstars"). Its names file
// ("FixedStars:" of the main configuration) holds name labels and fixed
// stars: the labels are drawn while shown, the fixed stars as small dots of
// their own colour whenever Space shows its stars as points. The camera looks
// toward a star by its label's name.
//
// Commands: Show, NameColor, NameFont, FstarNames (query only), ShowTog.
#pragma once

#include <string>
#include <vector>

#include "sky/FixedStar.h"
#include "sky/SkyNameLabels.h"

class Main;
class Space;

class Fstars : public SkyNameLabels {
public:
    // Registers "Fstars" and its five words with the owner's interpreter.
    explicit Fstars(Main* owner);
    ~Fstars() override;

    // The stars' display switch and style; null draws no dots.
    void setSpace(const Space* s) { space = s; }

    // Appends the records of the names file (relative to the data
    // directory). 0 when it does not open.
    int loadNames(const std::string& path);
    // Compiles the label and dot lists: only once built, or with force set
    // (needs GL).
    void buildLists(int force);
    // Per frame, inside the star sphere; draws nothing before buildLists.
    void draw();

    const std::vector<FixedStar>& getFixedStars() const { return fixedStars; }
    unsigned getPointsList() const { return pointsList; }

private:
    void rebuildAfterFontChange() override { buildLists(0); }

    std::vector<FixedStar> fixedStars;
    unsigned pointsList = 0;
    const Space* space = nullptr;
};
