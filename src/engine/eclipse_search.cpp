#include "engine/eclipse_search.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <iterator>
#include <thread>

#include "engine/date_time.h"
#include "engine/phases.h"

namespace {

constexpr double SynodicMonthDays = 29.530588853; // Meeus, eq. 49.1
constexpr double NewMoonEpochJDE = 2451550.09765; // k = 0, Meeus, eq. 49.1

// A full moon's true instant lies within this many days of its mean one (the periodic
// corrections stay below a day).
constexpr double CorrectionMargin = 2.0;

// Below this many years a span is searched on one thread; above it on up to MaxSearchThreads,
// one consecutive piece each.
constexpr int YearsPerThreadAtLeast = 80;
constexpr int MaxSearchThreads = 4;

// The search of one span, from <= to within the years a date record holds.
std::vector<EclipseCircumstances> SearchSpan(int from, int to, const TObserver& observer) {
    std::vector<EclipseCircumstances> found;

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

} // namespace

std::vector<EclipseCircumstances> LunarEclipsesInYears(int from, int to,
                                                       const TObserver& observer) {
    from = std::max(from, 0);
    to = std::min(to, 65534);
    if (to < from) return {};
    const int years = to - from + 1;
    const int threads =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxSearchThreads);
    const int parts = std::clamp(years / YearsPerThreadAtLeast, 1, threads);
    if (parts == 1) return SearchSpan(from, to, observer);
    // Each piece is a whole number of civil years: the pieces' eclipses, in order, are the
    // span's. The first piece runs on this thread.
    std::vector<std::future<std::vector<EclipseCircumstances>>> later;
    for (int i = 1; i < parts; ++i) {
        const int first = from + years * i / parts;
        const int last = from + years * (i + 1) / parts - 1;
        later.push_back(std::async(std::launch::async, [first, last, &observer] {
            return SearchSpan(first, last, observer);
        }));
    }
    std::vector<EclipseCircumstances> found = SearchSpan(from, from + years / parts - 1, observer);
    for (auto& piece : later) {
        std::vector<EclipseCircumstances> part = piece.get();
        found.insert(found.end(), std::make_move_iterator(part.begin()),
                     std::make_move_iterator(part.end()));
    }
    return found;
}
