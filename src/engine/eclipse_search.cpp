#include "engine/eclipse_search.h"

#include <algorithm>
#include <cmath>

#include "engine/date_time.h"
#include "engine/phases.h"

namespace {

constexpr double SynodicMonthDays = 29.530588853; // Meeus, eq. 49.1
constexpr double NewMoonEpochJDE = 2451550.09765; // k = 0, Meeus, eq. 49.1

// A full moon's true instant lies within this many days of its mean one (the periodic
// corrections stay below a day).
constexpr double CorrectionMargin = 2.0;

} // namespace

std::vector<EclipseCircumstances> LunarEclipsesInYears(int from, int to,
                                                       const TObserver& observer) {
    std::vector<EclipseCircumstances> found;
    from = std::max(from, 0);
    to = std::min(to, 65534);
    if (to < from) return found;

    const double offset = observer.LocalOffsetDays();
    const double spanStart = NewYearJD(from);
    const double spanEnd = NewYearJD(to + 1);

    // Two lunations before the span's first instant: the T^2.. terms of the mean phase are a
    // fraction of a day even 8,000 years from the epoch.
    double k = std::floor((spanStart - offset - NewMoonEpochJDE) / SynodicMonthDays) - 2.0 + 0.5;
    const int lunations =
        static_cast<int>((spanEnd - spanStart) / SynodicMonthDays) + 8; // the loop's bound
    found.reserve(static_cast<size_t>(lunations / 5));

    int year = from;
    double nextYearStart = NewYearJD(year + 1);
    TT tt;
    for (int i = 0; i < lunations; ++i, k += 1.0) {
        if (MeanPhase(k, tt) - CorrectionMargin >= spanEnd - offset) break;
        if (!EclipsePossible(k)) continue;
        // As MonthPhases forms it: the true instant, then the zone.
        const double mean = MeanPhase(k, tt);
        const double local = mean + PhaseCorrection(tt, PhaseCode(k), k) + offset;
        if (local < spanStart) continue;
        if (local >= spanEnd) break;
        while (local >= nextYearStart && year < to)
            nextYearStart = NewYearJD(++year + 1);
        TPhaseEntry entry;
        entry.K = k;
        EclipseCircumstances ec = EclipseCalcs(entry, year, observer);
        if (ec.EclipseType != EclipseNone) found.push_back(std::move(ec));
    }
    return found;
}
