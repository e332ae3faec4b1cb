// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/seasons.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/date_facts.h"
#include "engine/date_time.h"
#include "engine/sun.h"

namespace {

// Mean instants, Meeus, table 27.C (years +1000 to +3000), coefficients of Y^0..Y^4.
constexpr double MeanCoefficients[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
};

double MeanInstant(int event, int year) {
    const double y = (year - 2000) / 1000.0;
    const double* c = MeanCoefficients[event];
    return c[0] + c[1] * y + c[2] * y * y + c[3] * y * y * y + c[4] * y * y * y * y;
}

// Meeus, ch. 27: correct the instant by 58 sin(A - lambda) days until the Sun's apparent
// longitude is A.
double RefinedInstant(double jde, double targetDeg, const TObserver& observer) {
    for (int round = 0; round < MaxSeasonRefinements; ++round) {
        const double lambda = SunPosition(jde, observer).ApparentLongitude;
        const double c = 58.0 * std::sin(DegToRad(targetDeg - lambda));
        jde += c;
        if (std::fabs(c) < 1e-8) break;
    }
    return jde;
}

} // namespace

TSeasons SeasonsOfYear(int year, const TObserver& observer) {
    TSeasons seasons;
    seasons.Year = year;
    seasons.Hemisphere =
        std::signbit(observer.ObserverLatitude) ? THemisphere::Southern : THemisphere::Northern;
    // South of the equator spring begins at the September equinox.
    const int firstSeasonShift = seasons.Hemisphere == THemisphere::Northern ? 0 : 2;
    // To UT, plus the half minute that rounds the shown minute.
    const double deltaTDays = DeltaT(year) / 86400.0;
    const double shift = -deltaTDays + 1.0 / 2880.0;
    for (int event = 0; event < 4; ++event) {
        TSeasonEvent& e = seasons.Events[event];
        e.Kind = static_cast<TSeasonEventKind>(event);
        e.Season = static_cast<TSeason>((event + 4 - firstSeasonShift) % 4);
        e.JDE = RefinedInstant(MeanInstant(event, year), 90.0 * event, observer);
        e.LocalJD = e.JDE + (shift + observer.LocalOffsetDaysAt(e.JDE - deltaTDays));
    }
    // The December season ends at next year's equinox, refined like the others: its mean
    // instant is off by hundredths of a day.
    seasons.NextMarchJDE = RefinedInstant(MeanInstant(0, year + 1), 0.0, observer);
    for (int event = 0; event < 4; ++event) {
        TSeasonEvent& e = seasons.Events[event];
        const double end = event < 3 ? seasons.Events[event + 1].JDE : seasons.NextMarchJDE;
        e.LengthDays = std::trunc((end - e.JDE) * 100.0) / 100.0;
    }
    return seasons;
}
