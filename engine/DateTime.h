// The simulation's instant: seconds since 1970-01-01 00:00:00 UTC as a double,
// with the local offset used to show and take it in local time.
//
// Calendar fields use astronomical year numbering (the year before 1 is 0).
// Dates before 1582-10-15 are in the Julian calendar, later ones in the
// Gregorian; the ten days in between (1582-10-05 .. 14) do not exist. Every
// conversion is exact to the second, so fields turned into a time and back are
// unchanged for every year, and saved states do not drift.
#pragma once

class DateTime {
public:
    // The instant is held within [minTime, maxTime] shifted by the offset:
    // -9999-01-01 00:00:01 up to 9999-12-31 24:00:00 in the offset's local
    // time. Saved states and scenarios rely on these exact bounds.
    static constexpr double maxTime = 253402300800.0;
    static constexpr double minTime = -377711769599.0;

    // The system time, offset 0.
    DateTime();

    // Stores t clamped to the bounds; a NaN leaves the instant unchanged.
    void set(double t);
    double get() const { return time; }
    void add(double seconds) { set(time + seconds); }

    // Seconds that local time is ahead of UTC.
    void setOffset(double seconds) { offset = seconds; }
    double getOffset() const { return offset; }

    // The fields read as UTC, stored as they come (not clamped).
    void setUtc(int year, int month, int day, int hour, int minute, int second);
    // The fields read as local time of the offset, clamped.
    void setLocal(int year, int month, int day, int hour, int minute, int second);
    void getUtc(int& year, int& month, int& day, int& hour, int& minute, int& second) const;
    void getLocal(int& year, int& month, int& day, int& hour, int& minute, int& second) const;

    // The system clock in whole seconds.
    void setNow();

    // UTC fields of an instant; fractions of a second are dropped (rounding
    // towards the past, so a time never shows as the following second).
    static void toCalendar(double t, int& year, int& month, int& day, int& hour, int& minute,
                           int& second);
    // Seconds since 1970 UTC of the fields read as UTC. Out-of-range fields
    // are normalised: month 13 is January of the next year, day 0 the last day
    // of the previous month, hour 24 the next day.
    static double fieldsToTime(int year, int month, int day, int hour, int minute, int second);

    // Julian Date of the fields (UTC) to the nearest 1e-5 day (0.864 s). A day
    // from 5 to 8 of October 1582 counts as the 15th, one from 9 to 14 as the 4th.
    static double calendarToJd(int year, int month, int day, int hour, int minute, int second);
    // Calendar fields of a Julian Date, rounded to the nearest second.
    static void jdToCalendar(double jd, int& year, int& month, int& day, int& hour, int& minute,
                             int& second);

private:
    double time = 0.0;
    double offset = 0.0;
};
