// SPDX-License-Identifier: GPL-3.0-or-later
// The observing windows' computations, done when their day or month changes: the daily
// view's 1,441 Moon positions and the observing aid's month of Sun and Moon stretches.

#include <benchmark/benchmark.h>

#include "engine/angles.h"
#include "engine/aid_bands.h"
#include "engine/daily_samples.h"

namespace {

TObserver Flagstaff() {
    TObserver observer;
    observer.ObserverLongitude = DegToRad(111.65);
    observer.ObserverLatitude = DegToRad(35.2);
    observer.Zone = TObserverZone::Fixed(-7 * 60, 0);
    return observer;
}

void DailyViewDay(benchmark::State& state) {
    const TObserver observer = Flagstaff();
    for (auto _ : state)
        benchmark::DoNotOptimize(DailyMoonSamples(2025, 3, 14, observer));
}
BENCHMARK(DailyViewDay)->Unit(benchmark::kMillisecond);

void ObservingAidMonthOfJune(benchmark::State& state) {
    const TObserver observer = Flagstaff();
    for (auto _ : state)
        benchmark::DoNotOptimize(ObservingAidMonth(2024, 6, observer));
}
BENCHMARK(ObservingAidMonthOfJune)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
