// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Month (3 or 4) and day of Easter Sunday (Meeus, Astronomical Algorithms, ch. 8).
struct TEasterDate {
    int Month = 0;
    int Day = 0;
};

// Easter Sunday of a year in the calendar of that year: the Julian computus up to 1582, the
// Gregorian one from 1583 on.
[[nodiscard]] TEasterDate EasterDate(int year);

// The date of Easter Sunday as text: day without leading zero, the month's full name and the
// year, for example "4 April 2021"; at most 60 characters.
[[nodiscard]] std::string Sunday(std::uint16_t year);
