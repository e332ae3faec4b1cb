#pragma once

#include <array>
#include <string>

#include "engine/date_time.h"

// The Moon's age as the three fields of the age row: "05d", "13h", "00m".
struct TMoonAgeText {
    std::string Days;
    std::string Hours;
    std::string Minutes;
};
[[nodiscard]] TMoonAgeText MoonAgeTexts(double ageDays);

// One row of the Moon rise/transit/set panel.
struct TMoonRow {
    std::string Title;
    std::string Value;
};

// The Moon's rows in the order of the day: the value texts compared byte by byte, so
// "*****" (no event that day) comes first, HH:MM times in order, "None" last.
[[nodiscard]] std::array<TMoonRow, 3>
OrderMoonRows(const std::string& rise, const std::string& transit, const std::string& set);

// Local sidereal time "HH:MM:SS" of a moment in universal time for an observer at a
// longitude in radians, positive west (Meeus, Astronomical Algorithms, eq. 12.4).
[[nodiscard]] std::string LocalSiderealTimeText(const TDateRec& universalTime,
                                                double longitudeWestRad);
