// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/date_time.h"

// Facts about one calendar date, as the date information window shows them.
struct [[nodiscard]] TDateFacts {
    double JulianDay = 0.0; // at 0h, so it ends in .5
    int DayNumber = 0;      // 1 for 1 January
    int WeekYear = 0;       // ISO 8601 week-numbering year
    int Week = 0;           // ISO 8601 week, 1..53
    int Weekday = 0;        // 1 Monday .. 7 Sunday
    int DaysTillXmas = 0;   // 0 on Christmas Day
};

// Only the day, month and year of the date are used.
[[nodiscard]] TDateFacts DateFacts(const TDateRec& date);
