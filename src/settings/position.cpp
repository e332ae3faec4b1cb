// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/position.h"

bool WithinAxis(const TDegMinSec& angle, int maxDeg) {
    return angle.Deg >= 0 && angle.Min >= 0 && angle.Sec >= 0 && angle.Min < 60 && angle.Sec < 60 &&
           angle.ArcSeconds() <= maxDeg * 3600;
}

TDegMinSec DegMinSecOfArcSeconds(int arcSeconds) {
    return {arcSeconds / 3600, arcSeconds / 60 % 60, arcSeconds % 60};
}

std::string_view HemisphereWord(THemisphere side) {
    return side == THemisphere::Southern ? "South" : "North";
}

std::string_view LongitudeSideWord(TLongitudeSide side) {
    return side == TLongitudeSide::East ? "East" : "West";
}

std::optional<THemisphere> HemisphereOfWord(std::string_view word) {
    for (const THemisphere side : {THemisphere::Northern, THemisphere::Southern})
        if (word == HemisphereWord(side)) return side;
    return std::nullopt;
}

std::optional<TLongitudeSide> LongitudeSideOfWord(std::string_view word) {
    for (const TLongitudeSide side : {TLongitudeSide::East, TLongitudeSide::West})
        if (word == LongitudeSideWord(side)) return side;
    return std::nullopt;
}

std::string AnglePartText(int value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}
