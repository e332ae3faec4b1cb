#pragma once

#include <cstdint>

// The date and time record passed between all parts of the program.
struct TDateRec {
    std::uint16_t Day = 1;
    std::uint16_t Month = 1;
    std::uint16_t Year = 2000;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t MSec = 0;
    double JD = 0.0; // the same moment as a Julian Day, where the owner keeps one
};

// A date record with the given fields (MSec 0) and its Julian Day in JD.
[[nodiscard]] TDateRec MakeDate(int year, int month, int day, int hour = 0, int minute = 0,
                                int second = 0);

// Julian Day of a calendar date and time (Meeus, Astronomical Algorithms, ch. 7).
// Dates before 15 October 1582 are taken in the Julian calendar.
[[nodiscard]] double JulianDay(const TDateRec& date);

// Julian Day of 1 January of the year, 0h.
[[nodiscard]] double NewYearJD(int year);

// Calendar date and time of a Julian Day (Meeus, ch. 7). Seconds are rounded and carried
// into minutes, hours and the day. MSec = 0; JD is left at 0.
[[nodiscard]] TDateRec JDToDate(double jd);

// Days in a month, the Gregorian leap rule applied to every year.
[[nodiscard]] int DaysInMonth(int month, int year);

// Estimate of TT - UT in seconds for a whole year.
[[nodiscard]] double DeltaT(double year);
