// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/moon.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "engine/angles.h"
#include "engine/moon_series_tables.h"
#include "engine/nutation.h"
#include "engine/sidereal_time.h"
#include "engine/term_trig.h"

namespace {

constexpr double AxisRatio = 0.99664719; // polar to equatorial radius of the Earth
// The observer stands 75 m above sea level.
constexpr double HeightRatio = 75.0 / (EarthRadiusKm * 1000.0);
constexpr double MoonRadiusRatio = 0.272481; // Moon's radius in Earth radii

double ASinDeg(double x) {
    return RadToDeg(std::asin(std::clamp(x, -1.0, 1.0)));
}
double ACos(double x) {
    return std::acos(std::clamp(x, -1.0, 1.0));
}

// Reduces an hour angle to -180..+180 degrees (no loop, so any observer input ends).
double WrapHourAngle(double h) {
    return std::remainder(h, 360.0);
}

struct TSeriesResult {
    double LongitudeDeg; // geometric longitude, 0..360
    double LatitudeDeg;
    double DistanceKm;
};

// The multiples of D, M, M' and F that tables 47.A and 47.B use, the terms of 47.A first.
constexpr TTermMultiples<4> MoonSeriesMultiples = [] {
    TTermMultiples<4> used;
    for (const TMoonLongitudeTerm& a : MoonLongitudeTerms)
        used.Add({a.D, a.M, a.MPrime, a.F});
    for (const TMoonLatitudeTerm& b : MoonLatitudeTerms)
        used.Add({b.D, b.M, b.MPrime, b.F});
    return used;
}();

// Sums tables 47.A and 47.B with the additive terms (Meeus, ch. 47), each term's sine and
// cosine from TTermTrig.
template <class TTermTrig> TSeriesResult LunarSeries(TLunarGeometry& g) {
    const double t = g.T;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    const double lp = Normalize360(218.3164477 + 481267.88123421 * t - 0.0015786 * t2 +
                                   t3 / 538841.0 - t4 / 65194000.0);
    g.D = ReducedRad(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 -
                     t4 / 113065000.0);
    g.M = ReducedRad(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    g.MPrime = ReducedRad(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 -
                          t4 / 14712000.0);
    g.F = ReducedRad(93.272095 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 +
                     t4 / 863310000.0);
    const double a1 = ReducedRad(119.75 + 131.849 * t);
    const double a2 = ReducedRad(53.09 + 479264.29 * t);
    const double a3 = ReducedRad(313.45 + 481266.484 * t);
    g.E = 1.0 - 0.002516 * t - 0.0000074 * t2;

    const double eFactor[3] = {1.0, g.E, g.E * g.E};
    const TTermTrig trig({g.D, g.M, g.MPrime, g.F});
    double sumL = 0.0;
    double sumR = 0.0;
    double sumB = 0.0;
    for (std::size_t k = 0; k < MoonLongitudeTerms.size(); ++k) {
        const TMoonLongitudeTerm& a = MoonLongitudeTerms[k];
        const TSinCos termA = trig.SinCos(k, {a.D, a.M, a.MPrime, a.F});
        const double eA = eFactor[std::abs(a.M)];
        sumL += a.SigmaL * termA.Sin * eA;
        sumR += a.SigmaR * termA.Cos * eA;
        const TMoonLatitudeTerm& b = MoonLatitudeTerms[k];
        sumB += b.SigmaB * trig.Sin(MoonLongitudeTerms.size() + k, {b.D, b.M, b.MPrime, b.F}) *
                eFactor[std::abs(b.M)];
    }
    const double lpRad = DegToRad(lp);
    sumL += 3958.0 * std::sin(a1) + 1962.0 * std::sin(lpRad - g.F) + 318.0 * std::sin(a2);
    sumB += -2235.0 * std::sin(lpRad) + 382.0 * std::sin(a3) + 175.0 * std::sin(a1 - g.F) +
            175.0 * std::sin(a1 + g.F) + 127.0 * std::sin(lpRad - g.MPrime) -
            115.0 * std::sin(lpRad + g.MPrime);
    return {Normalize360(lp + sumL / 1000000.0), sumB / 1000000.0, 385000.56 + sumR / 1000.0};
}

// Topocentric place, horizontal coordinates and semi-diameter (Meeus, chs. 11, 13 and 40).
void TopocentricPlace(double jd, const TObserver& observer, TMoonData& moon, TLunarGeometry& g) {
    const double phi = observer.ObserverLatitude;
    const double u = std::atan(AxisRatio * std::tan(phi));
    const double rhoSin = AxisRatio * std::sin(u) + HeightRatio * std::sin(phi);
    const double rhoCos = std::cos(u) + HeightRatio * std::cos(phi);

    const double h = WrapHourAngle(SiderealTimeAt(jd) - RadToDeg(observer.ObserverLongitude) -
                                   moon.Equatorial.RADeg);
    g.HourAngleDeg = h;
    const double hr = DegToRad(h);
    const double dec = DegToRad(moon.Equatorial.DecDeg);
    const double sinPi = std::sin(DegToRad(moon.ParallaxDeg));

    // Meeus, eqs. 40.2 and 40.3.
    const double den = std::cos(dec) - rhoCos * sinPi * std::cos(hr);
    const double dAlpha = std::atan2(-rhoCos * sinPi * std::sin(hr), den);
    moon.TopoRADeg = moon.Equatorial.RADeg + RadToDeg(dAlpha);
    const double topoDec = std::atan2((std::sin(dec) - rhoSin * sinPi) * std::cos(dAlpha), den);
    moon.TopoDecDeg = RadToDeg(topoDec);

    // Altitude and azimuth of the topocentric place: its hour angle is H - delta alpha.
    const double topoH = hr - dAlpha;
    const THorizontal horizontal = HorizontalFromHourAngle(topoH, topoDec, phi);
    moon.AltitudeDeg = horizontal.AltitudeDeg;
    moon.AzimuthDeg = horizontal.AzimuthDeg;

    // Topocentric semi-diameter (Meeus, ch. 40), from the geocentric hour angle.
    const double a = std::cos(dec) * std::sin(hr);
    const double b = std::cos(dec) * std::cos(hr) - rhoCos * sinPi;
    const double c = std::sin(dec) - rhoSin * sinPi;
    const double q = std::sqrt(a * a + b * b + c * c);
    moon.SemiDiameterDeg = ASinDeg(MoonRadiusRatio * sinPi / q);
}

// Phase angle (Meeus, ch. 48, eqs. 48.2 and 48.3 with the geocentric elongation psi).
double PhaseAngleRad(const TSunData& sun, const TEquatorial& moonPlace, double moonDistanceKm) {
    const double a0 = DegToRad(sun.Equatorial.RADeg);
    const double d0 = DegToRad(sun.Equatorial.DecDeg);
    const double a = DegToRad(moonPlace.RADeg);
    const double d = DegToRad(moonPlace.DecDeg);
    const double psi =
        ACos(std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(a0 - a));
    const double r = sun.DistanceKm;
    return std::atan2(r * std::sin(psi), moonDistanceKm - r * std::cos(psi));
}

// Illuminated fraction in whole percent from the phase angle (Meeus, eq. 48.1).
std::int32_t IlluminationFromPhaseAngle(double i) {
    return static_cast<std::int32_t>(std::trunc((std::cos(i) + 1.0) * 100.0 / 2.0 + 0.5));
}

// Phase angle, illuminated fraction and bright limb (Meeus, ch. 48).
void Illumination(const TSunData& sun, TMoonData& moon) {
    const double a0 = DegToRad(sun.Equatorial.RADeg);
    const double d0 = DegToRad(sun.Equatorial.DecDeg);
    const double a = DegToRad(moon.Equatorial.RADeg);
    const double d = DegToRad(moon.Equatorial.DecDeg);
    const double i = PhaseAngleRad(sun, moon.Equatorial, moon.DistanceKm);
    moon.PhaseAngleDeg = RadToDeg(i);
    moon.IlluminationPercent = IlluminationFromPhaseAngle(i);
    moon.BrightLimbAngleDeg = Normalize360(RadToDeg(
        std::atan2(std::cos(d0) * std::sin(a0 - a),
                   std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a))));
}

// The apparent geocentric place (Meeus, ch. 47), leaving the series' arguments, the nutation
// and the obliquity in g; the nutation is the one at jd. Fast sums the periodic terms with
// TFastTermTrig.
template <bool Fast>
TMoonPlace ApparentPlace(double jd, const TNutation& nutation, TLunarGeometry& g) {
    g.T = CenturiesSinceJ2000(jd);
    using TTermTrig =
        std::conditional_t<Fast, TFastTermTrig<4, MoonSeriesMultiples>, TExactTermTrig<4>>;
    const TSeriesResult series = LunarSeries<TTermTrig>(g);
    TMoonPlace place;
    place.LongitudeRad = DegToRad(series.LongitudeDeg);
    g.Nutation = nutation;
    g.Obliquity = ObliquityWithNutation(jd, g.Nutation);
    place.ApparentLongitudeRad = place.LongitudeRad + DegToRad(g.Nutation.DeltaPsi / 3600.0);
    place.LatitudeRad = DegToRad(series.LatitudeDeg);
    place.DistanceKm = series.DistanceKm;
    place.ParallaxDeg = ASinDeg(EarthRadiusKm / place.DistanceKm);
    place.Equatorial =
        EclipticToEquatorial(g.Obliquity, place.LatitudeRad, place.ApparentLongitudeRad);
    return place;
}

} // namespace

TMoonData MoonPosition(double jd, const TObserver& observer, TSunData& sun,
                       TLunarGeometry& geometry) {
    TLunarGeometry& g = geometry;
    g = TLunarGeometry{};
    const TMoonPlace place = ApparentPlace<false>(jd, Nutation(jd), g);

    TMoonData moon;
    moon.LongitudeRad = place.LongitudeRad;
    moon.ApparentLongitudeRad = place.ApparentLongitudeRad;
    moon.LatitudeRad = place.LatitudeRad;
    moon.DistanceKm = place.DistanceKm;
    moon.ParallaxDeg = place.ParallaxDeg;
    moon.Equatorial = place.Equatorial;

    TopocentricPlace(jd, observer, moon, g);
    sun = SunPosition(jd, observer);
    Illumination(sun, moon);

    g.Longitude = moon.LongitudeRad;
    g.Latitude = moon.LatitudeRad;
    g.DistanceKm = moon.DistanceKm;
    g.ParallaxDeg = moon.ParallaxDeg;
    g.RADeg = moon.Equatorial.RADeg;
    g.DecDeg = moon.Equatorial.DecDeg;
    g.ObserverLatitude = observer.ObserverLatitude;
    g.SunApparentLongitudeDeg = sun.ApparentLongitude;
    g.SunDistanceKm = sun.DistanceKm;
    const TPhysicalEphemeris physical = PhysicalEphemeris(g);
    moon.LibrationLatDeg = physical.LibrationLat;
    moon.LibrationLongDeg = physical.LibrationLong;
    moon.AxisAngleDeg = physical.AxisAngle;
    moon.ColongitudeDeg = physical.Colongitude;
    moon.SubSolarLatRad = physical.SubSolarLatRad;
    return moon;
}

TMoonData MoonPosition(double jd, const TObserver& observer, TSunData& sun) {
    TLunarGeometry geometry;
    return MoonPosition(jd, observer, sun, geometry);
}

TMoonPlace MoonApparentPlace(double jd) {
    return MoonApparentPlace(jd, Nutation(jd));
}

TMoonPlace MoonApparentPlace(double jd, const TNutation& nutation) {
    TLunarGeometry geometry;
    return ApparentPlace<false>(jd, nutation, geometry);
}

TMoonPlace FastMoonApparentPlace(double jd) {
    TLunarGeometry geometry;
    return ApparentPlace<true>(jd, FastNutation(jd), geometry);
}

std::int32_t MoonIlluminationPercent(const TMoonPlace& moon, const TSunData& sun) {
    return IlluminationFromPhaseAngle(PhaseAngleRad(sun, moon.Equatorial, moon.DistanceKm));
}
