#include "engine/eclipse_search.h"

#include <algorithm>
#include <atomic>
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

// A span of two pieces or more is searched on up to MaxSearchThreads threads.
constexpr int YearsPerPiece = 10;
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
        // The mean instant lies within CorrectionMargin of the true one, which decides only on
        // which side of the span's ends and of a year's start the full moon falls: away from
        // those the mean one decides the same.
        const double mean = MeanPhase(k, tt);
        double local = mean + offset;
        while (local - CorrectionMargin >= nextYearStart && year < to)
            nextYearStart = NewYearJD(++year + 1);
        auto near = [&local](double jd) { return std::fabs(local - jd) < CorrectionMargin; };
        if (near(spanStart) || near(spanEnd) || near(nextYearStart))
            local = mean + PhaseCorrection(tt, PhaseCode(k), k) + offset; // as MonthPhases has it
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
    const int threads =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxSearchThreads);
    if (years < 2 * YearsPerPiece || threads == 1) return SearchSpan(from, to, observer);

    // Pieces of whole civil years, handed out in order to whichever thread is free, so a
    // thread that starts late takes fewer. The pieces' eclipses, in order, are the span's.
    const int count = (years + YearsPerPiece - 1) / YearsPerPiece;
    std::vector<std::vector<EclipseCircumstances>> pieces(static_cast<size_t>(count));
    std::atomic<int> next{0};
    auto work = [&] {
        for (int i = next++; i < count; i = next++) {
            const int first = from + i * YearsPerPiece;
            pieces[static_cast<size_t>(i)] =
                SearchSpan(first, std::min(to, first + YearsPerPiece - 1), observer);
        }
    };
    std::vector<std::future<void>> helpers;
    for (int i = 1; i < threads; ++i)
        helpers.push_back(std::async(std::launch::async, work));
    work();
    for (auto& helper : helpers)
        helper.get();

    std::vector<EclipseCircumstances> found;
    for (std::vector<EclipseCircumstances>& piece : pieces)
        found.insert(found.end(), std::make_move_iterator(piece.begin()),
                     std::make_move_iterator(piece.end()));
    return found;
}

std::vector<EclipseCircumstances> EclipsesInYears(int from, int to, const TObserver& observer) {
    return LunarEclipsesInYears(std::max(from, FirstSearchYear), std::min(to, LastSearchYear),
                                observer);
}
