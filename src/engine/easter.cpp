#include "engine/easter.h"

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

} // namespace

TEasterDate EasterDate(int year) {
    if (year < 0) year = 0;
    // The Gregorian rule serves every year, also those the calendar counts as Julian.
    return GregorianEaster(year);
}

std::string Sunday(std::uint16_t year) {
    const TEasterDate easter = EasterDate(year);
    std::string text =
        std::to_string(easter.Day) + " " + LongMonthName(easter.Month) + " " + std::to_string(year);
    return text.substr(0, 60);
}
