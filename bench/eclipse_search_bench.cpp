// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse report's search: every month of a span of years, as the window runs it.

#include <benchmark/benchmark.h>

#include "engine/angles.h"
#include "engine/eclipse_search.h"
#include "engine/lunar_eclipse.h"
#include "engine/phases.h"
#include "engine/eclipse_search.h"

namespace {

void BM_EclipsesInYears(benchmark::State& state) {
    TObserver flagstaff;
    flagstaff.ObserverLongitude = DegToRad(111.65);
    flagstaff.ObserverLatitude = DegToRad(35.2);
    flagstaff.Zone = TObserverZone::Fixed(-7 * 60, 0);
    const int last = static_cast<int>(state.range(0));
    size_t found = 0;
    for (auto _ : state) {
        const auto eclipses = EclipsesInYears(1, last, flagstaff);
        found = eclipses.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["eclipses"] = static_cast<double>(found);
}
// The month-by-month search the span search replaced: each month's phases, then its eclipses.
void BM_MonthByMonthSearch(benchmark::State& state) {
    TObserver observer;
    const int last = static_cast<int>(state.range(0));
    size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (int year = 1; year <= last; ++year)
            for (int month = 1; month <= 12; ++month) {
                TPhaseList phases;
                const int count = MonthPhases(MakeDate(year, month, 1), observer, phases);
                found += MonthEclipses(phases, count, year, observer).size();
            }
        benchmark::DoNotOptimize(found);
    }
    state.counters["eclipses"] = static_cast<double>(found);
}
BENCHMARK(BM_MonthByMonthSearch)->Arg(9999)->Unit(benchmark::kMillisecond);

// The almanac's `eclipses 1900 2100`, without the process around it.
void BM_LunarEclipses1900To2100(benchmark::State& state) {
    TObserver observer;
    for (auto _ : state) {
        const auto eclipses = LunarEclipsesInYears(1900, 2100, observer);
        benchmark::DoNotOptimize(eclipses.data());
    }
}
BENCHMARK(BM_LunarEclipses1900To2100)->Unit(benchmark::kMillisecond);

// The part of it that only lists each month's phases, for comparison.
void BM_MonthPhasesOnly(benchmark::State& state) {
    TObserver observer;
    const int last = static_cast<int>(state.range(0));
    for (auto _ : state) {
        int count = 0;
        for (int year = 1; year <= last; ++year)
            for (int month = 1; month <= 12; ++month) {
                TPhaseList phases;
                count += MonthPhases(MakeDate(year, month, 1), observer, phases);
            }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_MonthPhasesOnly)->Arg(9999)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_EclipsesInYears)->Arg(100)->Arg(9999)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
