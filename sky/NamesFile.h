// The names files of the star sphere: fixed-star names and galaxy names. Both
// are text, whitespace-separated tokens, "#" starting a comment to the end of
// its line. Records stand in blocks:
//
//     FixedStarNames: 2 {          (a header, a count that is not used, "{")
//     Name: Sirius 6 45.1487 -16 42.967
//     Star: 6 45 8.92 -16 42 58.0 -1.46 0.79 0.86 1.00
//     }
//
// "Name:" is a label: name, right ascension hours and minutes, declination
// degrees and minutes. The degrees are a signed token: "-0 30" is half a
// degree south. "Star:" is a coloured dot: right ascension h m s, declination
// d m s, the magnitude, then r g b. Tokens outside a block (other than a
// header) and unknown tokens inside one are skipped.
#pragma once

#include <string>
#include <vector>

#include "sky/FixedStar.h"
#include "sky/StarName.h"

// Reads the file (relative to the working directory) and appends its records:
// the labels of the blocks opened by header, and, when stars is given, their
// dots. A record with a field missing or no number is left out with a message;
// the token that broke it is read again, so a following record or the block's
// end is not lost. False only when the file does not open, with the reason in
// *error when given.
bool readNamesFile(const std::string& path, const std::string& header, std::vector<StarName>& names,
                   std::vector<FixedStar>* stars, std::string* error = nullptr);
