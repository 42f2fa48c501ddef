#include "platform/Calendar.h"

#include <ctime>
#include <limits>

namespace platform {

bool utcToSeconds(const CalendarFields& fields, std::int64_t& seconds) {
    // The record counts years from 1900 and months from 0: fields at the
    // bottom of int's range do not fit it.
    if (fields.year < std::numeric_limits<int>::min() + 1900 ||
        fields.month == std::numeric_limits<int>::min())
        return false;
    std::tm record{};
    record.tm_year = fields.year - 1900;
    record.tm_mon = fields.month - 1;
    record.tm_mday = fields.day;
    record.tm_hour = fields.hour;
    record.tm_min = fields.minute;
    record.tm_sec = fields.second;
    record.tm_isdst = 0;
    // timegm reports failure as -1, which is also a valid instant: a changed
    // record tells the two apart (timegm normalises it on success).
    record.tm_wday = -1;
    const std::time_t result = ::timegm(&record);
    if (result == static_cast<std::time_t>(-1) && record.tm_wday == -1)
        return false;
    seconds = static_cast<std::int64_t>(result);
    return true;
}

bool secondsToUtc(std::int64_t seconds, CalendarFields& fields) {
    if (seconds < std::numeric_limits<std::time_t>::min() ||
        seconds > std::numeric_limits<std::time_t>::max())
        return false;
    const std::time_t value = static_cast<std::time_t>(seconds);
    std::tm record{};
    if (!::gmtime_r(&value, &record) || record.tm_year > std::numeric_limits<int>::max() - 1900)
        return false;
    fields.year = record.tm_year + 1900;
    fields.month = record.tm_mon + 1;
    fields.day = record.tm_mday;
    fields.hour = record.tm_hour;
    fields.minute = record.tm_min;
    fields.second = record.tm_sec;
    return true;
}

std::int64_t systemTimeSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

void refreshTimeZone() {
    ::tzset();
}

long standardUtcOffset() {
    // POSIX keeps the standard offset as seconds west of Greenwich.
    return -static_cast<long>(::timezone);
}

} // namespace platform
