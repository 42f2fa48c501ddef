#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "engine/DateTime.h"
#include "platform/Calendar.h"
#include "support/TimeZoneGuard.h"

namespace {

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const Fields& o) const {
        return std::tie(year, month, day, hour, minute, second) ==
               std::tie(o.year, o.month, o.day, o.hour, o.minute, o.second);
    }
    bool operator!=(const Fields& o) const { return !(*this == o); }
};

std::ostream& operator<<(std::ostream& os, const Fields& f) {
    return os << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":"
              << f.second;
}

Fields calendarOf(double t) {
    Fields f;
    DateTime::toCalendar(t, f.year, f.month, f.day, f.hour, f.minute, f.second);
    return f;
}

Fields calendarOfJd(double jd) {
    Fields f;
    DateTime::jdToCalendar(jd, f.year, f.month, f.day, f.hour, f.minute, f.second);
    return f;
}

double timeOf(const Fields& f) {
    return DateTime::fieldsToTime(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

double jdOf(const Fields& f) {
    return DateTime::calendarToJd(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

// The calendar written out independently of the conversions: Julian leap
// years up to 1582-10-04, Gregorian from the next day, 1582-10-15, on.
bool isGregorian(const Fields& f) {
    return std::tie(f.year, f.month, f.day) >= std::make_tuple(1582, 10, 15);
}

int monthLength(const Fields& f) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (f.month != 2)
        return lengths[f.month - 1];
    const int y = f.year;
    const bool leap =
        isGregorian(f) ? (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) : ((y % 4 + 4) % 4 == 0);
    return leap ? 29 : 28;
}

Fields nextDay(Fields f) {
    if (f.year == 1582 && f.month == 10 && f.day == 4) {
        f.day = 15;
        return f;
    }
    if (++f.day > monthLength(f)) {
        f.day = 1;
        if (++f.month > 12) {
            f.month = 1;
            ++f.year;
        }
    }
    return f;
}

} // namespace

TEST(DateTime, LibraryYearsConvertBothWays) {
    DateTime clock;
    clock.setUtc(2000, 1, 1, 12, 0, 0);
    EXPECT_EQ(clock.get(), 946728000.0);
    Fields f;
    clock.getUtc(f.year, f.month, f.day, f.hour, f.minute, f.second);
    EXPECT_EQ(f, (Fields{2000, 1, 1, 12, 0, 0}));
    // Only whole seconds are shown; the fraction stays in the instant.
    EXPECT_EQ(calendarOf(946728000.9), (Fields{2000, 1, 1, 12, 0, 0}));
}

TEST(DateTime, EpochIsZeroSeconds) {
    // Every year converts exactly: 1970 (outside the C library's window) as well.
    DateTime clock;
    clock.setUtc(1970, 1, 1, 0, 0, 0);
    EXPECT_EQ(clock.get(), 0.0);
    EXPECT_EQ(calendarOf(0.0), (Fields{1970, 1, 1, 0, 0, 0}));
    EXPECT_EQ(calendarOf(-0.5), (Fields{1969, 12, 31, 23, 59, 59}));
    EXPECT_EQ(timeOf({1970, 12, 31, 23, 59, 59}), 31535999.0);
    EXPECT_EQ(timeOf({1971, 1, 1, 0, 0, 0}), 31536000.0);
    EXPECT_EQ(timeOf({2035, 1, 1, 0, 0, 0}), 2051222400.0);
    EXPECT_EQ(timeOf({1582, 10, 15, 0, 0, 0}), -12219292800.0);
    // 1 January of the year 1 is Julian: two days before the proleptic Gregorian one.
    EXPECT_EQ(timeOf({1, 1, 1, 0, 0, 0}), -62135596800.0 - 2 * 86400.0);
}

TEST(DateTime, JulianDatesOfKnownInstants) {
    EXPECT_EQ(jdOf({2000, 1, 1, 12, 0, 0}), 2451545.0);
    EXPECT_EQ(jdOf({1582, 10, 15, 12, 0, 0}), 2299161.0);
    EXPECT_EQ(jdOf({1582, 10, 4, 12, 0, 0}), 2299160.0);
    EXPECT_EQ(jdOf({-4712, 1, 1, 12, 0, 0}), 0.0);
    EXPECT_EQ(jdOf({1957, 10, 4, 19, 26, 24}), 2436116.31);
    EXPECT_EQ(jdOf({333, 1, 27, 12, 0, 0}), 1842713.0);
    EXPECT_EQ(jdOf({-1000, 7, 12, 12, 0, 0}), 1356001.0);
    EXPECT_EQ(jdOf({-1000, 2, 29, 0, 0, 0}), 1355866.5);
    EXPECT_EQ(jdOf({1600, 12, 31, 0, 0, 0}), 2305812.5);
    EXPECT_EQ(jdOf({1900, 1, 1, 0, 0, 0}), 2415020.5);
    // The missing October days fold onto the switch.
    EXPECT_EQ(jdOf({1582, 10, 7, 12, 0, 0}), jdOf({1582, 10, 15, 12, 0, 0}));
    EXPECT_EQ(jdOf({1582, 10, 12, 12, 0, 0}), jdOf({1582, 10, 4, 12, 0, 0}));
    // To the nearest 1e-5 day.
    EXPECT_NEAR(jdOf({2000, 1, 1, 12, 0, 1}), 2451545.00001, 1e-9);
    EXPECT_EQ(calendarOfJd(2436116.31), (Fields{1957, 10, 4, 19, 26, 24}));
    EXPECT_EQ(calendarOfJd(0.0), (Fields{-4712, 1, 1, 12, 0, 0}));
}

TEST(DateTime, ClampHoldsTheInstantInsideTheCalendar) {
    DateTime clock;
    clock.setOffset(0.0);
    clock.set(1e12);
    EXPECT_EQ(clock.get(), 253402300800.0);
    clock.set(-1e12);
    EXPECT_EQ(clock.get(), -377711769599.0);
    clock.setOffset(32400.0);
    clock.set(1e12);
    EXPECT_EQ(clock.get(), 253402268400.0);
    clock.set(-1e12);
    EXPECT_EQ(clock.get(), -377711769599.0 - 32400.0);
    clock.add(-1.0);
    EXPECT_EQ(clock.get(), -377711769599.0 - 32400.0);
    clock.set(std::numeric_limits<double>::infinity());
    EXPECT_EQ(clock.get(), 253402268400.0);
    // A NaN (for example "Timer.Time nan") leaves the clock where it is.
    clock.set(std::nan(""));
    EXPECT_EQ(clock.get(), 253402268400.0);
    // The bounds in local time: the first second of -9999 and the end of 9999.
    Fields f;
    clock.set(-1e12);
    clock.getLocal(f.year, f.month, f.day, f.hour, f.minute, f.second);
    EXPECT_EQ(f, (Fields{-9999, 1, 1, 0, 0, 1}));
    EXPECT_EQ(timeOf({9999, 12, 31, 24, 0, 0}), DateTime::maxTime);
    EXPECT_EQ(timeOf({-9999, 1, 1, 0, 0, 1}), DateTime::minTime);
}

TEST(DateTime, LocalFieldsUseTheOffset) {
    DateTime local;
    local.setOffset(32400.0);
    local.setLocal(2000, 1, 1, 9, 0, 0);
    DateTime utc;
    utc.setUtc(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(local.get(), utc.get());
    Fields f;
    local.getLocal(f.year, f.month, f.day, f.hour, f.minute, f.second);
    EXPECT_EQ(f, (Fields{2000, 1, 1, 9, 0, 0}));
    local.setOffset(-18000.0);
    local.getLocal(f.year, f.month, f.day, f.hour, f.minute, f.second);
    EXPECT_EQ(f, (Fields{1999, 12, 31, 19, 0, 0}));
}

TEST(DateTime, FieldsOutOfRangeAreNormalisedInEveryYear) {
    for (int year : {-3000, 1200, 1900, 2000, 2050, 9000}) {
        EXPECT_EQ(timeOf({year, 13, 10, 0, 0, 0}), timeOf({year + 1, 1, 10, 0, 0, 0})) << year;
        EXPECT_EQ(timeOf({year, 0, 10, 0, 0, 0}), timeOf({year - 1, 12, 10, 0, 0, 0})) << year;
        EXPECT_EQ(timeOf({year, -13, 1, 0, 0, 0}), timeOf({year - 2, 11, 1, 0, 0, 0})) << year;
        EXPECT_EQ(timeOf({year, 30, 1, 0, 0, 0}), timeOf({year + 2, 6, 1, 0, 0, 0})) << year;
        EXPECT_EQ(timeOf({year, 3, 0, 0, 0, 0}), timeOf({year, 2, 1, 0, 0, 0}) + 27 * 86400.0 +
                                                     (monthLength({year, 2, 1}) - 28) * 86400.0)
            << year;
        EXPECT_EQ(timeOf({year, 5, 10, 24, 60, 60}), timeOf({year, 5, 11, 1, 1, 0})) << year;
        EXPECT_EQ(timeOf({year, 5, 10, 0, 0, -1}), timeOf({year, 5, 9, 23, 59, 59})) << year;
    }
}

TEST(DateTime, CenturyMarchFirstMorningsStayInMarch) {
    // The first of March of a century year without a leap day, before noon.
    for (int year = 1700; year <= 9900; year += 100) {
        if (year % 400 == 0)
            continue;
        for (int hour : {0, 6, 11}) {
            const Fields march{year, 3, 1, hour, 59, 59};
            EXPECT_EQ(calendarOfJd(jdOf(march)), march);
            EXPECT_EQ(calendarOf(timeOf(march)), march);
        }
    }
}

TEST(DateTime, LastHalfSecondOfADayShowsAsTheNextDay) {
    const double midnight = timeOf({1900, 3, 1, 0, 0, 0});
    EXPECT_EQ(calendarOfJd(midnight / 86400.0 + 2440587.5 - 0.3 / 86400.0),
              (Fields{1900, 3, 1, 0, 0, 0}));
    EXPECT_EQ(calendarOf(midnight - 0.3), (Fields{1900, 2, 28, 23, 59, 59}));
    // 2020-01-01 00:00 is JD 2458849.5: 0.6 s before it, then 0.3 s before it.
    EXPECT_EQ(calendarOfJd(2458849.5 - 0.6 / 86400), (Fields{2019, 12, 31, 23, 59, 59}));
    EXPECT_EQ(calendarOfJd(2458849.5 - 0.3 / 86400), (Fields{2020, 1, 1, 0, 0, 0}));
    EXPECT_EQ(calendarOfJd(2451544.4999999), (Fields{2000, 1, 1, 0, 0, 0}));
}

TEST(DateTime, SavedFieldsDoNotDriftInAnyYear) {
    // Restoring a state sets the saved fields again: the instant must not move.
    for (int year : {-9999, -1, 0, 1970, 1971, 2034, 2035, 2036, 2037, 9999}) {
        DateTime clock;
        clock.setUtc(year, 6, 15, 13, 14, 15);
        const double first = clock.get();
        for (int i = 0; i < 5; ++i) {
            Fields f;
            clock.getUtc(f.year, f.month, f.day, f.hour, f.minute, f.second);
            EXPECT_EQ(f, (Fields{year, 6, 15, 13, 14, 15}));
            clock.setUtc(f.year, f.month, f.day, f.hour, f.minute, f.second);
        }
        EXPECT_EQ(clock.get(), first) << year;
    }
}

TEST(DateTime, EveryDayFromMinus4712To9999RoundTrips) {
    // Walks day by day through both calendars, checking against the calendar
    // written out above, the Julian Date and the seconds at several times of day.
    const int times[][3] = {{0, 0, 0}, {6, 30, 15}, {11, 59, 59}, {12, 0, 0}, {23, 59, 59}};
    Fields date{-4712, 1, 1, 0, 0, 0};
    double dayNumber = 0; // Julian Day Number of the date
    int failures = 0;
    while (date.year < 10000 && failures < 10) {
        const double dayStart = (dayNumber - 2440588) * 86400.0;
        for (const auto& t : times) {
            Fields f = date;
            f.hour = t[0];
            f.minute = t[1];
            f.second = t[2];
            const double jd = jdOf(f);
            const double seconds = timeOf(f);
            const double secondOfDay = t[0] * 3600.0 + t[1] * 60.0 + t[2];
            const double expectedSeconds = dayStart + secondOfDay;
            if (std::fabs(jd - (dayNumber - 0.5 + secondOfDay / 86400.0)) > 0.51e-5 ||
                calendarOfJd(jd) != f || seconds != expectedSeconds || calendarOf(seconds) != f) {
                ADD_FAILURE() << f << " jd " << jd << " t " << seconds;
                ++failures;
            }
        }
        date = nextDay(date);
        dayNumber += 1;
    }
    EXPECT_EQ(date, (Fields{10000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(dayNumber, 5373485); // the day number of 10000-01-01
}

TEST(DateTime, EarlyJulianYearsDownToTheLowerBound) {
    Fields date{-9999, 1, 1, 0, 0, 0};
    double seconds = DateTime::minTime - 1.0; // -9999-01-01 00:00:00, one second below the bound
    int failures = 0;
    while (date.year > -4712 && failures < 10) {
        if (timeOf(date) != seconds ||
            calendarOf(seconds + 43200.5) != (Fields{date.year, date.month, date.day, 12, 0, 0})) {
            ADD_FAILURE() << date;
            ++failures;
        }
        date = nextDay(date);
        seconds += 86400.0;
    }
    EXPECT_EQ(timeOf({-4712, 1, 1, 12, 0, 0}), (0.0 - 2440587.5) * 86400.0);
}

TEST(DateTime, ExtremeValuesConvertWithoutFault) {
    Fields f = calendarOf(std::nan(""));
    EXPECT_EQ(f, (Fields{1970, 1, 1, 0, 0, 0}));
    f = calendarOf(1e300);
    EXPECT_GT(f.year, 2000000000);
    f = calendarOf(-1e300);
    EXPECT_LT(f.year, -2000000000);
    f = calendarOfJd(-1e300);
    EXPECT_LT(f.year, -2000000000);
    EXPECT_TRUE(std::isfinite(timeOf({2147483647, 2147483647, 2147483647, 2147483647, 0, 0})));
    EXPECT_TRUE(std::isfinite(timeOf({-2147483647 - 1, -2147483647 - 1, 1, 0, 0, 0})));
}

TEST(DateTime, ConstructionReadsTheSystemClock) {
    DateTime clock;
    const double now = static_cast<double>(platform::systemTimeSeconds());
    EXPECT_NEAR(clock.get(), now, 2.0);
    EXPECT_EQ(clock.getOffset(), 0.0);
    orvextest::TimeZoneGuard tokyo("Asia/Tokyo");
    clock.setNow();
    EXPECT_NEAR(clock.get(), now, 2.0);
}
