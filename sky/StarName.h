// A named place on the star sphere: a fixed star's or a galaxy's label. The
// position is the unit vector of the right ascension and declination in the
// sphere's equatorial frame, kept in floats as GL takes raster positions.
#pragma once

#include <string>

struct StarName {
    std::string name; // one token
    float position[3] = {0.0f, 0.0f, 0.0f};
    double ra = 0.0;   // degrees
    double decl = 0.0; // degrees
};
