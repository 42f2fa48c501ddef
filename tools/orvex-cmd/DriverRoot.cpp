#include "DriverRoot.h"

DriverRoot::DriverRoot() : Main("Orvex") {
    addCommandObjects(*this);
}

DriverRoot::~DriverRoot() {
    while (!objects_.empty())
        objects_.pop_back();
}

int DriverRoot::readConfigEntry(DataFile&) {
    return 1;
}

int DriverRoot::frame(unsigned elapsedMs) {
    if (!isConfigured())
        return 0;
    const int ended = Main::frame(elapsedMs);
    for (const auto& step : frameSteps_)
        step(elapsedMs);
    return ended;
}
