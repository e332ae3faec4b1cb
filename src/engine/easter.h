#pragma once

#include <cstdint>
#include <string>

// Month (3 or 4) and day of Easter Sunday (Meeus, Astronomical Algorithms, ch. 8).
struct TEasterDate {
    int Month = 0;
    int Day = 0;
};

// Easter Sunday of a year. Years up to 1582 follow the Julian computus, later years the
// Gregorian one, so the date is in the calendar the program uses for that year.
[[nodiscard]] TEasterDate EasterDate(int year);

// The date of Easter Sunday as text: day without leading zero, the month's full name and the
// year, for example "4 April 2021"; at most 60 characters.
[[nodiscard]] std::string Sunday(std::uint16_t year);
