#include "model/TwoLineElements.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
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

namespace {

constexpr const char* whiteSpace = " \t\r\n";

// The length without the white space at the end (a carriage return of a text
// written on another system among it).
std::size_t trimmedLength(const std::string& line) {
    const std::size_t end = line.find_last_not_of(whiteSpace);
    return end == std::string::npos ? 0 : end + 1;
}

bool isElementLine(const std::string& line, char number) {
    return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

bool isCommentOrBlank(const std::string& line) {
    return line.find_first_not_of(whiteSpace) == std::string::npos || line[0] == '#';
}

} // namespace

bool isSatelliteTitle(const std::string& line) {
    return line.size() >= 2 && !isCommentOrBlank(line) && !isElementLine(line, '1') &&
           !isElementLine(line, '2');
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

// The columns (from 1) that hold a blank in line 1 and in line 2.
constexpr int line1Blanks[] = {2, 9, 18, 33, 44, 53, 62, 64};
constexpr int line2Blanks[] = {2, 8, 17, 26, 34, 43, 52};

struct FieldColumns {
    ElementField field;
    int line;
    int first;
    int width;
    bool digits; // digits in every column; otherwise a decimal number
    const char* name;
};

constexpr FieldColumns fieldColumns[] = {
    {ElementField::EpochYear, 1, 19, 2, true, "epoch year"},
    {ElementField::EpochDay, 1, 21, 12, false, "epoch day"},
    {ElementField::MeanMotionDot, 1, 34, 10, false, "rate of the mean motion"},
    {ElementField::Inclination, 2, 9, 8, false, "inclination"},
    {ElementField::Node, 2, 18, 8, false, "ascending node"},
    {ElementField::Eccentricity, 2, 27, 7, true, "eccentricity"},
    {ElementField::ArgPerigee, 2, 35, 8, false, "argument of perigee"},
    {ElementField::MeanAnomaly, 2, 44, 8, false, "mean anomaly"},
    {ElementField::MeanMotion, 2, 53, 11, false, "mean motion"},
};

// Digits add their value and "-" adds one, modulo 10.
int elementChecksum(const std::string& line) {
    int sum = 0;
    for (std::size_t i = 0; i + 1 < kElementLineLength; ++i) {
        const char c = line[i];
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            ++sum;
    }
    return sum % 10;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The catalogue number, columns 3 to 7: digits, or a letter first for numbers
// past 99999; older sets pad it with blanks in front.
bool isCatalogueNumber(const std::string& field) {
    const std::size_t start = field.find_first_not_of(' ');
    if (start == std::string::npos)
        return false;
    for (std::size_t i = start; i < field.size(); ++i)
        if (!isDigit(field[i]) && !(i == start && field[i] >= 'A' && field[i] <= 'Z'))
            return false;
    return true;
}

// A sign, digits, a point and digits, with at least one digit: no exponent,
// no words such as "nan".
bool isPlainNumber(const std::string& text) {
    std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

template <std::size_t N>
ElementSetFault lineFault(const std::string& line, int lineNumber, const int (&blanks)[N]) {
    ElementSetFault fault;
    fault.line = lineNumber;
    if (line.empty()) {
        fault.kind = ElementSetFault::LineMissing;
        return fault;
    }
    if (line.size() != kElementLineLength) {
        fault.kind = ElementSetFault::LineLength;
        fault.length = line.size();
        return fault;
    }
    bool laidOut = line[0] == char('0' + lineNumber) && isCatalogueNumber(line.substr(2, 5)) &&
                   isDigit(line[kElementLineLength - 1]);
    for (const int column : blanks)
        laidOut = laidOut && line[std::size_t(column - 1)] == ' ';
    if (!laidOut)
        fault.kind = ElementSetFault::LineColumns;
    else if (elementChecksum(line) != line[kElementLineLength - 1] - '0')
        fault.kind = ElementSetFault::Checksum;
    return fault;
}

ElementSetFault fieldFault(const std::string& line1, const std::string& line2) {
    ElementSetFault fault;
    for (const FieldColumns& f : fieldColumns) {
        std::string text = elementField(f.line == 1 ? line1 : line2, f.first, f.width);
        if (!f.digits) {
            text.erase(0, text.find_first_not_of(' '));
            text.erase(text.find_last_not_of(' ') + 1);
        }
        const bool isNumber = f.digits ? text.find_first_not_of("0123456789") == std::string::npos
                                       : isPlainNumber(text);
        ElementFieldRange range{};
        const double value = platform::parseDouble(text.c_str());
        const bool inRange =
            !elementFieldRange(f.field, range) ||
            ((range.lowestExcluded ? value > range.lowest : value >= range.lowest) &&
             value <= range.highest);
        if (isNumber && inRange)
            continue;
        fault.kind = isNumber ? ElementSetFault::OutOfRange : ElementSetFault::NotANumber;
        fault.line = f.line;
        fault.field = f.field;
        fault.text = text;
        return fault;
    }
    return fault;
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

} // namespace

bool elementFieldRange(ElementField field, ElementFieldRange& range) {
    switch (field) {
    case ElementField::EpochDay: // day 1.0 is 1 January 00:00 UTC
        range = {1.0, 366.99999999, false};
        return true;
    case ElementField::Inclination:
        range = {0.0, 180.0, false};
        return true;
    case ElementField::Node:
    case ElementField::ArgPerigee:
    case ElementField::MeanAnomaly:
        range = {0.0, 360.0, false};
        return true;
    case ElementField::MeanMotion: // the perigee above the Earth bounds it above
        range = {0.0, std::numeric_limits<double>::max(), true};
        return true;
    default:
        return false;
    }
}

const char* elementFieldName(ElementField field) {
    for (const FieldColumns& f : fieldColumns)
        if (f.field == field)
            return f.name;
    return "";
}

std::vector<ElementFilePart> elementFileParts(const std::vector<std::string>& lines) {
    std::vector<ElementFilePart> parts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isCommentOrBlank(lines[i]))
            continue;
        ElementFilePart part;
        part.first = i;
        part.isSet =
            isSatelliteTitle(lines[i]) && i + 1 < lines.size() && isElementLine(lines[i + 1], '1');
        if (part.isSet)
            part.count = i + 2 < lines.size() && isElementLine(lines[i + 2], '2') ? 3 : 2;
        parts.push_back(part);
        i += part.count - 1;
    }
    return parts;
}

ElementSetFault readElementSet(const std::vector<std::string>& lines, const ElementFilePart& set,
                               TwoLineElements& out) {
    ElementSetFault fault;
    const std::size_t titleLength = trimmedLength(lines[set.first]);
    if (titleLength > kElementTitleMaxLength) {
        fault.kind = ElementSetFault::TitleTooLong;
        fault.length = titleLength;
        return fault;
    }
    const auto trimmed = [&](std::size_t offset) {
        if (offset >= set.count)
            return std::string();
        const std::string& line = lines[set.first + offset];
        return line.substr(0, trimmedLength(line));
    };
    const std::string line1 = trimmed(1);
    const std::string line2 = trimmed(2);
    if ((fault = lineFault(line1, 1, line1Blanks)) || (fault = lineFault(line2, 2, line2Blanks)))
        return fault;
    if (line1.compare(2, 5, line2, 2, 5) != 0) {
        fault.kind = ElementSetFault::CatalogueNumbers;
        return fault;
    }
    if ((fault = fieldFault(line1, line2)))
        return fault;
    parseTwoLineElements(line1, line2, out);
    // The theory of the sets follows no orbit that dips into the Earth: its
    // perigee, from the axis that Kepler's third law gives the mean motion,
    // lies above the surface. This bounds the mean motion (about 17
    // revolutions a day) and the eccentricity.
    const double radiansPerMinute = out.meanMotion * kTwoPi / 1440.0;
    const double axis = std::pow(kElementSetKe / radiansPerMinute, 2.0 / 3.0); // Earth radii
    if (axis * (1.0 - out.eccentricity) <= 1.0)
        fault.kind = ElementSetFault::PerigeeInsideEarth;
    return fault;
}

std::string describeElementSetFault(const ElementSetFault& fault) {
    const std::string line = "line " + std::to_string(fault.line);
    const std::string field = std::string("the ") + elementFieldName(fault.field) + " in " + line;
    ElementFieldRange range{};
    switch (fault.kind) {
    case ElementSetFault::None:
        return "";
    case ElementSetFault::TitleTooLong:
        return "its title has " + std::to_string(fault.length) + " characters, more than " +
               std::to_string(kElementTitleMaxLength);
    case ElementSetFault::LineMissing:
        return line + " is missing";
    case ElementSetFault::LineLength:
        return line + " has " + std::to_string(fault.length) + " characters instead of " +
               std::to_string(kElementLineLength);
    case ElementSetFault::LineColumns:
        return line + " is not in the columns of an element line";
    case ElementSetFault::Checksum:
        return line + " fails its checksum";
    case ElementSetFault::CatalogueNumbers:
        return "its two lines name different catalogue numbers";
    case ElementSetFault::NotANumber:
        return field + " is no number: \"" + fault.text + "\"";
    case ElementSetFault::OutOfRange:
        elementFieldRange(fault.field, range);
        return field + " is " + fault.text +
               (range.lowestExcluded
                    ? ", not above " + numberText(range.lowest)
                    : ", outside " + numberText(range.lowest) + " to " + numberText(range.highest));
    case ElementSetFault::PerigeeInsideEarth:
        return "its perigee lies inside the Earth";
    }
    return "";
}

std::string elementSetName(const std::vector<std::string>& lines, const ElementFilePart& set) {
    std::string name = lines[set.first];
    normalizeSatelliteName(name);
    return name;
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

// Calls take(title, part) for every set in file order until it returns true.
template <class Take> void forEachSet(const std::vector<std::string>& lines, Take take) {
    for (const ElementFilePart& part : elementFileParts(lines))
        if (part.isSet && take(elementSetName(lines, part), part))
            return;
}

} // namespace

std::vector<std::string> elementSetNames(DataFile& file) {
    std::vector<std::string> names;
    forEachSet(allLines(file), [&](const std::string& title, const ElementFilePart&) {
        names.push_back(title);
        return false;
    });
    return names;
}

bool findTwoLineElements(DataFile& file, const std::string& name, TwoLineElements& out,
                         std::string* fault) {
    bool found = false;
    std::string firstFault;
    const std::vector<std::string> lines = allLines(file);
    forEachSet(lines, [&](const std::string& title, const ElementFilePart& part) {
        if (title != name)
            return false;
        TwoLineElements set;
        const ElementSetFault refused = readElementSet(lines, part, set);
        if (refused && firstFault.empty())
            firstFault = describeElementSetFault(refused);
        found = !refused;
        if (found)
            out = set;
        return found;
    });
    if (fault)
        *fault = found ? std::string() : firstFault;
    return found;
}

std::size_t countTwoLineElementSets(const std::vector<std::string>& lines) {
    std::size_t count = 0;
    forEachSet(lines, [&](const std::string&, const ElementFilePart& part) {
        TwoLineElements set;
        count += !readElementSet(lines, part, set);
        return false;
    });
    return count;
}

TwoLineElementSets::TwoLineElementSets(DataFile& file) {
    const std::vector<std::string> lines = allLines(file);
    forEachSet(lines, [&](const std::string& title, const ElementFilePart& part) {
        if (sets_.count(title))
            return false; // the first usable set of a title stays
        TwoLineElements set;
        const ElementSetFault refused = readElementSet(lines, part, set);
        if (!refused)
            sets_.emplace(title, set);
        else
            faults_.emplace(title, describeElementSetFault(refused)); // the first fault stays
        return false;
    });
}

const TwoLineElements* TwoLineElementSets::find(const std::string& name) const {
    const auto it = sets_.find(name);
    return it == sets_.end() ? nullptr : &it->second;
}

std::string TwoLineElementSets::fault(const std::string& name) const {
    const auto it = faults_.find(name);
    return it == faults_.end() || sets_.count(name) ? std::string() : it->second;
}
