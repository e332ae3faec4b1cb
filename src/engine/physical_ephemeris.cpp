// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/physical_ephemeris.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"

namespace {

// Inclination of the mean lunar equator to the ecliptic (Meeus, ch. 53).
constexpr double InclinationDeg = 1.54242;

double ASin(double x) {
    return std::asin(std::clamp(x, -1.0, 1.0));
}
double ACos(double x) {
    return std::acos(std::clamp(x, -1.0, 1.0));
}

struct TSelenographic {
    double A;    // longitude on the mean lunar equator, radians
    double BRad; // latitude, radians
};

// Selenographic position of a point of ecliptic longitude w (measured from the node) and
// latitude beta, both radians (Meeus, eqs. 53.1).
TSelenographic ToMeanLunarEquator(double w, double beta) {
    const double i = DegToRad(InclinationDeg);
    const double a =
        std::atan2(std::sin(w) * std::cos(beta) * std::cos(i) - std::sin(beta) * std::sin(i),
                   std::cos(w) * std::cos(beta));
    const double b =
        ASin(-std::sin(w) * std::cos(beta) * std::sin(i) - std::sin(beta) * std::cos(i));
    return {a, b};
}

// The physical libration series rho, sigma, tau in degrees (Meeus, ch. 53).
void PhysicalSeries(const TLunarGeometry& g, double node, TGeocentricLibration& out) {
    const double d = g.D;
    const double m = g.M;
    const double mp = g.MPrime;
    const double f = g.F;
    const double k1 = DegToRad(119.75 + 131.849 * g.T);
    const double k2 = DegToRad(72.56 + 20.186 * g.T);
    out.Rho = -0.02752 * std::cos(mp) - 0.02245 * std::sin(f) + 0.00684 * std::cos(mp - 2 * f) -
              0.00293 * std::cos(2 * f) - 0.00085 * std::cos(2 * f - 2 * d) -
              0.00054 * std::cos(mp - 2 * d) - 0.0002 * std::sin(mp + f) -
              0.0002 * std::cos(mp + 2 * f) - 0.0002 * std::cos(mp - f) +
              0.00014 * std::cos(mp + 2 * f - 2 * d);
    out.Sigma = -0.02816 * std::sin(mp) + 0.02244 * std::cos(f) - 0.00682 * std::sin(mp - 2 * f) -
                0.00279 * std::sin(2 * f) - 0.00083 * std::sin(2 * f - 2 * d) +
                0.00069 * std::sin(mp - 2 * d) + 0.0004 * std::cos(mp + f) -
                0.00025 * std::sin(2 * mp) - 0.00023 * std::sin(mp + 2 * f) +
                0.0002 * std::cos(mp - f) + 0.00019 * std::sin(mp - f) +
                0.00013 * std::sin(mp + 2 * f - 2 * d) - 0.0001 * std::cos(mp - 3 * f);
    out.Tau = 0.0252 * g.E * std::sin(m) + 0.00473 * std::sin(2 * mp - 2 * f) -
              0.00467 * std::sin(mp) + 0.00396 * std::sin(k1) + 0.00276 * std::sin(2 * mp - 2 * d) +
              0.00196 * std::sin(node) - 0.00183 * std::cos(mp - f) +
              0.00115 * std::sin(mp - 2 * d) - 0.00096 * std::sin(mp - d) +
              0.00046 * std::sin(2 * f - 2 * d) - 0.00039 * std::sin(mp - f) -
              0.00032 * std::sin(mp - m - d) + 0.00027 * std::sin(2 * mp - m - 2 * d) +
              0.00023 * std::sin(k2) - 0.00014 * std::sin(2 * d) +
              0.00014 * std::cos(2 * mp - 2 * f) - 0.00012 * std::sin(mp - 2 * f) -
              0.00012 * std::sin(2 * mp) + 0.00011 * std::sin(2 * mp - 2 * m - 2 * d);
}

// Position angle of the axis, radians (Meeus, ch. 53).
double AxisPositionAngle(const TLunarGeometry& g, const TGeocentricLibration& lib) {
    const double v = lib.NodeRad + DegToRad(g.Nutation.DeltaPsi / 3600.0) +
                     DegToRad(lib.Sigma / std::sin(DegToRad(InclinationDeg)));
    const double ir = DegToRad(InclinationDeg + lib.Rho);
    const double x = std::sin(ir) * std::sin(v);
    const double y =
        std::sin(ir) * std::cos(v) * std::cos(g.Obliquity) - std::cos(ir) * std::sin(g.Obliquity);
    const double omega = std::atan2(x, y);
    return ASin(std::sqrt(x * x + y * y) * std::cos(DegToRad(g.RADeg) - omega) /
                std::cos(lib.OpticalLatRad));
}

} // namespace

TGeocentricLibration GeocentricLibration(const TLunarGeometry& g) {
    TGeocentricLibration lib;
    const double t = g.T;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    lib.NodeRad =
        DegToRad(125.0445479 - 1934.1362891 * t + 0.0020754 * t2 + t3 / 467441.0 - t4 / 60616000.0);
    // W = apparent longitude - nutation in longitude - node: the geometric longitude's.
    const double w = g.Longitude - lib.NodeRad;
    const TSelenographic optical = ToMeanLunarEquator(w, g.Latitude);
    // A lies in -180..+180 and F in 0..360: reduce, or l' comes out near -360 when F is
    // near 180 degrees.
    lib.OpticalLong = std::remainder(RadToDeg(optical.A - g.F), 360.0);
    lib.OpticalLatRad = optical.BRad;
    lib.OpticalLat = RadToDeg(optical.BRad);

    PhysicalSeries(g, lib.NodeRad, lib);
    lib.PhysicalLong =
        -lib.Tau +
        (lib.Rho * std::cos(optical.A) + lib.Sigma * std::sin(optical.A)) * std::tan(optical.BRad);
    lib.PhysicalLat = lib.Sigma * std::cos(optical.A) - lib.Rho * std::sin(optical.A);
    lib.Long = lib.OpticalLong + lib.PhysicalLong;
    lib.Lat = lib.OpticalLat + lib.PhysicalLat;
    lib.AxisAngle = RadToDeg(AxisPositionAngle(g, lib));
    return lib;
}

TPhysicalEphemeris PhysicalEphemeris(const TLunarGeometry& g) {
    const TGeocentricLibration lib = GeocentricLibration(g);
    TPhysicalEphemeris out;

    // Topocentric corrections (Meeus, ch. 53), from the geocentric declination and hour angle.
    const double phi = g.ObserverLatitude;
    const double dec = DegToRad(g.DecDeg);
    const double h = DegToRad(g.HourAngleDeg);
    const double q =
        std::atan2(std::cos(phi) * std::sin(h),
                   std::cos(dec) * std::sin(phi) - std::sin(dec) * std::cos(phi) * std::cos(h));
    const double z =
        ACos(std::sin(dec) * std::sin(phi) + std::cos(dec) * std::cos(phi) * std::cos(h));
    const double piPrime = g.ParallaxDeg * (std::sin(z) + 0.0084 * std::sin(2 * z));
    const double p = DegToRad(lib.AxisAngle);
    const double dl = -piPrime * std::sin(q - p) / std::cos(DegToRad(lib.Lat));
    const double db = piPrime * std::cos(q - p);
    const double dp = dl * std::sin(DegToRad(lib.Lat + db)) - piPrime * std::sin(q) * std::tan(dec);
    out.LibrationLat = lib.Lat + db;
    out.LibrationLong = lib.Long + dl;
    out.AxisAngle = Normalize360(lib.AxisAngle + dp);

    // The Sun's selenographic position (Meeus, ch. 53).
    const double ratio = g.DistanceKm / g.SunDistanceKm;
    const double lambda0 = g.SunApparentLongitudeDeg;
    const double lambdaH =
        DegToRad(lambda0 + 180.0 +
                 ratio * 57.296 * std::cos(g.Latitude) * std::sin(DegToRad(lambda0) - g.Longitude));
    const double betaH = ratio * g.Latitude;
    const double wH = lambdaH - DegToRad(g.Nutation.DeltaPsi / 3600.0) - lib.NodeRad;
    const TSelenographic sun = ToMeanLunarEquator(wH, betaH);
    const double l0Phys =
        -lib.Tau + (lib.Rho * std::cos(sun.A) + lib.Sigma * std::sin(sun.A)) * std::tan(sun.BRad);
    const double b0Phys = lib.Sigma * std::cos(sun.A) - lib.Rho * std::sin(sun.A);
    const double l0 = Normalize360(RadToDeg(sun.A) - RadToDeg(g.F) + l0Phys);
    const double b0 = RadToDeg(sun.BRad) + b0Phys;
    out.Colongitude = Normalize360(90.0 - l0);
    out.SubSolarLatRad = DegToRad(b0);
    return out;
}
