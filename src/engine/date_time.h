#pragma once

#include <cstdint>

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
// fields (JD is not read). Dates before 15 October 1582 are taken in the Julian calendar.
[[nodiscard]] double JulianDay(const TDateRec& date);

// The same from numbers; any year, astronomical numbering (year 0 is 1 BC).
[[nodiscard]] double JulianDayOf(int year, int month, int day, int hour = 0, int minute = 0,
                                 int second = 0);

// Julian Day of 1 January of the year, 0h.
[[nodiscard]] double NewYearJD(int year);

// Calendar date and time of a Julian Day (Meeus, ch. 7). Seconds are rounded and carried
// into minutes, hours and the day; MSec = 0 and JD = JulianDay of the fields. The record holds
// years 0..65535 only: a moment before 1 January of year 0, 0h (JD 1721057.5), and a
// non-finite one give that first moment; a moment after 31 December 65535, 23:59:59 gives
// that last one.
[[nodiscard]] TDateRec JDToDate(double jd);

// Day of the week of the civil day that holds the Julian Day: 0 Sunday .. 6 Saturday (Meeus,
// ch. 7).
[[nodiscard]] int DayOfWeek(double jd);

// Days in a month, the Gregorian leap rule applied to every year.
[[nodiscard]] int DaysInMonth(int month, int year);

// Estimate of TT - UT in seconds for a whole year.
[[nodiscard]] double DeltaT(double year);
