// What the camera and the solar-system model read of the landscape: whether
// its weather shows and how opaque it is (the camera's particles follow it in
// Observe mode), and the name of the place every body keeps. The landscape
// class implements it; while the root has none, the camera shows no weather
// and bodies keep a place named "Surface".
#pragma once

#include <string>

class LandscapeState {
public:
    virtual ~LandscapeState() = default;

    virtual int getWeather() const = 0;
    virtual double getWeatherOpacity() const = 0;
    virtual std::string getDefaultPlaceName() const = 0;
};
