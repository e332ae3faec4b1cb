#pragma once

#include <string>

#include "engine/date_time.h"

// Facts about one calendar date, as the date information window shows them.
struct [[nodiscard]] TDateFacts {
    double JulianDay = 0.0;    // at 0h, so it ends in .5
    std::string JulianDayText; // shortest general decimal form, e.g. "2451544.5"
    std::string DateText;      // "DD Month YYYY"
    int DayNumber = 0;         // 1 for 1 January
    int WeekYear = 0;          // ISO 8601 week-numbering year
    int Week = 0;              // ISO 8601 week, 1..53
    int Weekday = 0;           // 1 Monday .. 7 Sunday
    std::string WeekText;      // e.g. "49  (2026-W49-7)"
    int DaysTillXmas = 0;      // 0 on Christmas Day
};

// Only the day, month and year of the date are used.
[[nodiscard]] TDateFacts DateFacts(const TDateRec& date);

// A number in the shortest general decimal form, 15 significant digits at most, no trailing
// zeros ("2451544.5", "92.76").
[[nodiscard]] std::string GeneralNumberText(double value);
