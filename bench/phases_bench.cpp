// Every principal phase 1900-2100, as the almanac's `phases 1900 2100` lists them: month by
// month as before, and in one walk over the span.

#include <benchmark/benchmark.h>

#include "engine/phases.h"

namespace {

void BM_PhasesMonthByMonth(benchmark::State& state) {
    const TObserver observer;
    for (auto _ : state) {
        int count = 0;
        for (int year = 1900; year <= 2100; ++year)
            for (int month = 1; month <= 12; ++month) {
                TPhaseList phases;
                count += MonthPhases(MakeDate(year, month, 1), observer, phases);
            }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_PhasesMonthByMonth)->Unit(benchmark::kMillisecond);

void BM_PhasesInYears(benchmark::State& state) {
    const TObserver observer;
    for (auto _ : state)
        benchmark::DoNotOptimize(PhasesInYears(1900, 2100, observer));
}
BENCHMARK(BM_PhasesInYears)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
