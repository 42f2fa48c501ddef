// An observer's place on a body: a name, a latitude and a longitude in
// degrees, a panorama picture and a weather effect ("None" for none).
//
// Places are read from "Place:" blocks of the body data, from place lists in
// the one-line form "name lat lon [-panorama P] [-weather W]" (parse and
// format), and made by the place dialog.
#pragma once

#include <string>

#include "engine/Quaternion.h"
#include "engine/ScalarTransition.h"

class DataFile;

class DsPlace {
public:
    explicit DsPlace(const std::string& name);
    virtual ~DsPlace() = default;

    // Reads the keywords of a "Place:" block up to its "}" (the stream stands
    // after the place name). Returns 1, or 0 when the file ends before the
    // block does.
    virtual int readDefinition(DataFile& file);

    // Fills the place from a line in the one-line form (words apart by
    // blanks or tabs); the values not mentioned keep theirs. A line without
    // a name changes nothing.
    void parse(const std::string& line);
    // Whether a line reads whole as a place: a name, then the latitude and
    // the longitude, each a finite number with "." decimals and nothing
    // else. why says what is wrong when it does not.
    static bool readsAsPlace(const std::string& line, std::string& why);
    // The one-line form: name, latitude and longitude (" %g", with more
    // digits where parse would not read the same value back), then the
    // options other than "None".
    std::string format() const;

    // The place's orientation on its body: the latitude turn about x applied
    // first, then the turn about z by longitude + 180 degrees.
    Quaternion getRotation() const;

    void setName(const std::string& name) { name_ = name; }
    std::string getName() const { return name_; }
    void setPanorama(const std::string& panorama) { panorama_ = panorama; }
    std::string getPanorama() const { return panorama_; }
    void setWeather(const std::string& weather) { weather_ = weather; }
    std::string getWeather() const { return weather_; }

    // At once, stopping a running change.
    void setLatitude(double degrees) { latitude_.set(degrees); }
    void setLongitude(double degrees) { longitude_.set(degrees); }
    // Over a number of nominal frames.
    void setLatitudeTo(double degrees, int frames) { latitude_.startTo(degrees, frames); }
    void setLongitudeTo(double degrees, int frames) { longitude_.startTo(degrees, frames); }
    double getLatitude() const { return latitude_.getValue(); }
    double getLongitude() const { return longitude_.getValue(); }

    void setDefined(int defined) { defined_ = defined; }
    int getDefined() const { return defined_; }

private:
    std::string name_;
    std::string panorama_ = "None";
    std::string weather_ = "None";
    ScalarTransition latitude_;
    ScalarTransition longitude_;
    int defined_ = 0;
};
