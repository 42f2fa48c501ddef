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

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class DataFile;

// The Earth model of the published sets (WGS 72).
constexpr double kElementSetEarthRadiusKm = 6378.135;
constexpr double kElementSetKe = 0.0743669161; // sqrt(GM) in Earth radii^1.5 per minute

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

// True for a line that can be a title: it holds a character other than white
// space, at least two in all, and is neither a comment ("#") nor an element
// line (one that begins with "1 " or "2 ").
bool isSatelliteTitle(const std::string& line);

// At most width characters from the column first (from 1); "" when the line
// ends before it.
std::string elementField(const std::string& line, int first, int width);

// The Julian Date of an epoch given as two year digits and a day of the year.
double elementEpochJd(int yearDigits, double dayOfYear);

// Reads the fields of line 1 and line 2 (which must begin with "1" and "2")
// as their columns hold them, a leading number or 0 (readElementSet checks
// them). False when the lines are not such lines or a field is not finite.
bool parseTwoLineElements(const std::string& line1, const std::string& line2, TwoLineElements& out);

// The fields read from an element set, each in its published columns.
enum class ElementField {
    EpochYear,
    EpochDay,
    MeanMotionDot,
    Inclination,
    Node,
    Eccentricity,
    ArgPerigee,
    MeanAnomaly,
    MeanMotion
};

// Why the lines of a set are not a usable element set.
struct ElementSetFault {
    enum Kind {
        None,
        TitleTooLong,     // length
        LineMissing,      // line
        LineLength,       // line, length
        LineColumns,      // line: its number, blanks or checksum digit out of place
        Checksum,         // line
        CatalogueNumbers, // the two lines name different satellites
        NotANumber,       // line, field, text
        OutOfRange,       // line, field, text
        PerigeeInsideEarth
    };
    Kind kind = None;
    int line = 0;
    std::size_t length = 0;
    ElementField field = ElementField::EpochYear;
    std::string text; // the field's text without its blanks
    explicit operator bool() const { return kind != None; }
};

// Every line of an element set has this many columns, the last its checksum.
constexpr std::size_t kElementLineLength = 69;
// Titles are published with 24 characters. One longer than the lines under
// it is no name but a page or junk above a set.
constexpr std::size_t kElementTitleMaxLength = kElementLineLength;

// The range of a numeric field (those whose range the columns do not give
// already); the lowest value is excluded where lowestExcluded.
struct ElementFieldRange {
    double lowest, highest;
    bool lowestExcluded;
};
bool elementFieldRange(ElementField field, ElementFieldRange& range);
// The field's name in a message, such as "mean motion".
const char* elementFieldName(ElementField field);

// A run of the lines of an element file: a set, or a line that stands
// outside any set. A set is decided by position: the line right above a
// line 1 (a line beginning "1 ") is its title when it can be one, whatever
// it begins with, and line 2 follows when the next line begins "2 " (count
// 3; 2 when it is missing). Comments and lines of white space belong to no
// run.
struct ElementFilePart {
    std::size_t first = 0;
    std::size_t count = 1;
    bool isSet = false;
};
std::vector<ElementFilePart> elementFileParts(const std::vector<std::string>& lines);

// Reads the set part of lines into out: a title no longer than an element
// line, both lines whole with their checksums right and one catalogue
// number, each field a number in its published columns and range, and the
// orbit's perigee above the Earth's surface. Trailing white space of a line
// does not count. The fault is empty when the set can be used; otherwise it
// is the first found in that order.
ElementSetFault readElementSet(const std::vector<std::string>& lines, const ElementFilePart& set,
                               TwoLineElements& out);
// The fault in English, for the log.
std::string describeElementSetFault(const ElementSetFault& fault);

// The title of a set part in its normal form.
std::string elementSetName(const std::vector<std::string>& lines, const ElementFilePart& set);

// The titles of every set of the file in their normal form, in file order,
// usable or not: the reader tells why one it is asked for is refused.
std::vector<std::string> elementSetNames(DataFile& file);

// Reads the file line by line up to the first usable set whose title, in
// its normal form, is name. False when there is none; fault then tells why
// the first set of that title was refused (empty when there is no such set).
bool findTwoLineElements(DataFile& file, const std::string& name, TwoLineElements& out,
                         std::string* fault = nullptr);

// How many usable sets the lines of an element file hold.
std::size_t countTwoLineElementSets(const std::vector<std::string>& lines);

// Every usable set of an element file, read once, found by title as
// findTwoLineElements finds it: the first usable set of each title.
class TwoLineElementSets {
public:
    explicit TwoLineElementSets(DataFile& file);
    // Null when the file holds no usable set of that title.
    const TwoLineElements* find(const std::string& name) const;
    // Why the first set of that title was refused when none could be used;
    // empty otherwise.
    std::string fault(const std::string& name) const;
    std::size_t size() const { return sets_.size(); }

private:
    std::unordered_map<std::string, TwoLineElements> sets_;
    std::unordered_map<std::string, std::string> faults_;
};
