#pragma once

#include <array>
#include <string>

#include "engine/observer.h"

// Order of the four events of a year.
inline constexpr int MarchEquinox = 0;
inline constexpr int JuneSolstice = 1;
inline constexpr int SeptemberEquinox = 2;
inline constexpr int DecemberSolstice = 3;

// One equinox or solstice.
struct TSeasonEvent {
    std::string EventName;    // "March equinox", "June solstice", ...
    std::string SeasonName;   // the season it begins in the observer's hemisphere: "Spring" ...
    double JDE = 0.0;         // refined instant, dynamical time
    double LocalJD = 0.0;     // local civil JD, half a minute added so the minute is rounded
    std::string DateTimeText; // DateTimeText of LocalJD
    std::string Display;      // "hh:mm   DD Mon"
    double LengthDays = 0.0;  // length of the season it begins, cut to 0.01 day
    std::string LengthText;   // e.g. "92.76 days"
};

// The equinoxes and solstices of one year with the lengths of the seasons.
struct [[nodiscard]] TSeasons {
    int Year = 0;
    bool Northern = true;
    std::array<TSeasonEvent, 4> Events; // March, June, September, December
    double NextMarchJDE = 0.0;          // refined instant of the next March equinox
    // The event shown on each row, in the order Spring, Summer, Autumn, Winter.
    std::array<int, 4> Rows{MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice};
};

// Equinoxes and solstices of a year (Meeus, Astronomical Algorithms, ch. 27): mean instants
// refined against the Sun's apparent longitude. The observer gives the time zone and, by the
// sign of its latitude, the hemisphere whose season names the rows carry.
[[nodiscard]] TSeasons SeasonsOfYear(int year, const TObserver& observer);

// Number of rounds after which the refinement of an instant stops at the latest.
inline constexpr int MaxSeasonRefinements = 50;
