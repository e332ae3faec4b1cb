// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sun.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "engine/angles.h"
#include "engine/nutation.h"
#include "engine/sidereal_time.h"
#include "engine/sun_tables.h"

namespace {

constexpr double KmPerAU = 149597900.0;

double SeriesSum(std::span<const TVsopTerm> terms, double tau) {
    double sum = 0.0;
    for (const TVsopTerm& term : terms)
        sum += term.A * std::cos(term.B + term.C * tau);
    return sum;
}

struct THeliocentric {
    double LongitudeDeg;
    double LatitudeDeg;
    double RadiusAU;
};

// The Earth's heliocentric coordinates, referred to the mean dynamical ecliptic of the date.
THeliocentric EarthPosition(double tau) {
    const double tau2 = tau * tau;
    const double tau3 = tau2 * tau;
    const double tau4 = tau3 * tau;
    const double tau5 = tau4 * tau;
    const double l = SeriesSum(EarthL0, tau) + SeriesSum(EarthL1, tau) * tau +
                     SeriesSum(EarthL2, tau) * tau2 + SeriesSum(EarthL3, tau) * tau3 +
                     SeriesSum(EarthL4, tau) * tau4 + SeriesSum(EarthL5, tau) * tau5;
    const double b = SeriesSum(EarthB0, tau) + SeriesSum(EarthB1, tau) * tau;
    const double r = SeriesSum(EarthR0, tau) + SeriesSum(EarthR1, tau) * tau +
                     SeriesSum(EarthR2, tau) * tau2 + SeriesSum(EarthR3, tau) * tau3 +
                     SeriesSum(EarthR4, tau) * tau4;
    return {RadToDeg(l / 1e8), RadToDeg(b / 1e8), r / 1e8};
}

} // namespace

TSunData SunApparentPlace(double jd, const TNutation& nutation) {
    const double tau = (jd - 2451545.0) / 365250.0;
    const THeliocentric earth = EarthPosition(tau);

    TSunData sun;
    // Geocentric, then reduced to the FK5 system (Meeus, eqs. 32.3).
    double theta = Normalize360(earth.LongitudeDeg + 180.0);
    double beta = -earth.LatitudeDeg;
    const double t = 10.0 * tau;
    const double lambdaPrime = DegToRad(theta - 1.397 * t - 0.00031 * t * t);
    theta -= 0.09033 / 3600.0;
    beta += 0.03916 / 3600.0 * (std::cos(lambdaPrime) - std::sin(lambdaPrime));
    sun.TrueLongitude = theta;
    sun.Latitude = beta;

    // Nutation and aberration (Meeus, ch. 25).
    const double obliquity = ObliquityWithNutation(jd, nutation);
    sun.ApparentLongitude = theta + nutation.DeltaPsi / 3600.0 - 20.4898 / 3600.0 / earth.RadiusAU;
    sun.Equatorial =
        EclipticToEquatorial(obliquity, DegToRad(beta), DegToRad(sun.ApparentLongitude));
    sun.DistanceKm = earth.RadiusAU * KmPerAU;
    return sun;
}

TSunData SunPosition(double jd, const TObserver& observer) {
    TSunData sun = SunApparentPlace(jd, Nutation(jd));

    // Horizontal coordinates from the geocentric hour angle (Meeus, eqs. 13.5 and 13.6).
    // The hour angle is reduced to -180..+180 without a loop, so any observer input ends.
    const double h = std::remainder(
        SiderealTimeAt(jd) - RadToDeg(observer.ObserverLongitude) - sun.Equatorial.RADeg, 360.0);
    const double phi = observer.ObserverLatitude;
    const double dec = DegToRad(sun.Equatorial.DecDeg);
    const double hr = DegToRad(h);
    const THorizontal horizontal = HorizontalFromHourAngle(hr, dec, phi);
    sun.Altitude = horizontal.AltitudeDeg;
    sun.Azimuth = horizontal.AzimuthDeg;
    return sun;
}
