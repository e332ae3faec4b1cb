// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"
#include "engine/phases.h"
#include "engine/rise_set.h"

// Lunar eclipses at the full moons of a month (Meeus, Astronomical Algorithms, ch. 54), with
// the contact times in local civil time and the visibility from the observer's place.

// The kind of eclipse, by how deep the Moon goes into the Earth's shadow. The values are the
// almanac's type numbers.
enum class TEclipseType { None = 0, Penumbral = 1, Partial = 2, Total = 3 };

// Indices into Contacts, MoonLong and MoonLat.
inline constexpr int ContactP1 = 0;  // Moon enters the penumbra
inline constexpr int ContactU1 = 1;  // Moon enters the umbra
inline constexpr int ContactU2 = 2;  // totality begins
inline constexpr int ContactMax = 3; // greatest eclipse
inline constexpr int ContactU3 = 4;  // totality ends
inline constexpr int ContactU4 = 5;  // Moon leaves the umbra
inline constexpr int ContactP4 = 6;  // Moon leaves the penumbra

// How much of an eclipse the observer can see, from the Moon's rising and setting.
enum class TEclipseVisibility { Visible, PartiallyVisible, NotVisible };

// An eclipse's circumstances as numbers and kinds; engine/almanac_text makes the texts shown.
struct [[nodiscard]] EclipseCircumstances {
    double UmbralMag = 0.0;
    double PenumbralMag = 0.0;
    TEclipseType Type = TEclipseType::None;
    TEclipseVisibility Visibility = TEclipseVisibility::NotVisible;
    TDateRec MaxDate;                 // local date and time of greatest eclipse (JD: local JD)
    double MaxUT = 0.0;               // the instant of greatest eclipse, Julian Day UT
    std::array<double, 7> Contacts{}; // local JDs P1, U1, U2, max, U3, U4, P4; 0 if none
    double PenRadius = 0.0;           // penumbra at the Moon, Earth radii
    double UmbRadius = 0.0;           // umbra at the Moon, Earth radii
    double Gamma = 0.0; // least distance of the Moon's centre from the shadow axis, Earth radii
    std::array<double, 7> MoonLong{}; // Moon's ecliptic longitude at the contacts, radians
    std::array<double, 7> MoonLat{};  // Moon's ecliptic latitude at the contacts, radians

    // Whether the contact (ContactP1 ... ContactP4) happens in an eclipse of this type.
    [[nodiscard]] bool HasContact(int contact) const {
        return Contacts[static_cast<size_t>(contact)] != 0.0;
    }
};

// False when the full moon k is too far from a node for any eclipse: the quick test EclipseCalcs
// starts with, made from the mean elements alone (no periodic terms).
[[nodiscard]] bool EclipsePossible(double k);

// The eclipse, if any, at the full moon of the phase entry. Only entry.K is read; year is
// the year whose Delta T turns the instant into Universal Time.
[[nodiscard]] EclipseCircumstances EclipseCalcs(const TPhaseEntry& entry, int year,
                                                const TObserver& observer);

// Every eclipse of a month, in order (at most two).
[[nodiscard]] std::vector<EclipseCircumstances> MonthEclipses(const TPhaseList& list, int count,
                                                              int year, const TObserver& observer);

// Visibility from the day's moonrise and moonset and the local JDs of the first and last
// penumbral contacts. Only clock times are compared, to the minute as shown: a rise not on the
// day counts as 00:00, a set not on the day as 23:59; a Moon that neither rises nor sets is
// visible when moonUp (above the horizon at greatest eclipse). Up at the start and at the end
// of the day, the Moon's two spells are tried in turn.
[[nodiscard]] TEclipseVisibility EclipseVisibility(const TRiseSetEvent& moonRise,
                                                   const TRiseSetEvent& moonSet,
                                                   double penStartLocalJD, double penEndLocalJD,
                                                   bool moonUp);

// Visibility within one spell of the Moon above the horizon, all four in minutes of the day:
// not visible when the Moon sets before the eclipse begins or rises after it ends, partially
// when it rises or sets during it.
[[nodiscard]] TEclipseVisibility SpellVisibility(int riseMinute, int setMinute, int penStartMinute,
                                                 int penEndMinute);

// Fills MoonLong and MoonLat at every contact that exists (the eclipse screen's drawing).
// The contacts' local JDs are used unchanged, as the screen has always done.
void FillContactPositions(EclipseCircumstances& eclipse, const TObserver& observer);
