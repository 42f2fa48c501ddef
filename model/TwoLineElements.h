// Two-line element sets, the text form in which the orbits of the Earth's
// artificial satellites are published: a title line, then line 1 (epoch) and
// line 2 (orbit) in fixed columns, counted from 1.
//
// Line 1: epoch year (two digits, 57-99 are 1957-1999, 00-56 2000-2056) in
// columns 19-20, epoch day of the year with its fraction in 21-32 (day 1.0 is
// 1 January 00:00 UTC), half the first derivative of the mean motion
// (revolutions per day squared) in 34-43.
// Line 2: inclination 9-16, right ascension of the ascending node 18-25,
// eccentricity 27-33 (digits after an implied "0."), argument of perigee
// 35-42, mean anomaly 44-51 (all degrees), mean motion in revolutions per day
// 53-63. The angles refer to the true equator and mean equinox of the epoch.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class DataFile;

struct TwoLineElements {
    double epochJd = 0.0;
    double inclination = 0.0;
    double node = 0.0;
    double eccentricity = 0.0;
    double argPerigee = 0.0;
    double meanAnomaly = 0.0;
    double meanMotion = 0.0;    // revolutions per day
    double meanMotionDot = 0.0; // half its rate, revolutions per day squared
};

// The satellite-name normal form of titles and body names: at most 255
// characters, trailing line feeds, carriage returns, blanks and tabs removed,
// every blank replaced by "_".
void normalizeSatelliteName(std::string& name);

// True for a line that can be a title: it does not begin with "#", "1" or
// "2" and holds at least two characters.
bool isSatelliteTitle(const std::string& line);

// At most width characters from the column first (from 1); "" when the line
// ends before it.
std::string elementField(const std::string& line, int first, int width);

// The Julian Date of an epoch given as two year digits and a day of the year.
double elementEpochJd(int yearDigits, double dayOfYear);

// Reads the fields of line 1 and line 2 (which must begin with "1" and "2").
// False when the lines are not such lines.
bool parseTwoLineElements(const std::string& line1, const std::string& line2, TwoLineElements& out);

// Reads the file line by line up to the first complete set whose title, in
// its normal form, is name. False when there is none.
bool findTwoLineElements(DataFile& file, const std::string& name, TwoLineElements& out);

// How many complete sets the lines of an element file hold, counted as the
// readers here find them: a title, then line 1 and line 2.
std::size_t countTwoLineElementSets(const std::vector<std::string>& lines);

// Every complete set of an element file, read once, found by title as
// findTwoLineElements finds it: the first complete set of each title.
class TwoLineElementSets {
public:
    explicit TwoLineElementSets(DataFile& file);
    // Null when the file holds no complete set of that title.
    const TwoLineElements* find(const std::string& name) const;
    std::size_t size() const { return sets_.size(); }

private:
    std::unordered_map<std::string, TwoLineElements> sets_;
};
