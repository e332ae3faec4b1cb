// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "engine/date_time.h"
#include "engine/observer.h"

// Principal phases of the Moon (Meeus, Astronomical Algorithms, ch. 49, first-edition
// constants). k is the lunation number: k = 0 is the new moon of 6 January 2000; the
// fractions .00, .25, .50, .75 are new moon, first quarter, full moon and last quarter.

// Powers of T = k / 1236.85 handed from MeanPhase to PhaseCorrection.
struct TT {
    double T = 0.0;
    double T2 = 0.0;
    double T3 = 0.0;
    double T4 = 0.0;
};

// The principal phases, numbered as the month list has always kept them.
enum class TPhaseType { NewMoon = 0, LastQuarter = 1, FullMoon = 2, FirstQuarter = 3 };

// The phase's number: 0 New Moon, 1 Last Quarter, 2 Full Moon, 3 First Quarter.
[[nodiscard]] constexpr int PhaseTypeNumber(TPhaseType type) {
    return static_cast<int>(type);
}

// One principal phase of a calendar month.
struct TPhaseEntry {
    double K = 0.0; // lunation number, a multiple of 0.25
    TPhaseType PhaseType = TPhaseType::NewMoon;
    double JDLocal = 0.0; // true instant in local civil time
    TDateRec When;        // JDToDate(JDLocal): the local date and time as shown
    int Minute = 0;       // minute of the local day as shown (When.Hour, When.Minute)
};

// A principal phase as numbers alone: what TPhaseEntry holds before its local date.
struct TPhaseInstant {
    double K = 0.0;
    TPhaseType PhaseType = TPhaseType::NewMoon;
    double JDLocal = 0.0;
};

// A month holds at most five principal phases.
inline constexpr int MaxMonthPhases = 5;
using TPhaseList = std::array<TPhaseEntry, MaxMonthPhases>;

// True instants (JDE, no time-zone shift) of the new moons at or before and after a moment.
struct TNewMoonPair {
    double PrevNewMoon = 0.0;
    double NextNewMoon = 0.0;
};

// JDE of the mean phase of lunation k (Meeus, eq. 49.1); fills tt with the powers of T.
[[nodiscard]] double MeanPhase(double k, TT& tt);

// Periodic correction in days that turns the mean phase into the true one. code is
// trunc(4|k|) mod 4: 0 new moon, 2 full moon, 1 and 3 the quarters (for k >= 0 code 1 is a
// first quarter, for k < 0 a last quarter).
[[nodiscard]] double PhaseCorrection(const TT& tt, int code, double k);

// The phase code of a lunation number: trunc(4|k|) mod 4.
[[nodiscard]] int PhaseCode(double k);

// True instant (JDE, used as UT) of the phase of lunation number k.
[[nodiscard]] double TruePhase(double k);

// Every principal phase whose local civil instant falls in the month of date.Month and
// date.Year, in order; returns the number of entries filled (0..5). A month or year outside
// the calendar gives 0.
[[nodiscard]] int MonthPhases(const TDateRec& date, const TObserver& observer, TPhaseList& list);

// Every principal phase from 1 January of `from` to 31 December of `to` in local civil time,
// in order: the MonthPhases lists of every month of the span one after the other, each phase's
// periodic terms summed once. Empty when to < from; years are clamped to 0..65534.
[[nodiscard]] std::vector<TPhaseEntry> PhasesInYears(int from, int to, const TObserver& observer);

// The phases PhasesInYears lists, without their local dates.
[[nodiscard]] std::vector<TPhaseInstant> PhaseInstantsInYears(int from, int to,
                                                              const TObserver& observer);

// The true new moons with PrevNewMoon <= jd < NextNewMoon. jd is compared as given (no
// time-zone offset is applied). Beyond a billion days from the epoch both are 0.
[[nodiscard]] TNewMoonPair BracketingNewMoons(double jd);
