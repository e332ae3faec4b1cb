// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The date and time record passed between all parts of the program. Years count
// astronomically in 0..65535; the 16-bit fields never hold a wrapped negative year.
struct TDateRec {
    std::uint16_t Day = 1;
    std::uint16_t Month = 1;
    std::uint16_t Year = 2000;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t MSec = 0;
    // The same moment as a Julian Day. MakeDate and JDToDate fill it; code that changes a field
    // afterwards must refill it (JulianDay). No engine routine reads it: those that need a
    // moment take a Julian Day argument.
    double JD = 0.0;
};

// A date record with the given fields (MSec 0) and its Julian Day in JD. Each field is held
// to 0..65535, so a negative year is stored as year 0, never wrapped.
[[nodiscard]] TDateRec MakeDate(int year, int month, int day, int hour = 0, int minute = 0,
                                int second = 0);

// Julian Day of a calendar date and time (Meeus, Astronomical Algorithms, ch. 7), from the
// fields (JD is not read). Dates before 15 October 1582 are taken in the Julian calendar
// (also the nominal 5..14 October 1582, which IsValidDate refuses).
[[nodiscard]] double JulianDay(const TDateRec& date);

// The same from numbers; any year, astronomical numbering (year 0 is 1 BC).
[[nodiscard]] double JulianDayOf(int year, int month, int day, int hour = 0, int minute = 0,
                                 int second = 0);

// Julian Day of 1 January of the year, 0h.
[[nodiscard]] double NewYearJD(int year);

// The Julian Day of 1970-01-01 0h UT, where the system clock counts from.
inline constexpr double UnixEpochJD = 2440587.5;
// The Julian Day (UT) of a system clock reading, seconds since 1970-01-01 0h UT.
[[nodiscard]] inline double JulianDayOfUnixSeconds(double seconds) {
    return UnixEpochJD + seconds / 86400.0;
}
// The present instant as a Julian Day (UT), from the system clock.
[[nodiscard]] double JulianDayNow();

// Calendar date and time of a Julian Day (Meeus, ch. 7). Seconds are rounded and carried
// into minutes, hours and the day; MSec = 0 and JD = JulianDay of the fields. The record holds
// years 0..65535 only: a moment before 1 January of year 0, 0h (JD 1721057.5), and a
// non-finite one give that first moment; a moment after 31 December 65535, 23:59:59 gives
// that last one.
[[nodiscard]] TDateRec JDToDate(double jd);

// Day of the week of the civil day that holds the Julian Day: 0 Sunday .. 6 Saturday (Meeus,
// ch. 7).
[[nodiscard]] int DayOfWeek(double jd);

// The calendar is Julian before 15 October 1582 and Gregorian from then on (Meeus, ch. 7):
// Thursday 4 October 1582 was followed by Friday 15 October.
inline constexpr int GregorianStartYear = 1582;
inline constexpr int GregorianStartMonth = 10;
inline constexpr int GregorianStartDay = 15;
inline constexpr int LastJulianDay = 4; // of October 1582

// The last year the program shows: dates are written with four digits, and a result that
// would fall after 31 December of this year counts as not found.
inline constexpr int LastCalendarYear = 9999;

// A leap year: every fourth year up to 1582 (the Julian rule, so 1500 is one), then the
// Gregorian rule (1700, 1800, 1900 are not; 1600, 2000 are).
[[nodiscard]] bool IsLeapYear(int year);

// The number of the month's last day: 28..31. October 1582 ends on the 31st, although the
// 5th to the 14th do not exist.
[[nodiscard]] int DaysInMonth(int month, int year);

// A day of the calendar: month 1..12, day 1..DaysInMonth, and not 5..14 October 1582.
[[nodiscard]] bool IsValidDate(int year, int month, int day);

// The day itself when it exists; otherwise the nearest day of the month that does (the last
// day for one past the end, 1 for one before the start, the 15th for 5..14 October 1582).
[[nodiscard]] int ExistingDay(int year, int month, int day);

// Every day of a month at 0:00, in order: the rows of the month's tables (the days that do
// not exist left out).
[[nodiscard]] std::vector<TDateRec> MonthDates(int year, int month);

// Estimate of TT - UT in seconds for a whole year.
[[nodiscard]] double DeltaT(double year);
