// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tonight on the terminator: the best moment of a night to look at the Moon, and the features
// where the Sun then stands low, their shadows longest.

#include <optional>
#include <string>
#include <vector>

#include "engine/date_time.h"
#include "engine/feature_sun.h"
#include "engine/observer.h"
#include "features/terminator_candidate.h"

// The observing conditions: the Moon at least this high, the Sun at least this far below the
// horizon (the end of nautical twilight; the sky is dark enough for the eyepiece).
inline constexpr double ObservingMoonAltitudeDeg = 15.0;
inline constexpr double DarkSkySunAltitudeDeg = -12.0;
// Features where the Sun stands between these altitudes are listed.
inline constexpr double TerminatorMinSunDeg = 0.0;
inline constexpr double TerminatorMaxSunDeg = 5.0;
// The smallest feature listed unless the user asks otherwise.
inline constexpr double DefaultTerminatorMinKm = 20.0;
// The night is searched from local noon to the next local noon in steps of this many minutes,
// then its edges and the Moon's highest point are refined to the minute.
inline constexpr int NightScanStepMinutes = 10;

enum class TNightSky {
    Dark,     // the Moon above 15 degrees while the Sun is below -12 degrees
    Twilight, // the sky never gets that dark: the Moon above the horizon while the Sun is down
    None,     // no dark sky with the Moon up tonight
};

// The best moment of one night and the span around it in which the conditions hold. Instants
// are UT Julian Days (the observer's LocalOf gives local civil time).
struct [[nodiscard]] TObservingNight {
    TNightSky Sky = TNightSky::None;
    double BestJD = 0.0;
    double StartJD = 0.0;
    double EndJD = 0.0;
    double MoonAltitudeDeg = 0.0; // at the best moment, topocentric
    double SunAltitudeDeg = 0.0;
    int Illumination = 0;             // percent
    TSubSolarPoint Sun;               // the Sun's selenographic place at the best moment
    double SubEarthLatitudeDeg = 0.0; // the point of the Moon facing the observer (librations)
    double SubEarthLongitudeDeg = 0.0;
};

// An instant (UT JD) as the observer's local civil date and time, rounded to the minute:
// Year..Minute filled, Second 0.
[[nodiscard]] TDateRec LocalMinute(double jd, const TObserver& observer);

// The night that begins on the evening of the local civil date (from its noon to the next
// noon): the moment inside the span with the Moon highest, and the span's start and end.
[[nodiscard]] TObservingNight BestObservingMoment(int year, int month, int day,
                                                  const TObserver& observer);

// How many nights ahead NextObservingNight looks: a synodic month holds every phase.
inline constexpr int NextNightSearchDays = 30;

// The first night after the one of the local civil date (at most NextNightSearchDays later)
// whose sky is not TNightSky::None: its date. Nothing when there is none within the bound
// (a polar summer) or before the end of LastCalendarYear.
[[nodiscard]] std::optional<TDateRec> NextObservingNight(int year, int month, int day,
                                                         const TObserver& observer);

struct TTerminatorFeature {
    TTerminatorCandidate Feature;
    double SunAltitudeDeg = 0.0;
};

// The features on the terminator, the morning side (the Sun rising over them) apart from the
// evening side, each sorted by the Sun's altitude, lowest (freshest shadows) first.
struct [[nodiscard]] TTerminatorList {
    std::vector<TTerminatorFeature> Sunrise;
    std::vector<TTerminatorFeature> Sunset;
    int SmallHidden = 0; // on the terminator but below the minimum size (or of unknown size)
};

// The candidates on the observer's side of the Moon with the Sun between TerminatorMinSunDeg
// and TerminatorMaxSunDeg over them at the night's best moment; nothing for a night without
// one. Features smaller than minDiameterKm are counted, not listed.
[[nodiscard]] TTerminatorList
TerminatorFeatures(const std::vector<TTerminatorCandidate>& candidates,
                   const TObservingNight& night, double minDiameterKm);
