// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/panels_text.h"

#include <cmath>
#include <utility>


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
