// Directions on the star sphere. The sphere's frame is the equatorial one:
// x toward right ascension 0, y toward right ascension 90 degrees, z toward
// the north celestial pole. Constellations, fixed stars and galaxies name
// their places by right ascension and declination in degrees.
#pragma once

#include "engine/Quaternion.h"
#include "engine/Vector3.h"

// The unit vector of a sky position.
Vector3 skyDirection(double raDeg, double declDeg);

// The camera's view rotation that looks toward a sky position with north up:
// it undoes the star sphere's 23.4-degree tilt, turns the position to right
// ascension 90 degrees and lifts it onto the view axis (0, 0, -1).
Quaternion skyLookRotation(double raDeg, double declDeg);
