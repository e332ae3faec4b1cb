// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "engine/observer.h"

// The four events of a year, in their order in the year.
enum class TSeasonEventKind { MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice };

// The four seasons, in the order they follow one another.
enum class TSeason { Spring, Summer, Autumn, Winter };

enum class THemisphere { Northern, Southern };

// One equinox or solstice.
struct TSeasonEvent {
    TSeasonEventKind Kind = TSeasonEventKind::MarchEquinox;
    TSeason Season = TSeason::Spring; // the season it begins in the observer's hemisphere
    double JDE = 0.0;                 // refined instant, dynamical time
    double LocalJD = 0.0;    // local civil JD, half a minute added so the minute is rounded
    double LengthDays = 0.0; // length of the season it begins, cut to 0.01 day
};

// The equinoxes and solstices of one year with the lengths of the seasons.
struct [[nodiscard]] TSeasons {
    int Year = 0;
    THemisphere Hemisphere = THemisphere::Northern;
    std::array<TSeasonEvent, 4> Events; // March, June, September, December
    double NextMarchJDE = 0.0;          // refined instant of the next March equinox

    [[nodiscard]] const TSeasonEvent& Of(TSeasonEventKind kind) const {
        return Events[static_cast<std::size_t>(kind)];
    }
    // The event that begins a season in the observer's hemisphere.
    [[nodiscard]] const TSeasonEvent& Beginning(TSeason season) const {
        for (const TSeasonEvent& event : Events)
            if (event.Season == season) return event;
        return Events[0];
    }
};

// Equinoxes and solstices of a year (Meeus, Astronomical Algorithms, ch. 27): mean instants
// refined against the Sun's apparent longitude. The observer gives the time zone and, by the
// sign of its latitude, the hemisphere whose season names the rows carry.
[[nodiscard]] TSeasons SeasonsOfYear(int year, const TObserver& observer);

// Number of rounds after which the refinement of an instant stops at the latest.
inline constexpr int MaxSeasonRefinements = 50;
