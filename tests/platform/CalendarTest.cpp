#include <gtest/gtest.h>

#include <limits>

#include "platform/Calendar.h"
#include "support/TimeZoneGuard.h"

namespace {

using orvextest::TimeZoneGuard;

platform::CalendarFields fields(int y, int mo, int d, int h, int mi, int s) {
    platform::CalendarFields f;
    f.year = y;
    f.month = mo;
    f.day = d;
    f.hour = h;
    f.minute = mi;
    f.second = s;
    return f;
}

std::int64_t seconds(const platform::CalendarFields& f) {
    std::int64_t s = -1;
    EXPECT_TRUE(platform::utcToSeconds(f, s));
    return s;
}

} // namespace

TEST(Calendar, UtcConversionIsIndependentOfTheLocalZone) {
    for (const char* zone : {"UTC", "Asia/Tokyo", "America/New_York"}) {
        TimeZoneGuard guard(zone);
        EXPECT_EQ(seconds(fields(2000, 1, 1, 12, 0, 0)), 946728000) << zone;
        // Summer time in New York changes nothing either.
        EXPECT_EQ(seconds(fields(2006, 7, 4, 0, 0, 0)), 1151971200) << zone;
        platform::CalendarFields f;
        ASSERT_TRUE(platform::secondsToUtc(946728000, f));
        EXPECT_EQ(f.year, 2000);
        EXPECT_EQ(f.hour, 12);
    }
}

TEST(Calendar, FieldsOutOfRangeAreNormalised) {
    EXPECT_EQ(seconds(fields(2000, 13, 1, 0, 0, 0)), seconds(fields(2001, 1, 1, 0, 0, 0)));
    EXPECT_EQ(seconds(fields(2000, 3, 0, 0, 0, 0)), seconds(fields(2000, 2, 29, 0, 0, 0)));
    EXPECT_EQ(seconds(fields(1999, 12, 31, 24, 0, 0)), seconds(fields(2000, 1, 1, 0, 0, 0)));
    EXPECT_EQ(seconds(fields(1970, 1, 1, 0, 0, -1)), -1);
    // Months are counted from 0 in the system's record: the lowest int has no place there.
    std::int64_t out = 0;
    EXPECT_FALSE(
        platform::utcToSeconds(fields(2000, std::numeric_limits<int>::min(), 1, 0, 0, 0), out));
}

TEST(Calendar, ProlepticGregorianAcrossTheYears) {
    EXPECT_EQ(seconds(fields(1970, 1, 1, 0, 0, 0)), 0);
    EXPECT_EQ(seconds(fields(1900, 3, 1, 0, 0, 0)), -2203891200);
    EXPECT_EQ(seconds(fields(9999, 12, 31, 23, 59, 59)), 253402300799);
    platform::CalendarFields f;
    ASSERT_TRUE(platform::secondsToUtc(2084411647, f));
    EXPECT_EQ(f.year, 2036);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.day, 20);
    EXPECT_EQ(f.hour, 3);
    EXPECT_EQ(f.minute, 14);
    EXPECT_EQ(f.second, 7);
}

TEST(Calendar, StandardOffsetIgnoresDaylightSaving) {
    {
        TimeZoneGuard guard("Asia/Tokyo");
        EXPECT_EQ(platform::standardUtcOffset(), 32400);
    }
    {
        TimeZoneGuard guard("America/New_York");
        EXPECT_EQ(platform::standardUtcOffset(), -18000);
    }
    {
        TimeZoneGuard guard("UTC");
        EXPECT_EQ(platform::standardUtcOffset(), 0);
    }
}

TEST(Calendar, SystemTimeIsRecent) {
    // 2020-01-01: a clock before that is broken, not merely wrong.
    EXPECT_GT(platform::systemTimeSeconds(), 1577836800);
}
