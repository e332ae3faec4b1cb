// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the main window: the engine work it asks for, and the whole tick with a
// full repaint of the window, offscreen, by day and in night vision.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/window_set.h"
#include "engine/almanac_text.h"
#include "engine/moon.h"
#include "engine/phase_name.h"
#include "engine/phases.h"
#include "engine/text_helpers.h"
#include "ui/common/night_vision.h"
#include "ui/main/moon_drawing.h"
#include "ui/main/panels_text.h"
#include "ui/main/tmain.h"

namespace {

TDateRec BenchDate() {
    return {7, 12, 2026, 21, 15, 30, 0, 0.0};
}

// MoonPosition (with the Sun), age, phase name, sidereal time and the panel texts.
void BM_TickEngineWork(benchmark::State& state) {
    TObserver observer;
    observer.ObserverLatitude = 0.9;
    observer.ObserverLongitude = 0.02;
    TDateRec date = BenchDate();
    date.JD = JulianDay(date);
    const TNewMoonPair newMoons = BracketingNewMoons(date.JD);
    double step = 0.0;
    for (auto _ : state) {
        const double ut = date.JD + step;
        step += 1.0 / 86400.0;
        TSunData sun;
        const TMoonData moon = MoonPosition(ut, observer, sun);
        const double age = ut - newMoons.PrevNewMoon;
        const double p = LunationPercent(age, newMoons.PrevNewMoon, newMoons.NextNewMoon);
        benchmark::DoNotOptimize(MoonPhaseName(p, date.Month, false));
        benchmark::DoNotOptimize(MoonAgeTexts(age));
        benchmark::DoNotOptimize(LocalSiderealTimeText(ut, observer.ObserverLongitude));
        benchmark::DoNotOptimize(RightAscensionText(moon.TopoRADeg));
        benchmark::DoNotOptimize(HoursToSexagesimal(moon.TopoDecDeg));
        benchmark::DoNotOptimize(RightAscensionText(sun.Equatorial.RADeg));
        benchmark::DoNotOptimize(HoursToSexagesimal(sun.Equatorial.DecDeg));
        benchmark::DoNotOptimize(HoursToSexagesimal(sun.Azimuth));
    }
}
BENCHMARK(BM_TickEngineWork)->Unit(benchmark::kMicrosecond);

// The Moon drawing of every tick: shading and orientation.
void BM_TickMoonDrawing(benchmark::State& state) {
    QImage photo(156, 156, QImage::Format_RGB32);
    photo.fill(QColor(200, 200, 190));
    int illumination = 0;
    for (auto _ : state) {
        const QImage working = DrawMoonGraphic(photo, illumination, illumination < 50 ? 30 : 70);
        benchmark::DoNotOptimize(DrawMoon(working, THemisphere::Northern, TOpticsView::Telescope));
        illumination = (illumination + 7) % 101;
    }
}
BENCHMARK(BM_TickMoonDrawing)->Unit(benchmark::kMicrosecond);

// The window set over a fresh settings database, its clock standing at one instant.
TWindowSetup BenchSetup(const QTemporaryDir& folder) {
    return {folder.filePath("settings.db"),
            [] { return QDateTime(QDate(2026, 12, 7), QTime(21, 15, 30), Qt::UTC); }, nullptr};
}

// The whole tick of the real window: engine, panels, clock strip, Moon drawing.
void BM_Tick(benchmark::State& state) {
    QTemporaryDir folder;
    TWindowSet windows(BenchSetup(folder));
    for (auto _ : state)
        windows.Main().Tick();
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

// One full repaint of the window into a picture.
void BM_FullRepaint(benchmark::State& state) {
    QTemporaryDir folder;
    TWindowSet windows(BenchSetup(folder));
    windows.Main().Tick();
    for (auto _ : state)
        benchmark::DoNotOptimize(windows.Main().grab());
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// The tick as the screen sees it: the shown window ticked and its updates painted into its
// backing store, by day (0) and in night vision (1); either way only the changed parts
// repaint, at night turned red where they lie.
void BM_TickShown(benchmark::State& state) {
    QTemporaryDir folder;
    // A clock one second on at every reading, so every tick shows a new time.
    QDateTime now(QDate(2026, 12, 7), QTime(21, 15, 30), Qt::UTC);
    TWindowSet windows({folder.filePath("settings.db"),
                        [&now] {
                            now = now.addSecs(1);
                            return now;
                        },
                        nullptr});
    (void)SetNightVision(windows.State(), windows.Store(), state.range(0) == 1);
    windows.Main().show(); // its own once-a-second tick adds nothing measurable
    QApplication::processEvents();
    for (auto _ : state) {
        windows.Main().Tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TickShown)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
