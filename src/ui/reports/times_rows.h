// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The month's rows of rise, transit and set times: what the times list shows on the screen
// and prints, computed once per month and observer.

#include <array>
#include <string>
#include <vector>

#include <QString>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "engine/rise_set.h"

struct TTimesRow {
    TDateRec Date;    // the local calendar day at 0:00
    QString DateText; // in the DateFormat setting
    TMoonRiseSet Moon;
    TRiseSetTimes Sun;          // the upper limb at -0.8333°
    TRiseSetTimes Civil;        // -6°
    TRiseSetTimes Nautical;     // -12°
    TRiseSetTimes Astronomical; // -18°
};

// The list's columns, left to right.
enum class TTimesColumn {
    Date,
    MoonRise,
    MoonTransit,
    MoonSet,
    Illumination, // "57%"
    AstronomicalStart,
    NauticalStart,
    CivilStart,
    SunRise,
    SunTransit,
    SunSet,
    CivilEnd,
    NauticalEnd,
    AstronomicalEnd,
};
inline constexpr int TimesColumns = static_cast<int>(TTimesColumn::AstronomicalEnd) + 1;

// A row's texts by column, as the list shows and prints them.
[[nodiscard]] std::array<QString, TimesColumns> TimesRowTexts(const TTimesRow& row);

// What a column holds, in words ("Moonrise", "Civil twilight start").
[[nodiscard]] QString TimesColumnName(TTimesColumn column);

// One row for every day of date's month and year.
[[nodiscard]] std::vector<TTimesRow> MonthTimesRows(const TDateRec& date, const TObserver& observer,
                                                    const std::string& dateFormat);

// "HH:MM:SS", the local sidereal time at the observer's local midnight that begins the day
// (the civil midnight converted to universal time, Meeus, ch. 12).
[[nodiscard]] QString SiderealTimeAtMidnight(const TDateRec& day, const TObserver& observer);
