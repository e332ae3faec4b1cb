// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/nutation.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/nutation_table.h"
#include "engine/sidereal_time.h"
#include "engine/term_trig.h"

namespace {

// The multiples of D, M, M', F and the node that the table uses.
constexpr TTermMultiples<5> NutationMultiples = [] {
    TTermMultiples<5> used;
    for (const TNutationTerm& row : NutationTerms)
        used.Add({row.D, row.M, row.MPrime, row.F, row.Omega});
    return used;
}();

// Sums the 63 terms, each term's sine and cosine from TTermTrig.
template <class TTermTrig> TNutation NutationSeries(double jd) {
    const double t = CenturiesSinceJ2000(jd);
    const double t2 = t * t;
    const double t3 = t2 * t;
    // Fundamental arguments (Meeus, ch. 22).
    const double d = ReducedRad(297.85036 + 445267.11148 * t - 0.0019142 * t2 + t3 / 189474.0);
    const double m = ReducedRad(357.52772 + 35999.05034 * t - 0.0001603 * t2 - t3 / 300000.0);
    const double mp = ReducedRad(134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0);
    const double f = ReducedRad(93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0);
    const double om = ReducedRad(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0);

    const TTermTrig trig({d, m, mp, f, om});
    double dpsi = 0.0;
    double deps = 0.0;
    for (std::size_t k = 0; k < NutationTerms.size(); ++k) {
        const TNutationTerm& row = NutationTerms[k];
        const TSinCos term = trig.SinCos(k, {row.D, row.M, row.MPrime, row.F, row.Omega});
        dpsi += term.Sin * (row.S0 + row.S1 * t);
        deps += term.Cos * (row.C0 + row.C1 * t);
    }
    return {dpsi / 10000.0, deps / 10000.0};
}

} // namespace

TNutation Nutation(double jd) {
    return NutationSeries<TExactTermTrig<5>>(jd);
}

TNutation FastNutation(double jd) {
    return NutationSeries<TFastTermTrig<5, NutationMultiples>>(jd);
}

double TrueObliquity(double jd, TNutation& nutation) {
    nutation = Nutation(jd);
    return ObliquityWithNutation(jd, nutation);
}

double ObliquityWithNutation(double jd, const TNutation& nutation) {
    const double u = CenturiesSinceJ2000(jd) / 100.0;
    // Laskar's polynomial in units of 10 000 Julian years (Meeus, eq. 22.3), arcseconds.
    constexpr double coefficients[] = {-4680.93, -1.55, 1999.25, -51.38, -249.67,
                                       -39.05,   7.12,  27.87,   5.79,   2.45};
    double power = 1.0;
    double sum = 0.0;
    for (const double c : coefficients) {
        power *= u;
        sum += c * power;
    }
    const double meanObliquity = 23.4392911111111111 + sum / 3600.0; // 23°26'21.448"
    return DegToRad(meanObliquity + nutation.DeltaEps / 3600.0);
}

double TrueObliquity(double jd) {
    TNutation unused;
    return TrueObliquity(jd, unused);
}
