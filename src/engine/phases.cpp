// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/phases.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/angles.h"
#include "engine/phases_tables.h"
#include "engine/text_helpers.h"

namespace {

constexpr double SynodicMonth = 29.530588853;

// The (fractional) lunation number whose mean phase falls at jd: the mean-phase formula
// inverted, with one Newton step for its T^2..T^4 terms (good to minutes over 10,000 years).
double LunationAt(double jd) {
    double k = (jd - 2451550.09765) / SynodicMonth;
    TT tt;
    k -= (MeanPhase(k, tt) - jd) / SynodicMonth;
    return k;
}

// One column of table 49.A: the multiples of M, M', F and Omega as doubles (exact), the
// coefficient and the power of E. Terms whose coefficient is 0 in the column are left out:
// they add a signed zero to a sum that is not zero.
struct TColumnTerm {
    double M = 0.0;
    double Mp = 0.0;
    double F = 0.0;
    double Om = 0.0;
    double Coefficient = 0.0;
    int EPower = 0;
};

struct TPhaseColumn {
    std::array<TColumnTerm, std::size(PhaseTerms)> Terms{};
    size_t Count = 0;
};

constexpr TPhaseColumn MakeColumn(int code) {
    TPhaseColumn column;
    for (const TPhaseTerm& term : PhaseTerms) {
        const bool newOrFull = code == 0 || code == 2;
        const double coefficient =
            code == 0 ? term.NewMoon : (code == 2 ? term.FullMoon : term.Quarters);
        if (coefficient == 0.0) continue;
        column.Terms[column.Count++] = {static_cast<double>(term.M),
                                        static_cast<double>(term.Mp),
                                        static_cast<double>(term.F),
                                        static_cast<double>(term.Om),
                                        coefficient,
                                        newOrFull ? term.EPowerNewFull : term.EPowerQuarters};
    }
    return column;
}

constexpr std::array<TPhaseColumn, 4> PhaseColumns = {MakeColumn(0), MakeColumn(1), MakeColumn(2),
                                                      MakeColumn(3)};

// The sum of the periodic terms for one column of the table (Meeus, table 49.A), term by term
// in the table's order.
double PeriodicSum(int code, double e, double m, double mp, double f, double om) {
    const TPhaseColumn& column = PhaseColumns[static_cast<size_t>(code)];
    const double factors[3] = {1.0, e, e * e};
    double sum = 0.0;
    for (size_t i = 0; i < column.Count; ++i) {
        const TColumnTerm& term = column.Terms[i];
        const double arg = term.M * m + term.Mp * mp + term.F * f + term.Om * om;
        sum += term.Coefficient * factors[term.EPower] * std::sin(arg);
    }
    return sum;
}

// Correction shared by all phases from the planetary arguments A1..A14 (not reduced).
double PlanetarySum(const TT& tt, double k) {
    double sum = 0.0;
    bool first = true;
    for (const TPlanetaryTerm& term : PlanetaryPhaseTerms) {
        double a = term.Base + term.Rate * k;
        if (first) a -= 0.009173 * tt.T2;
        first = false;
        sum += term.Coefficient * std::sin(DegToRad(a));
    }
    return sum;
}

// The month as the 0h local Julian Days of its first day and of the next month's first day.
struct TMonthBounds {
    double Start = 0.0;
    double End = 0.0;
};

TMonthBounds MonthBounds(int year, int month) {
    TMonthBounds bounds;
    bounds.Start = JulianDayOf(year, month, 1);
    bounds.End = month == 12 ? JulianDayOf(year + 1, 1, 1) : JulianDayOf(year, month + 1, 1);
    return bounds;
}

TPhaseInstant MakeInstant(double k, int code, double jdLocal) {
    // Store the first quarter as 3 and the last as 1 whatever the sign of k.
    const int type = k >= 0 && (code == 1 || code == 3) ? 4 - code : code;
    return {k, static_cast<TPhaseType>(type), jdLocal};
}

TPhaseEntry MakeEntry(const TPhaseInstant& instant) {
    TPhaseEntry entry;
    entry.K = instant.K;
    entry.PhaseType = instant.PhaseType;
    entry.JDLocal = instant.JDLocal;
    entry.When = JDToDate(instant.JDLocal);
    entry.Minute = entry.When.Hour * 60 + entry.When.Minute;
    return entry;
}

} // namespace

double MeanPhase(double k, TT& tt) {
    tt.T = k / 1236.85;
    tt.T2 = tt.T * tt.T;
    tt.T3 = tt.T2 * tt.T;
    tt.T4 = tt.T3 * tt.T;
    // Meeus, eq. 49.1
    return 2451550.09765 + SynodicMonth * k + 0.0001337 * tt.T2 - 0.00000015 * tt.T3 +
           0.00000000073 * tt.T4;
}

double PhaseCorrection(const TT& tt, int code, double k) {
    // Meeus, eqs. 49.4 to 49.7
    const double m = ReducedRad(2.5534 + 29.10535669 * k - 0.0000218 * tt.T2 - 0.00000011 * tt.T3);
    const double mp = ReducedRad(201.5643 + 385.81693528 * k + 0.0107438 * tt.T2 +
                                 0.00001239 * tt.T3 - 0.000000058 * tt.T4);
    const double f = ReducedRad(160.7108 + 390.67050274 * k - 0.0016341 * tt.T2 -
                                0.00000227 * tt.T3 + 0.000000011 * tt.T4);
    const double om = ReducedRad(124.7746 - 1.5637558 * k + 0.0020691 * tt.T2 + 0.00000215 * tt.T3);
    const double e = 1.0 - 0.002516 * tt.T - 0.0000074 * tt.T2;

    double correction = PeriodicSum(code, e, m, mp, f, om);
    if (code == 1 || code == 3) {
        const double w = 0.00306 - 0.00038 * e * std::cos(m) + 0.00026 * std::cos(mp) -
                         0.00002 * std::cos(mp - m) + 0.00002 * std::cos(mp + m) +
                         0.00002 * std::cos(2.0 * f);
        // Added for a first quarter, subtracted for a last quarter.
        const bool firstQuarter = (k > 0) == (code == 1);
        correction += firstQuarter ? w : -w;
    }
    return correction + PlanetarySum(tt, k);
}

int PhaseCode(double k) {
    return static_cast<int>(std::fmod(std::trunc(4.0 * std::fabs(k)), 4.0));
}

double TruePhase(double k) {
    TT tt;
    const double mean = MeanPhase(k, tt);
    return mean + PhaseCorrection(tt, PhaseCode(k), k);
}

int MonthPhases(const TDateRec& date, const TObserver& observer, TPhaseList& list) {
    if (date.Month < 1 || date.Month > 12) return 0;
    const TMonthBounds month = MonthBounds(date.Year, date.Month);
    // The month in Universal Time, widened by two days: more than any periodic correction.
    constexpr double Margin = 2.0;
    const double utStart = observer.UTOfLocal(month.Start) - Margin;
    const double utStop = observer.UTOfLocal(month.End) + Margin;

    TT tt;
    double k = std::floor(4.0 * LunationAt(utStart)) / 4.0;
    for (int i = 0; i < 8 && MeanPhase(k, tt) > utStart; ++i)
        k -= 0.25;

    int count = 0;
    // About ten quarters span the widened month; the bound only guards against nonsense.
    for (int i = 0; i < 64; ++i, k += 0.25) {
        const double jde0 = MeanPhase(k, tt);
        if (jde0 >= utStop) break;
        const int code = PhaseCode(k);
        const double local = observer.LocalOf(jde0 + PhaseCorrection(tt, code, k));
        if (local >= month.Start && local < month.End && count < MaxMonthPhases)
            list[static_cast<size_t>(count++)] = MakeEntry(MakeInstant(k, code, local));
    }
    return count;
}

std::vector<TPhaseInstant> PhaseInstantsInYears(int from, int to, const TObserver& observer) {
    std::vector<TPhaseInstant> phases;
    from = std::max(from, 0);
    to = std::min(to, 65534);
    if (to < from) return phases;
    const double spanStart = JulianDayOf(from, 1, 1);
    const double spanEnd = JulianDayOf(to + 1, 1, 1);
    // As MonthPhases: the span in Universal Time, widened by more than any periodic correction.
    constexpr double Margin = 2.0;
    const double utStart = observer.UTOfLocal(spanStart) - Margin;
    const double utStop = observer.UTOfLocal(spanEnd) + Margin;

    TT tt;
    double k = std::floor(4.0 * LunationAt(utStart)) / 4.0;
    for (int i = 0; i < 8 && MeanPhase(k, tt) > utStart; ++i)
        k -= 0.25;
    const int quarters = static_cast<int>((utStop - utStart) / (SynodicMonth / 4.0)) + 16;
    phases.reserve(static_cast<size_t>(quarters));
    for (int i = 0; i < quarters; ++i, k += 0.25) {
        const double jde0 = MeanPhase(k, tt);
        if (jde0 >= utStop) break;
        const int code = PhaseCode(k);
        const double local = observer.LocalOf(jde0 + PhaseCorrection(tt, code, k));
        if (local >= spanStart && local < spanEnd) phases.push_back(MakeInstant(k, code, local));
    }
    return phases;
}

std::vector<TPhaseEntry> PhasesInYears(int from, int to, const TObserver& observer) {
    const std::vector<TPhaseInstant> instants = PhaseInstantsInYears(from, to, observer);
    std::vector<TPhaseEntry> phases;
    phases.reserve(instants.size());
    for (const TPhaseInstant& instant : instants)
        phases.push_back(MakeEntry(instant));
    return phases;
}

TNewMoonPair BracketingNewMoons(double jd) {
    if (!std::isfinite(jd) || std::fabs(jd) > 1.0e9) return {};
    double k = std::floor(LunationAt(jd));
    double prev = TruePhase(k);
    for (int i = 0; i < 8 && jd < prev; ++i)
        prev = TruePhase(--k);
    double next = TruePhase(k + 1.0);
    for (int i = 0; i < 8 && jd >= next; ++i) {
        k += 1.0;
        prev = next;
        next = TruePhase(k + 1.0);
    }
    return {prev, next};
}
