// Switches the process's time zone (TZ) for one test and puts the previous
// setting back, so that local-time rules can be checked for any zone.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/Calendar.h"

namespace orvextest {

class TimeZoneGuard {
public:
    explicit TimeZoneGuard(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            previous_ = old;
        setenv("TZ", zone, 1);
        platform::refreshTimeZone();
    }
    ~TimeZoneGuard() {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        platform::refreshTimeZone();
    }
    TimeZoneGuard(const TimeZoneGuard&) = delete;
    TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

private:
    std::optional<std::string> previous_;
};

} // namespace orvextest
