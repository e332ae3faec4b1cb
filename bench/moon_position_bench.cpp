// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "engine/angles.h"
#include "engine/moon.h"

namespace {

// One Moon position with its Sun and physical ephemeris, as the main window computes once a
// second and the month views for every day.
void BM_MoonPosition(benchmark::State& state) {
    TObserver observer;
    observer.ObserverLongitude = DegToRad(71.06);
    observer.ObserverLatitude = DegToRad(42.36);
    double jd = 2460000.5;
    for (auto _ : state) {
        TSunData sun;
        const TMoonData moon = MoonPosition(jd, observer, sun);
        benchmark::DoNotOptimize(moon.ColongitudeDeg);
        benchmark::DoNotOptimize(sun.Altitude);
        jd += 0.0137;
    }
}
BENCHMARK(BM_MoonPosition);

// The apparent place alone, as rising and setting take it: the series summed with the sine of
// each term's argument (exact), and with the products of the angles' multiples (fast, as the
// eclipse search takes it).
void BM_ApparentPlace(benchmark::State& state, TMoonPlace (*place)(double)) {
    double jd = 2460000.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(place(jd).Equatorial.RADeg);
        jd += 0.0137;
    }
}
BENCHMARK_CAPTURE(BM_ApparentPlace, exact, static_cast<TMoonPlace (*)(double)>(MoonApparentPlace));
BENCHMARK_CAPTURE(BM_ApparentPlace, fast, FastMoonApparentPlace);

} // namespace
