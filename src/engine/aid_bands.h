// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the observing aid shades for each day of a month, as stretches of minutes of the
// local day: the Sun above −18°, −12°, −6° and −0.8333°, and the Moon above the horizon with
// its illuminated percentage. A body that stays on one side of an altitude all day, and an
// evening crossing that falls after midnight, are resolved here so the chart only paints.
//
//   const TAidMonth month = ObservingAidMonth(2024, 6, observer);
//   for (const TAidStretch& s : month.Days[20].Sun[SunPassCivil]) ...

#include <array>
#include <vector>

#include "engine/observer.h"
#include "engine/rise_set.h"

// The four Sun passes in the order they are painted, darkest first.
enum TSunPass { SunPassAstronomical = 0, SunPassNautical = 1, SunPassCivil = 2, SunPassDay = 3 };
inline constexpr int SunPassCount = 4;
[[nodiscard]] double SunPassAltitude(int pass);

// From minute From to minute To of the local day, 0 <= From < To <= 1440.
struct TAidStretch {
    int From = 0;
    int To = 0;
    friend bool operator==(const TAidStretch&, const TAidStretch&) = default;
};

struct TAidDay {
    int Day = 0; // of the month (October 1582 goes from the 4th to the 15th)
    std::array<std::vector<TAidStretch>, SunPassCount> Sun;
    // The Sun stays above the pass's altitude the whole day (the civil pass then takes a
    // colour of its own).
    std::array<bool, SunPassCount> SunAllDay{};
    std::vector<TAidStretch> Moon;
    int Illumination = 0; // percent, at 0h of the day
};

struct TAidMonth {
    int Year = 0;
    int Month = 0;
    std::vector<TAidDay> Days; // day 1 first
};

// Minutes of the local day of an event that occurs, 0 otherwise (an event not on this day,
// or a body that neither rises nor sets).
[[nodiscard]] int HMToMins(const TRiseSetEvent& event);

// The stretches of a day above the altitude, from the day's rising and setting:
// - both occur: rise to set, or when the body sets before it rises, midnight to the setting
//   and the rising to midnight (an evening crossing after midnight belongs to this day's
//   first hours);
// - only one occurs: from midnight to the setting, or from the rising to midnight;
// - neither occurs, the body always above or always below: all day or nothing;
// - neither occurs on this day otherwise: all day when upAtNoon.
[[nodiscard]] std::vector<TAidStretch> StretchesAbove(const TRiseSetTimes& times, bool upAtNoon);

[[nodiscard]] TAidMonth ObservingAidMonth(int year, int month, const TObserver& observer);
