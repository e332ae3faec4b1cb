// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Moon's course through one local day, minute by minute, for the daily view: topocentric
// altitude and azimuth at every whole minute from local midnight to the next midnight
// inclusive, and the minutes at which the Moon passes the four cardinal azimuths.
//
//   const TDailySamples day = DailyMoonSamples(2024, 3, 14, observer);
//   const int south = day.MarkerMinute[CardinalSouth];   // -1 when not passed that day

#include <array>

#include "engine/observer.h"

inline constexpr int DailySampleCount = 1441;

enum TCardinal { CardinalSouth = 0, CardinalWest = 1, CardinalNorth = 2, CardinalEast = 3 };

struct [[nodiscard]] TDailySamples {
    std::array<double, DailySampleCount> AltitudeDeg{};
    std::array<double, DailySampleCount> AzimuthDeg{};
    // The minute of the day at which each direction is marked, -1 when it is not.
    std::array<int, 4> MarkerMinute{-1, -1, -1, -1};
};

// The 1441 positions of the local day (the observer's zone and daylight saving give its
// universal times), with the cardinal markers found from them.
[[nodiscard]] TDailySamples DailyMoonSamples(int year, int month, int day,
                                             const TObserver& observer);

// The minute each direction is marked at: the first minute whose azimuth lies within the
// direction's window, or the first pair of minutes between which the azimuth crosses the
// direction (then the minute of the two nearer to it), whichever comes first.
[[nodiscard]] std::array<int, 4>
CardinalMarkerMinutes(const std::array<double, DailySampleCount>& azimuthDeg);
