// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// Month and weekday names of the user's region. The program fills one provider from the
// system locale at start; until then, and in tests and the almanac, the names are English.
struct TRegionalNames {
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 7> LongDayNames; // Sunday first
    std::array<std::string, 7> ShortDayNames;
};

[[nodiscard]] const TRegionalNames& EnglishNames();

// The names in force.
[[nodiscard]] const TRegionalNames& RegionalNames();

// Replaces the names in force; called once at start by the program.
void SetRegionalNames(const TRegionalNames& names);

// Full name of a month 1..12 in the names in force ("" outside that range).
[[nodiscard]] const std::string& LongMonthName(int month);
