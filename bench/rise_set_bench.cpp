// SPDX-License-Identifier: GPL-3.0-or-later
// A year of the almanac's rise and set rows at one place: the Moon's rise, transit and set and
// the Sun's at the four altitudes, day by day as before and through the shared positions; and
// the same at Tromsø, where every day's events are checked against the day's altitude; and
// the almanac's `riseset 2026` (the whole year in one run, its pieces side by side).

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
#include "engine/angles.h"
#include "engine/rise_set.h"

namespace {

TObserver Greenwich() {
    TObserver o;
    o.ObserverLatitude = DegToRad(51.4769);
    return o;
}

TObserver Tromso() {
    TObserver o;
    o.ObserverLatitude = DegToRad(69.65);
    o.ObserverLongitude = DegToRad(-18.96);
    o.Zone = TObserverZone::Fixed(60, 0);
    return o;
}

std::vector<TDateRec> MonthDates(int year, int month) {
    std::vector<TDateRec> dates;
    for (int day = 1; day <= DaysInMonth(month, year); ++day)
        dates.push_back(MakeDate(year, month, day));
    return dates;
}

void BM_RiseSetYearDayByDay(benchmark::State& state) {
    const TObserver observer = Greenwich();
    for (auto _ : state)
        for (int month = 1; month <= 12; ++month)
            for (const TDateRec& date : MonthDates(2026, month)) {
                benchmark::DoNotOptimize(MoonRiseSet(date, observer));
                for (double h0 : SunAltitudes)
                    benchmark::DoNotOptimize(SunRiseSet(date, h0, observer));
            }
}
BENCHMARK(BM_RiseSetYearDayByDay)->Unit(benchmark::kMillisecond);

void YearShared(benchmark::State& state, const TObserver& observer) {
    for (auto _ : state)
        for (int month = 1; month <= 12; ++month)
            benchmark::DoNotOptimize(RiseSetDays(MonthDates(2026, month), observer));
}

void BM_RiseSetYearShared(benchmark::State& state) {
    YearShared(state, Greenwich());
}
BENCHMARK(BM_RiseSetYearShared)->Unit(benchmark::kMillisecond);

void BM_RiseSetYearSharedTromso(benchmark::State& state) {
    YearShared(state, Tromso());
}
BENCHMARK(BM_RiseSetYearSharedTromso)->Unit(benchmark::kMillisecond);

// The command as the almanac runs it, its threads included: wall time is the figure.
void BM_RiseSetYearCommand(benchmark::State& state) {
    const std::vector<std::string> words = {"--lat", "51.4769", "--lon",   "0",   "--zone",
                                            "0",     "--no-dst", "riseset", "2026"};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(RunAlmanac(words, out, err));
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_RiseSetYearCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
