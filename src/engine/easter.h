#pragma once

#include <cstdint>
#include <string>

// Month (3 or 4) and day of Easter Sunday (Meeus, Astronomical Algorithms, ch. 8).
struct TEasterDate {
    int Month = 0;
    int Day = 0;
};

// Easter Sunday of a year by the Gregorian computus, applied to every year (before 1583
// too, without switching to the Julian rule).
[[nodiscard]] TEasterDate EasterDate(int year);

// The date of Easter Sunday as text: day without leading zero, the month's full name and the
// year, for example "4 April 2021"; at most 60 characters.
[[nodiscard]] std::string Sunday(std::uint16_t year);
