#include "engine/DateTime.h"

#include <cmath>
#include <cstdint>

#include "platform/Calendar.h"

namespace {

constexpr double secondsPerDay = 86400.0;
// Julian Day Number of 1970-01-01 and Julian Date of its midnight.
constexpr std::int64_t unixEpochDayNumber = 2440588;
constexpr double unixEpochJd = 2440587.5;
// Day number of 1582-10-15, the first Gregorian day.
constexpr double gregorianStartDayNumber = 2299161.0;
// The years the C library converts (1971-01-01 up to 2034-12-31 23:59:59 UTC);
// both directions use the same window.
constexpr int libraryFirstYear = 1971;
constexpr int libraryEndYear = 2035;
constexpr std::int64_t libraryFirstTime = 31536000;
constexpr std::int64_t libraryEndTime = 2051222400;
// Beyond these the years no longer fit an int; instants are held inside them
// before they are split into fields.
constexpr double splitLimit = 6.7e16;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// A date with its month brought into 1..12.
struct Date {
    double year;
    int month;
    double day;
};

Date normalisedDate(int year, int month, int day) {
    const std::int64_t months = static_cast<std::int64_t>(month) - 1;
    const std::int64_t yearShift = floorDiv(months, 12);
    return {static_cast<double>(year) + static_cast<double>(yearShift),
            static_cast<int>(months - yearShift * 12) + 1, static_cast<double>(day)};
}

// Julian Day Number (the day's noon) of a date; day overflow runs on into the
// following months.
double dayNumber(int year, int month, int day) {
    Date d = normalisedDate(year, month, day);
    if (d.year == 1582 && d.month == 10) {
        if (d.day >= 5 && d.day <= 8)
            d.day = 15;
        else if (d.day >= 9 && d.day <= 14)
            d.day = 4;
    }
    // March-based year, so that the leap day ends it.
    double y = d.year;
    double m = d.month + 1;
    if (d.month <= 2) {
        y -= 1;
        m = d.month + 13;
    }
    double j = std::floor(365.25 * y) + std::floor(30.6001 * m) + d.day + 1720995.0;
    if ((d.year * 12 + d.month) * 31 + d.day >= 588829) {
        const double a = std::floor(0.01 * y);
        j += 2 - a + std::floor(0.25 * a);
    }
    return j;
}

// The date of a Julian Day Number.
void dateOfDayNumber(double z, int& year, int& month, int& day) {
    double a = z;
    if (z >= gregorianStartDayNumber) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha * 0.25);
    }
    const double b = a + 1524.0;
    // Counted from a nearby epoch so that the year division keeps its precision.
    const double k = std::floor((b - 2439870.0 - 122.1) / 365.25 + 6680.0);
    const double d = std::floor(k * 365.25);
    const double e = std::floor((b - d) / 30.6001);
    day = static_cast<int>(b - d - std::floor(e * 30.6001));
    month = static_cast<int>(e - 1.0);
    if (month > 12)
        month -= 12;
    year = static_cast<int>(k - 4715.0 - (month > 2 ? 1.0 : 0.0));
}

// Splits a count of whole days and a second of the day into fields.
void splitDaySecond(std::int64_t dayNumber, std::int64_t secondOfDay, int& year, int& month,
                    int& day, int& hour, int& minute, int& second) {
    dateOfDayNumber(static_cast<double>(dayNumber), year, month, day);
    hour = static_cast<int>(secondOfDay / 3600);
    minute = static_cast<int>(secondOfDay / 60 % 60);
    second = static_cast<int>(secondOfDay % 60);
}

} // namespace

DateTime::DateTime() {
    setNow();
}

void DateTime::set(double t) {
    if (std::isnan(t))
        return;
    if (t > maxTime - offset)
        t = maxTime - offset;
    else if (t < minTime - offset)
        t = minTime - offset;
    time = t;
}

void DateTime::setUtc(int year, int month, int day, int hour, int minute, int second) {
    time = fieldsToTime(year, month, day, hour, minute, second);
}

void DateTime::setLocal(int year, int month, int day, int hour, int minute, int second) {
    set(fieldsToTime(year, month, day, hour, minute, second) - offset);
}

void DateTime::getUtc(int& year, int& month, int& day, int& hour, int& minute, int& second) const {
    toCalendar(time, year, month, day, hour, minute, second);
}

void DateTime::getLocal(int& year, int& month, int& day, int& hour, int& minute,
                        int& second) const {
    toCalendar(time + offset, year, month, day, hour, minute, second);
}

void DateTime::setNow() {
    time = static_cast<double>(platform::systemTimeSeconds());
}

double DateTime::fieldsToTime(int year, int month, int day, int hour, int minute, int second) {
    if (year >= libraryFirstYear && year < libraryEndYear) {
        std::int64_t seconds = 0;
        if (platform::utcToSeconds({year, month, day, hour, minute, second}, seconds))
            return static_cast<double>(seconds);
    }
    const double days = dayNumber(year, month, day) - static_cast<double>(unixEpochDayNumber);
    return days * secondsPerDay + hour * 3600.0 + minute * 60.0 + second;
}

void DateTime::toCalendar(double t, int& year, int& month, int& day, int& hour, int& minute,
                          int& second) {
    if (std::isnan(t))
        t = 0.0;
    t = std::floor(std::fmax(-splitLimit, std::fmin(splitLimit, t)));
    const auto whole = static_cast<std::int64_t>(t);
    if (whole >= libraryFirstTime && whole < libraryEndTime) {
        platform::CalendarFields f;
        if (platform::secondsToUtc(whole, f)) {
            year = f.year;
            month = f.month;
            day = f.day;
            hour = f.hour;
            minute = f.minute;
            second = f.second;
            return;
        }
    }
    const std::int64_t days = floorDiv(whole, 86400);
    splitDaySecond(unixEpochDayNumber + days, whole - days * 86400, year, month, day, hour, minute,
                   second);
}

double DateTime::calendarToJd(int year, int month, int day, int hour, int minute, int second) {
    double j = dayNumber(year, month, day);
    double f = hour * 0.041666666666666664 - 0.5;
    if (f < 0) {
        f += 1.0;
        j -= 1;
    }
    const double x =
        ((second * 0.016666666666666666 + minute) * 0.0006944444444444444 + f + j) * 100000.0;
    double r = std::floor(x);
    if (x - r > 0.5)
        r += 1;
    // A division, not a product with 1e-5, keeps whole and half days exact.
    return r / 100000.0;
}

void DateTime::jdToCalendar(double jd, int& year, int& month, int& day, int& hour, int& minute,
                            int& second) {
    const double dayLimit = splitLimit / secondsPerDay;
    if (std::isnan(jd))
        jd = unixEpochJd;
    jd = std::fmax(-dayLimit, std::fmin(dayLimit, jd));
    // Rounded to whole seconds before the split, so that a time just before
    // midnight carries into the next day instead of showing 24:00:00.
    const double noonBased = jd + 0.5;
    auto days = static_cast<std::int64_t>(std::floor(noonBased));
    auto secondOfDay = static_cast<std::int64_t>(
        std::floor((noonBased - static_cast<double>(days)) * secondsPerDay + 0.5));
    if (secondOfDay >= 86400) {
        days += 1;
        secondOfDay -= 86400;
    }
    splitDaySecond(days, secondOfDay, year, month, day, hour, minute, second);
}
