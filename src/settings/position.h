// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/seasons.h"

// The observer's position as the configuration edits it and the store keeps it: whole
// degrees, minutes and seconds of arc on each axis, with the side of the equator and of
// Greenwich as kinds.

inline constexpr int MaxLatitudeDeg = 90;
inline constexpr int MaxLongitudeDeg = 180;
// Digits of the stored and shown degree texts ("05", "072"); minutes and seconds have two.
inline constexpr int LatitudeDegDigits = 2;
inline constexpr int LongitudeDegDigits = 3;
inline constexpr int ArcMinSecDigits = 2;

struct TDegMinSec {
    int Deg = 0;
    int Min = 0;
    int Sec = 0;

    [[nodiscard]] int ArcSeconds() const { return Deg * 3600 + Min * 60 + Sec; }
    [[nodiscard]] double Degrees() const { return Deg + Min / 60.0 + Sec / 3600.0; }
    friend bool operator==(const TDegMinSec&, const TDegMinSec&) = default;
};

enum class TLongitudeSide { East, West };

struct TPosition {
    TDegMinSec Latitude;
    THemisphere LatitudeSide = THemisphere::Northern;
    TDegMinSec Longitude;
    TLongitudeSide LongitudeSide = TLongitudeSide::West;
    friend bool operator==(const TPosition&, const TPosition&) = default;
};

// Minutes and seconds below 60 and the whole angle at most maxDeg.
[[nodiscard]] bool WithinAxis(const TDegMinSec& angle, int maxDeg);

// The same angle with minutes and seconds below 60, from a count of arc seconds.
[[nodiscard]] TDegMinSec DegMinSecOfArcSeconds(int arcSeconds);

// "North"/"South", "East"/"West": the words the store keeps and the pages show.
[[nodiscard]] std::string_view HemisphereWord(THemisphere side);
[[nodiscard]] std::string_view LongitudeSideWord(TLongitudeSide side);
// The kind of exactly that word; nothing for any other text.
[[nodiscard]] std::optional<THemisphere> HemisphereOfWord(std::string_view word);
[[nodiscard]] std::optional<TLongitudeSide> LongitudeSideOfWord(std::string_view word);

// A part of an angle with "0" in front up to `digits`: "05", "072".
[[nodiscard]] std::string AnglePartText(int value, int digits);
