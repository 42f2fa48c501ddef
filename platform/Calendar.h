// The C library's calendar services the clock needs: the system time, UTC
// conversion in both directions and the local standard-time offset.
#pragma once

#include <cstdint>

namespace platform {

// Broken-down calendar fields; the year is astronomical (the year before 1 is 0).
struct CalendarFields {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970-01-01 00:00:00 UTC of the fields read as UTC in the
// Gregorian calendar (extended backwards). Fields out of range are normalised
// as timegm does: month 13 is January of the next year, day 0 the last day of
// the previous month. False when the C library cannot represent the result.
bool utcToSeconds(const CalendarFields& fields, std::int64_t& seconds);

// The UTC fields of a second count (gmtime). False when it is out of range.
bool secondsToUtc(std::int64_t seconds, CalendarFields& fields);

// The system clock in whole seconds since 1970 UTC.
std::int64_t systemTimeSeconds();

// Re-reads the time-zone settings (TZ) as tzset does.
void refreshTimeZone();

// Seconds that local standard time is ahead of UTC (positive east of
// Greenwich), daylight saving ignored; reflects the settings of the last
// refreshTimeZone.
long standardUtcOffset();

} // namespace platform
