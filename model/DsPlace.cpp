#include "model/DsPlace.h"

#include <cstdlib>
#include <vector>

#include "engine/CommandArgs.h"
#include "engine/DataFile.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"

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

void DsPlace::parse(const std::string& line) {
    std::vector<std::string> tokens;
    {
        std::string token;
        for (char c : line) {
            if (c == ' ') {
                if (!token.empty())
                    tokens.push_back(token);
                token.clear();
            } else {
                token += c;
            }
        }
        if (!token.empty())
            tokens.push_back(token);
    }
    if (tokens.empty())
        return;
    name_ = tokens[0];
    if (tokens.size() > 1)
        setLatitude(std::atof(tokens[1].c_str()));
    if (tokens.size() > 2)
        setLongitude(std::atof(tokens[2].c_str()));
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
