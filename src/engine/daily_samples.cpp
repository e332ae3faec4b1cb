// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/daily_samples.h"

#include <cmath>
#include <cstdlib>

#include "engine/date_time.h"
#include "engine/moon.h"

namespace {

struct TDirection {
    double AzimuthDeg;
    double WindowLow, WindowHigh; // inclusive; North's wraps through 0
};

// West's window reaches to 271.1 (not 270.1); North's is wider than the others.
constexpr std::array<TDirection, 4> Directions{{
    {180.0, 179.9, 180.1},
    {270.0, 269.9, 271.1},
    {0.0, 359.8, 0.2},
    {90.0, 89.9, 90.1},
}};

bool InWindow(const TDirection& d, double az) {
    if (d.WindowLow > d.WindowHigh) return az >= d.WindowLow || az <= d.WindowHigh;
    return az >= d.WindowLow && az <= d.WindowHigh;
}

// a − b reduced to (−180, 180].
double Signed(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

} // namespace

std::array<int, 4> CardinalMarkerMinutes(const std::array<double, DailySampleCount>& az) {
    std::array<int, 4> marked{-1, -1, -1, -1};
    for (int i = 0; i < DailySampleCount; ++i) {
        for (size_t k = 0; k < Directions.size(); ++k) {
            if (marked[k] >= 0) continue;
            const TDirection& d = Directions[k];
            if (InWindow(d, az[size_t(i)])) {
                marked[k] = i;
                continue;
            }
            if (i == 0) continue;
            // Near transit the azimuth can move more than a window's width in a minute: a
            // change of sign of the difference over a short step is a crossing too (a long
            // step is the difference wrapping on the far side of the circle).
            const double before = Signed(az[size_t(i - 1)], d.AzimuthDeg);
            const double after = Signed(az[size_t(i)], d.AzimuthDeg);
            if ((before < 0.0) != (after < 0.0) && std::fabs(after - before) < 180.0)
                marked[k] = std::fabs(before) < std::fabs(after) ? i - 1 : i;
        }
    }
    return marked;
}

TDailySamples DailyMoonSamples(int year, int month, int day, const TObserver& observer) {
    TDailySamples samples;
    const double start = observer.UTOfLocal(JulianDayOf(year, month, day));
    for (int i = 0; i < DailySampleCount; ++i) {
        TSunData sun;
        const TMoonData moon = MoonPosition(start + i / 1440.0, observer, sun);
        samples.AltitudeDeg[size_t(i)] = moon.AltitudeDeg;
        samples.AzimuthDeg[size_t(i)] = moon.AzimuthDeg;
    }
    samples.MarkerMinute = CardinalMarkerMinutes(samples.AzimuthDeg);
    return samples;
}
