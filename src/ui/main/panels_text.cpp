#include "ui/main/panels_text.h"

#include <cmath>
#include <utility>

#include "engine/angles.h"
#include "engine/text_helpers.h"

TMoonAgeText MoonAgeTexts(double ageDays) {
    std::array<std::string, 3> fields;
    constexpr std::array<std::pair<char, double>, 3> steps = {
        {{'d', 24.0}, {'h', 60.0}, {'m', 60.0}}};
    double value = ageDays;
    for (size_t i = 0; i < steps.size(); ++i) {
        const long long n = static_cast<long long>(std::trunc(value));
        fields[i] = (n >= 0 && n < 10 ? "0" : "") + std::to_string(n) + steps[i].first;
        value = (value - static_cast<double>(n)) * steps[i].second;
    }
    return {fields[0], fields[1], fields[2]};
}

std::array<TMoonRow, 3> OrderMoonRows(const std::string& rise, const std::string& transit,
                                      const std::string& set) {
    std::array<TMoonRow, 3> rows = {TMoonRow{"Transit:", transit}, TMoonRow{"Moonrise:", rise},
                                    TMoonRow{"Moonset", set}};
    // std::string compares as unsigned bytes, a prefix first.
    if (rows[0].Value > rows[2].Value) std::swap(rows[0], rows[2]);
    if (rows[0].Value > rows[1].Value) std::swap(rows[0], rows[1]);
    if (rows[1].Value > rows[2].Value) std::swap(rows[1], rows[2]);
    return rows;
}

std::string LocalSiderealTimeText(const TDateRec& universalTime, double longitudeWestRad) {
    const double j = JulianDay(universalTime);
    const double t = (j - 2451545.0) / 36525.0;
    const double theta =
        Normalize360(280.46061837 + 360.98564736629 * (j - 2451545.0) + 0.000387933 * t * t -
                     t * t * t / 38710000.0 - RadToDeg(longitudeWestRad));
    const TSexagesimal s = HoursToSexagesimal(theta / 15.0);
    return s.Units + ":" + s.Minutes + ":" + s.Seconds;
}
