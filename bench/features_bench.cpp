// SPDX-License-Identifier: GPL-3.0-or-later
// The features view's whole computation for the Craters file (every crater's next lunar
// sunrise and sunset, the polar ones included), and tonight's terminator over the same file,
// from the build's Data folder.

#include <benchmark/benchmark.h>

#include "features/feature_file.h"
#include "features/feature_times.h"
#include "features/terminator.h"

namespace {

TObserver FiftyNorth() {
    TObserver observer;
    observer.ObserverLatitude = 50.0 * 3.14159265358979323846 / 180.0;
    observer.ObserverLongitude = -10.0 * 3.14159265358979323846 / 180.0;
    observer.Zone = TObserverZone::Fixed(60, 0);
    return observer;
}

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
    for (auto _ : state)
        benchmark::DoNotOptimize(FeatureSunriseSunset(table, selected, observer));
    state.counters["features"] = table.FeatureCount();
}
BENCHMARK(CratersMonth)->Unit(benchmark::kMillisecond);

// The terminator window's computation: the night's best moment, the Craters file read and
// its features on the terminator then.
void CratersTerminator(benchmark::State& state) {
    const TObserver observer = FiftyNorth();
    std::size_t listed = 0;
    for (auto _ : state) {
        const TObservingNight night = BestObservingMoment(2026, 3, 25, observer);
        const TTerminatorCandidates candidates =
            LoadTerminatorCandidates({"Craters"}, TIDEWELL_DATA_DIR);
        if (candidates.Features.empty()) {
            state.SkipWithError("Craters.dat not found");
            return;
        }
        const TTerminatorList list =
            TerminatorFeatures(candidates.Features, night, DefaultTerminatorMinKm);
        listed = list.Sunrise.size() + list.Sunset.size();
    }
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(CratersTerminator)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
