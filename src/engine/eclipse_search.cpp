// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/eclipse_search.h"

#include <algorithm>
#include <cmath>

#include "engine/date_time.h"
#include "engine/phases.h"
#include "engine/side_by_side.h"

namespace {

constexpr double SynodicMonthDays = 29.530588853; // Meeus, eq. 49.1
constexpr double NewMoonEpochJDE = 2451550.09765; // k = 0, Meeus, eq. 49.1

// A full moon's true instant lies within this many days of its mean one (the periodic
// corrections stay below a day).
constexpr double CorrectionMargin = 2.0;

// A span of two pieces or more is searched side by side.
constexpr int YearsPerPiece = 10;

// The search of one span, from <= to within the years a date record holds.
std::vector<EclipseCircumstances> SearchSpan(int from, int to, const TObserver& observer) {
    std::vector<EclipseCircumstances> found;

    const double spanStart = NewYearJD(from);
    const double spanEnd = NewYearJD(to + 1);
    const double utSpanEnd = observer.UTOfLocal(spanEnd);

    // Two lunations before the span's first instant: the T^2.. terms of the mean phase are a
    // fraction of a day even 8,000 years from the epoch.
    double k = std::floor((observer.UTOfLocal(spanStart) - NewMoonEpochJDE) / SynodicMonthDays) - 2.0 + 0.5;
    const int lunations =
        static_cast<int>((spanEnd - spanStart) / SynodicMonthDays) + 8; // the loop's bound
    found.reserve(static_cast<size_t>(lunations / 5));

    int year = from;
    double nextYearStart = NewYearJD(year + 1);
    TT tt;
    for (int i = 0; i < lunations; ++i, k += 1.0) {
        if (MeanPhase(k, tt) - CorrectionMargin >= utSpanEnd) break;
        if (!EclipsePossible(k)) continue;
        // The mean instant lies within CorrectionMargin of the true one, which decides only on
        // which side of the span's ends and of a year's start the full moon falls: away from
        // those the mean one decides the same.
        const double mean = MeanPhase(k, tt);
        double local = observer.LocalOf(mean);
        while (local - CorrectionMargin >= nextYearStart && year < to)
            nextYearStart = NewYearJD(++year + 1);
        auto near = [&local](double jd) { return std::fabs(local - jd) < CorrectionMargin; };
        if (near(spanStart) || near(spanEnd) || near(nextYearStart))
            // As MonthPhases has it.
            local = observer.LocalOf(mean + PhaseCorrection(tt, PhaseCode(k), k));
        if (local < spanStart) continue;
        if (local >= spanEnd) break;
        while (local >= nextYearStart && year < to)
            nextYearStart = NewYearJD(++year + 1);
        TPhaseEntry entry;
        entry.K = k;
        EclipseCircumstances ec = EclipseCalcs(entry, year, observer);
        if (ec.Type != TEclipseType::None) found.push_back(std::move(ec));
    }
    return found;
}

} // namespace

std::vector<EclipseCircumstances> LunarEclipsesInYears(int from, int to,
                                                       const TObserver& observer) {
    from = std::max(from, 0);
    to = std::min(to, 65534);
    if (to < from) return {};
    const int years = to - from + 1;
    if (years < 2 * YearsPerPiece) return SearchSpan(from, to, observer);
    // Pieces of whole civil years; the pieces' eclipses, in order, are the span's.
    const int count = (years + YearsPerPiece - 1) / YearsPerPiece;
    return Joined(PiecesSideBySide(count, [&](int i) {
        const int first = from + i * YearsPerPiece;
        return SearchSpan(first, std::min(to, first + YearsPerPiece - 1), observer);
    }));
}

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    return LunarEclipsesInYears(std::max(from, FirstSearchYear), std::min(to, LastSearchYear),
                                observer);
}
