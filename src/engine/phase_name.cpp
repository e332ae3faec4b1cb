// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/phase_name.h"

double LunationPercent(double ageDays, double prevNewMoon, double nextNewMoon) {
    const double length = nextNewMoon - prevNewMoon;
    return length > 0.0 ? ageDays / length * 100.0 : 0.0;
}

const char* TraditionalFullMoonName(int month) {
    static constexpr const char* kNames[12] = {"Wolf",    "Snow",       "Worm",   "Pink",
                                               "Flower",  "Strawberry", "Buck",   "Sturgeon",
                                               "Harvest", "Hunter's",   "Beaver", "Cold"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

std::string MoonPhaseName(double p, int month, bool blueMoon) {
    if (p <= 3) return "New Moon";
    if (p <= 23) return "Waxing Crescent";
    if (p <= 27) return "First Quarter";
    if (p <= 47) return "Waxing Gibbous";
    if (p <= 53) {
        if (blueMoon) return "Full (Blue) Moon";
        return std::string("Full (") + TraditionalFullMoonName(month) + ") Moon";
    }
    if (p <= 73) return "Waning Gibbous";
    if (p <= 77) return "Last Quarter";
    if (p <= 97) return "Waning Crescent";
    return "New Moon";
}
