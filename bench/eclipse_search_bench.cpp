// The eclipse report's search: every month of a span of years, as the window runs it.

#include <benchmark/benchmark.h>

#include "engine/angles.h"
#include "ui/reports/eclipse_search.h"

namespace {

void BM_EclipsesInYears(benchmark::State& state) {
    TObserver flagstaff;
    flagstaff.ObserverLongitude = DegToRad(111.65);
    flagstaff.ObserverLatitude = DegToRad(35.2);
    flagstaff.ZoneMinutes = -7 * 60;
    const int last = static_cast<int>(state.range(0));
    size_t found = 0;
    for (auto _ : state) {
        const auto eclipses = EclipsesInYears(1, last, flagstaff);
        found = eclipses.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["eclipses"] = static_cast<double>(found);
}
BENCHMARK(BM_EclipsesInYears)->Arg(100)->Arg(9999)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
