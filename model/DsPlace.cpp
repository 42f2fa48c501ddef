#include "model/DsPlace.h"

#include <cmath>
#include <vector>

#include "engine/CommandArgs.h"
#include "engine/DataFile.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"
#include "platform/NumericLocale.h"

DsPlace::DsPlace(const std::string& name) : name_(name) {
    latitude_.setIfIdle(0.0);
    longitude_.setIfIdle(0.0);
}

int DsPlace::readDefinition(DataFile& file) {
    std::string token;
    while (nextToken(file, token)) {
        if (closesRecord(token))
            return 1;
        if (token == "Latitude:" || token == "Longitude:") {
            double value = 0.0;
            file.readDouble(value);
            if (token == "Latitude:")
                setLatitude(value);
            else
                setLongitude(value);
        } else if (token == "Panorama:") {
            nextToken(file, panorama_);
        } else if (token == "Weather:") {
            nextToken(file, weather_);
        }
    }
    return 0; // the file ended inside the block
}

namespace {

// The words of a place line: blanks, tabs and a carriage return before the
// line feed all part them.
std::vector<std::string> placeWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == '\r') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// A whole word that is a finite number with "." decimals: no comma decimals,
// hexadecimal, "nan", "inf" or overflow, which a conversion would turn into
// other values.
bool isPlaceNumber(const std::string& word) {
    if (word.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    const char* end = nullptr;
    const double value = platform::parseDouble(word.c_str(), &end);
    return end == word.c_str() + word.size() && std::isfinite(value);
}

} // namespace

bool DsPlace::readsAsPlace(const std::string& line, std::string& why) {
    const std::vector<std::string> words = placeWords(line);
    const char* const fields[] = {"latitude", "longitude"};
    for (std::size_t i = 0; i < 2; ++i) {
        if (words.size() < i + 2) {
            why = words.empty() ? "no place name" : std::string("no ") + fields[i];
            return false;
        }
        if (!isPlaceNumber(words[i + 1])) {
            why = std::string("the ") + fields[i] + " \"" + words[i + 1] + "\" is no number";
            return false;
        }
    }
    return true;
}

void DsPlace::parse(const std::string& line) {
    const std::vector<std::string> tokens = placeWords(line);
    if (tokens.empty())
        return;
    name_ = tokens[0];
    if (tokens.size() > 1)
        setLatitude(platform::parseDouble(tokens[1].c_str()));
    if (tokens.size() > 2)
        setLongitude(platform::parseDouble(tokens[2].c_str()));
    for (size_t i = 3; i < tokens.size(); ++i) {
        const std::string& word = tokens[i];
        // An option word that ends the line has no value and is skipped.
        if (i + 1 >= tokens.size())
            break;
        if (word == "Panorama" || word == "-panorama")
            panorama_ = tokens[++i];
        else if (word == "Weather" || word == "-weather")
            weather_ = tokens[++i];
    }
}

namespace {

bool isSet(const std::string& option) {
    return !option.empty() && option != "None";
}

} // namespace

std::string DsPlace::format() const {
    std::string line = name_ + " " + CommandArgs::exactReal(getLatitude()) + " " +
                       CommandArgs::exactReal(getLongitude());
    if (isSet(panorama_))
        line += " -panorama " + panorama_;
    if (isSet(weather_))
        line += " -weather " + weather_;
    return line;
}

Quaternion DsPlace::getRotation() const {
    const Quaternion lon(Vector3(0, 0, 1), (getLongitude() + 180.0) * kDegToRad);
    const Quaternion lat(Vector3(1, 0, 0), getLatitude() * kDegToRad);
    return lat * lon;
}
