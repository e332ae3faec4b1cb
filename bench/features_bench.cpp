// The features view's whole computation for the Craters file (every crater's next lunar
// sunrise and sunset, the polar ones included), from the build's Data folder.

#include <benchmark/benchmark.h>

#include "features/feature_file.h"
#include "features/feature_times.h"

namespace {

void CratersMonth(benchmark::State& state) {
    TFeatureTable table;
    if (LoadFeatureFile(table, "Craters", TIDEWELL_DATA_DIR) != TFeatureFileStatus::Loaded) {
        state.SkipWithError("Craters.dat not found");
        return;
    }
    TDateRec selected;
    selected.Year = 2026;
    selected.Month = 3;
    selected.Day = 20;
    selected.Hour = 22;
    selected.Minute = 15;
    TObserver observer;
    for (auto _ : state) benchmark::DoNotOptimize(FeatureSunriseSunset(table, selected, observer));
    state.counters["features"] = table.FeatureCount();
}
BENCHMARK(CratersMonth)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
