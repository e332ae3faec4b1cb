// SPDX-License-Identifier: GPL-3.0-or-later
// Every principal phase 1900-2100, as the almanac's `phases 1900 2100` lists them: month by
// month as before, in one walk over the span, as numbers alone, and the whole command's CSV
// text (without the process start).

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
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

void BM_PhaseInstantsInYears(benchmark::State& state) {
    const TObserver observer;
    for (auto _ : state)
        benchmark::DoNotOptimize(PhaseInstantsInYears(1900, 2100, observer));
}
BENCHMARK(BM_PhaseInstantsInYears)->Unit(benchmark::kMillisecond);

// The command as the almanac runs it, two threads included: wall time is the figure.
void BM_PhasesCommand(benchmark::State& state) {
    const std::vector<std::string> words = {"--lat", "0",      "--lon", "0",   "--zone",
                                            "0",     "phases", "1900",  "2100"};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(RunAlmanac(words, out, err));
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_PhasesCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
