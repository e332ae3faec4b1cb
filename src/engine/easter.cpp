// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/easter.h"

#include "engine/date_time.h"
#include "engine/regional_names.h"

namespace {

// Meeus, ch. 8, the Gregorian computus (after the "New York correspondent", 1876).
TEasterDate GregorianEaster(int y) {
    const int a = y % 19;
    const int b = y / 100;
    const int c = y % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return {n / 31, n % 31 + 1};
}

// Meeus, ch. 8, the Julian computus, for the years the calendar counts as Julian.
TEasterDate JulianEaster(int y) {
    const int a = y % 4;
    const int b = y % 7;
    const int c = y % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int n = d + e + 114;
    return {n / 31, n % 31 + 1};
}

} // namespace

TEasterDate EasterDate(int year) {
    if (year < 0) year = 0;
    // Easter of 1582 fell in April, before the calendar changed.
    return year <= GregorianStartYear ? JulianEaster(year) : GregorianEaster(year);
}

std::string Sunday(std::uint16_t year) {
    const TEasterDate easter = EasterDate(year);
    std::string text =
        std::to_string(easter.Day) + " " + LongMonthName(easter.Month) + " " + std::to_string(year);
    return text.substr(0, 60);
}
