#include "model/TwoLineElements.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/DataFile.h"
#include "engine/DateTime.h"
#include "model/OrbitMath.h"
#include "platform/NumericLocale.h"

void normalizeSatelliteName(std::string& name) {
    if (name.size() > 255)
        name.resize(255);
    const size_t end = name.find_last_not_of("\n\r \t");
    name.resize(end == std::string::npos ? 0 : end + 1);
    for (char& c : name) {
        if (c == ' ')
            c = '_';
    }
}

bool isSatelliteTitle(const std::string& line) {
    return line.size() >= 2 && line[0] != '#' && line[0] != '1' && line[0] != '2';
}

std::string elementField(const std::string& line, int first, int width) {
    const size_t start = size_t(first - 1);
    if (start >= line.size())
        return "";
    return line.substr(start, size_t(width));
}

double elementEpochJd(int yearDigits, double dayOfYear) {
    const int year = yearDigits < 57 ? 2000 + yearDigits : 1900 + yearDigits;
    const double newYear = DateTime::fieldsToTime(year, 1, 1, 0, 0, 0);
    return julianDateFromTime(newYear) + dayOfYear - 1.0;
}

namespace {

double number(const std::string& line, int first, int width) {
    return platform::parseDouble(elementField(line, first, width).c_str());
}

} // namespace

bool parseTwoLineElements(const std::string& line1, const std::string& line2,
                          TwoLineElements& out) {
    if (line1.empty() || line1[0] != '1' || line2.empty() || line2[0] != '2')
        return false;
    const std::string year = elementField(line1, 19, 2);
    out.epochJd = elementEpochJd(std::atoi(year.c_str()), number(line1, 21, 12));
    out.meanMotionDot = number(line1, 34, 10);
    out.inclination = number(line2, 9, 8);
    out.node = number(line2, 18, 8);
    out.eccentricity = platform::parseDouble(("0." + elementField(line2, 27, 7)).c_str());
    out.argPerigee = number(line2, 35, 8);
    out.meanAnomaly = number(line2, 44, 8);
    out.meanMotion = number(line2, 53, 11);
    // A field such as "nan" or "1e999" would carry through every position.
    for (const double field : {out.epochJd, out.meanMotionDot, out.inclination, out.node,
                               out.eccentricity, out.argPerigee, out.meanAnomaly, out.meanMotion})
        if (!std::isfinite(field))
            return false;
    return true;
}

namespace {

std::vector<std::string> allLines(DataFile& file) {
    std::vector<std::string> lines;
    std::string line;
    while (file.good()) {
        file.readLine(line);
        lines.push_back(line);
    }
    return lines;
}

// Calls take(title, set) for every complete set in file order. The lines are
// kept, so that a title whose set is incomplete does not hide the lines after
// it.
template <class Take> void forEachSet(const std::vector<std::string>& lines, Take take) {
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        if (!isSatelliteTitle(lines[i]))
            continue;
        std::string title = lines[i];
        normalizeSatelliteName(title);
        TwoLineElements set;
        if (parseTwoLineElements(lines[i + 1], lines[i + 2], set) && take(title, set))
            return;
    }
}

} // namespace

bool findTwoLineElements(DataFile& file, const std::string& name, TwoLineElements& out) {
    bool found = false;
    forEachSet(allLines(file), [&](const std::string& title, const TwoLineElements& set) {
        if (title != name)
            return false;
        out = set;
        found = true;
        return true;
    });
    return found;
}

std::size_t countTwoLineElementSets(const std::vector<std::string>& lines) {
    std::size_t count = 0;
    forEachSet(lines, [&](const std::string&, const TwoLineElements&) {
        ++count;
        return false;
    });
    return count;
}

TwoLineElementSets::TwoLineElementSets(DataFile& file) {
    forEachSet(allLines(file), [&](const std::string& title, const TwoLineElements& set) {
        sets_.emplace(title, set); // the first of a title stays
        return false;
    });
}

const TwoLineElements* TwoLineElementSets::find(const std::string& name) const {
    const auto it = sets_.find(name);
    return it == sets_.end() ? nullptr : &it->second;
}
