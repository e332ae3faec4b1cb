// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/apsides.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/apsides_tables.h"
#include "engine/coordinates.h"

namespace {

constexpr double AnomalisticMonth = 27.55454988;

// Mean instant of the passage k (Meeus, eq. 50.1).
double MeanPassage(double k) {
    const double t = k / 1325.55;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    return 2451534.6698 + AnomalisticMonth * k - 0.0006886 * t2 - 0.000001098 * t3 +
           0.0000000052 * t4;
}

template <size_t N>
double SineSeries(const TApsisTerm (&terms)[N], double t, double d, double m, double f) {
    double sum = 0.0;
    for (const TApsisTerm& term : terms)
        sum += (term.Coefficient + term.TCoefficient * t) *
               std::sin(term.D * d + term.M * m + term.F * f);
    return sum;
}

template <size_t N>
double CosineSeries(const TApsisTerm (&terms)[N], double t, double d, double m, double f) {
    double sum = 0.0;
    for (const TApsisTerm& term : terms)
        sum += (term.Coefficient + term.TCoefficient * t) *
               std::cos(term.D * d + term.M * m + term.F * f);
    return sum;
}

} // namespace

TApsis ApsisPassage(double k) {
    const double t = k / 1325.55;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    // Meeus, eqs. 50.1 to 50.3
    const double d =
        ReducedRad(171.9179 + 335.9106046 * k - 0.010025 * t2 - 0.00001156 * t3 + 0.000000055 * t4);
    const double m = ReducedRad(347.3477 + 27.1577721 * k - 0.0008323 * t2 - 0.000001 * t3);
    const double f = ReducedRad(316.6109 + 364.5287911 * k - 0.0125131 * t2 - 0.0000148 * t3);

    TApsis apsis;
    apsis.K = k;
    const bool apogee = k != std::floor(k);
    if (apogee) {
        apsis.JDE = MeanPassage(k) + SineSeries(ApogeeTimeTerms, t, d, m, f);
        apsis.ParallaxArcsec = ApogeeParallaxBase + CosineSeries(ApogeeParallaxTerms, t, d, m, f);
    } else {
        apsis.JDE = MeanPassage(k) + SineSeries(PerigeeTimeTerms, t, d, m, f);
        apsis.ParallaxArcsec = PerigeeParallaxBase + CosineSeries(PerigeeParallaxTerms, t, d, m, f);
    }
    apsis.DistanceKm = EarthRadiusKm / std::sin(DegToRad(apsis.ParallaxArcsec / 3600.0));
    return apsis;
}

TNextApsides NextApsides(double jd) {
    TNextApsides next;
    if (!std::isfinite(jd) || std::fabs(jd) > 1.0e9) return next;
    // Start on a passage whose mean instant lies well before the moment (the corrections
    // stay within three days), so that no passage at or after it is skipped.
    constexpr double Margin = 4.0;
    double k = std::floor(2.0 * (jd - Margin - 2451534.6698) / AnomalisticMonth) / 2.0;
    for (int i = 0; i < 8 && MeanPassage(k) > jd - Margin; ++i)
        k -= 0.5;

    bool havePerigee = false, haveApogee = false;
    // Two passages a month: a dozen steps always reach both.
    for (int i = 0; i < 16 && !(havePerigee && haveApogee); ++i, k += 0.5) {
        const TApsis apsis = ApsisPassage(k);
        if (apsis.JDE < jd) continue;
        const bool apogee = k != std::floor(k);
        if (apogee && !haveApogee) {
            next.Apogee = apsis;
            haveApogee = true;
        } else if (!apogee && !havePerigee) {
            next.Perigee = apsis;
            havePerigee = true;
        }
    }
    return next;
}

