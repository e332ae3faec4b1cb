// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine_test_helpers.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"

namespace {

constexpr double April12of1992 = 2448724.5; // 1992 April 12, 0h

TEST(MoonPosition, MeeusExample47a) {
    TSunData sun;
    const TMoonData moon = MoonPosition(April12of1992, At(0, 0), sun);
    EXPECT_NEAR(RadToDeg(moon.LongitudeRad), 133.162655, 1e-6);
    EXPECT_NEAR(RadToDeg(moon.ApparentLongitudeRad), 133.167265, 2e-6);
    EXPECT_NEAR(RadToDeg(moon.LatitudeRad), -3.229126, 1e-6);
    EXPECT_NEAR(moon.DistanceKm, 368409.7, 0.05);
    EXPECT_NEAR(moon.ParallaxDeg, 0.991990, 1e-6);
    EXPECT_NEAR(moon.Equatorial.RADeg, 134.688470, 2e-6);
    EXPECT_NEAR(moon.Equatorial.DecDeg, 13.768368, 2e-6);
    EXPECT_EQ(RightAscensionText(moon.Equatorial.RADeg).Units, "08"); // 8h58m45.2s
    EXPECT_EQ(RightAscensionText(moon.Equatorial.RADeg).Minutes, "58");
    EXPECT_EQ(HoursToSexagesimal(moon.Equatorial.DecDeg).Units, "13"); // +13 deg 46' 06"
    EXPECT_EQ(HoursToSexagesimal(moon.Equatorial.DecDeg).Minutes, "46");
}

TEST(MoonPosition, MeeusExample48aIlluminationAndBrightLimb) {
    TSunData sun;
    const TMoonData moon = MoonPosition(April12of1992, At(0, 0), sun);
    EXPECT_NEAR(moon.PhaseAngleDeg, 69.0756, 2e-4);
    EXPECT_NEAR((1.0 + std::cos(DegToRad(moon.PhaseAngleDeg))) / 2.0, 0.6786, 5e-5);
    EXPECT_EQ(moon.IlluminationPercent, 68);
    EXPECT_NEAR(moon.BrightLimbAngleDeg, 285.0, 0.05);
}

TEST(MoonPosition, FullAndNewMoon) {
    TSunData sun;
    // Total lunar eclipse of 2000 January 21, 4h44m UT.
    const TMoonData full = MoonPosition(2451564.697, At(0, 0), sun);
    EXPECT_LT(full.PhaseAngleDeg, 1.5);
    EXPECT_EQ(full.IlluminationPercent, 100);
    EXPECT_NEAR(full.ColongitudeDeg, 90.0, 8.0); // off by the libration in longitude
    // New moon of 1977 February 18, 3h37m42s TD (Meeus, ex. 49.a).
    const TMoonData fresh = MoonPosition(2443192.65118, At(0, 0), sun);
    EXPECT_GT(fresh.PhaseAngleDeg, 170.0);
    EXPECT_EQ(fresh.IlluminationPercent, 0);
    EXPECT_NEAR(fresh.ColongitudeDeg, 270.0, 8.0);
}

struct TDirect {
    double RADeg;
    double DecDeg;
    double Altitude;
    double Azimuth;
    double SemiDiameter;
};

// The Moon seen from the observer by plain vector subtraction: the observer on the
// reference ellipsoid (a = 6378.14 km, b/a = 0.99664719) 75 m above it, the horizon
// taken perpendicular to the ellipsoid's normal.
TDirect DirectTopocentric(const TMoonData& moon, double jd, const TObserver& o) {
    const double a = DegToRad(moon.Equatorial.RADeg);
    const double d = DegToRad(moon.Equatorial.DecDeg);
    const double r = moon.DistanceKm;
    const double mx = r * std::cos(d) * std::cos(a);
    const double my = r * std::cos(d) * std::sin(a);
    const double mz = r * std::sin(d);

    const double phi = o.ObserverLatitude;
    const double e2 = 1.0 - 0.99664719 * 0.99664719;
    const double n = 6378.14 / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double height = 0.075;
    const double lst = DegToRad(SiderealTimeAt(jd)) - o.ObserverLongitude;
    const double ox = (n + height) * std::cos(phi) * std::cos(lst);
    const double oy = (n + height) * std::cos(phi) * std::sin(lst);
    const double oz = (n * (1.0 - e2) + height) * std::sin(phi);

    const double tx = mx - ox;
    const double ty = my - oy;
    const double tz = mz - oz;
    const double dist = std::sqrt(tx * tx + ty * ty + tz * tz);
    const double up = (tx * std::cos(phi) * std::cos(lst) + ty * std::cos(phi) * std::sin(lst) +
                       tz * std::sin(phi));
    const double east = -tx * std::sin(lst) + ty * std::cos(lst);
    const double north = -tx * std::sin(phi) * std::cos(lst) - ty * std::sin(phi) * std::sin(lst) +
                         tz * std::cos(phi);
    TDirect out;
    out.RADeg = RadToDeg(std::atan2(ty, tx));
    out.DecDeg = RadToDeg(std::atan2(tz, std::hypot(tx, ty)));
    out.Altitude = RadToDeg(std::asin(up / dist));
    out.Azimuth = Normalize360(RadToDeg(std::atan2(east, north)));
    out.SemiDiameter = RadToDeg(std::asin(0.272481 * 6378.14 / dist));
    return out;
}

TEST(MoonPosition, TopocentricPlaceAndHorizonAgreeWithVectorSubtraction) {
    // The altitude and azimuth belong to the topocentric place: taking the geocentric hour
    // angle with the topocentric declination would misplace the Moon by up to 0.7 degree.
    const TObserver observers[] = {At(-71.1, 42.4), At(0, 0),         At(151.2, -33.9),
                                   At(18.9, 69.6),  At(-155.5, 19.8), At(30, -77.8)};
    double worstAlt = 0.0;
    double worstAltJd = 0.0;
    double worstAz = 0.0;
    double worstPlace = 0.0;
    double worstSemi = 0.0;
    for (const TObserver& o : observers) {
        for (double jd = 2415020.5; jd < 2488070.0; jd += 9.173) { // 1900..2100
            TSunData sun;
            const TMoonData moon = MoonPosition(jd, o, sun);
            const TDirect direct = DirectTopocentric(moon, jd, o);
            const double dAlt = std::fabs(moon.AltitudeDeg - direct.Altitude);
            if (dAlt > worstAlt) {
                worstAlt = dAlt;
                worstAltJd = jd;
            }
            // Azimuth matters less near the zenith.
            if (direct.Altitude < 85.0)
                worstAz = std::fmax(worstAz, std::fabs(AngleDiff(moon.AzimuthDeg, direct.Azimuth)) *
                                                 std::cos(DegToRad(direct.Altitude)));
            worstPlace = std::fmax(worstPlace, std::fabs(AngleDiff(moon.TopoRADeg, direct.RADeg)) *
                                                   std::cos(DegToRad(direct.DecDeg)));
            worstPlace = std::fmax(worstPlace, std::fabs(moon.TopoDecDeg - direct.DecDeg));
            worstSemi = std::fmax(worstSemi, std::fabs(moon.SemiDiameterDeg - direct.SemiDiameter));
        }
    }
    EXPECT_LT(worstAlt, 1e-6) << "worst at JD " << worstAltJd;
    EXPECT_LT(worstAz, 1e-6);
    EXPECT_LT(worstPlace, 1e-6);
    EXPECT_LT(worstSemi, 1e-8);
}

TEST(MoonPosition, RangesAndConsistencyOverFourCenturies) {
    const TObserver observer = At(2.35, 48.85);
    double worstPhase = 0.0;
    double worstPhaseJd = 0.0;
    double worstColong = 0.0;
    double worstColongJd = 0.0;
    int count = 0;
    for (double jd = 2378496.5; jd < 2524593.5; jd += 4.77) { // 1800..2200
        TSunData sun;
        const TMoonData m = MoonPosition(jd, observer, sun);
        ++count;
        ASSERT_GE(m.LongitudeRad, 0.0);
        ASSERT_LT(m.LongitudeRad, 2 * Pi);
        ASSERT_LT(std::fabs(RadToDeg(m.LatitudeRad)), 5.35) << "JD " << jd;
        ASSERT_GT(m.DistanceKm, 356000.0) << "JD " << jd;
        ASSERT_LT(m.DistanceKm, 407000.0) << "JD " << jd;
        ASSERT_GT(m.SemiDiameterDeg, 0.24);
        ASSERT_LT(m.SemiDiameterDeg, 0.285);
        ASSERT_GE(m.AzimuthDeg, 0.0);
        ASSERT_LE(m.AzimuthDeg, 360.0);
        ASSERT_GE(m.PhaseAngleDeg, 0.0);
        ASSERT_LE(m.PhaseAngleDeg, 180.0);
        ASSERT_GE(m.IlluminationPercent, 0);
        ASSERT_LE(m.IlluminationPercent, 100);
        ASSERT_LE(
            std::fabs(m.IlluminationPercent - 50.0 * (1.0 + std::cos(DegToRad(m.PhaseAngleDeg)))),
            0.5 + 1e-9)
            << "JD " << jd;
        ASSERT_LE(std::fabs(m.Equatorial.DecDeg), 29.0);

        // The phase angle again, from the ecliptic coordinates of both bodies.
        const double psi =
            std::acos(std::cos(m.LatitudeRad) * std::cos(DegToRad(sun.Latitude)) *
                          std::cos(m.ApparentLongitudeRad - DegToRad(sun.ApparentLongitude)) +
                      std::sin(m.LatitudeRad) * std::sin(DegToRad(sun.Latitude)));
        const double i = RadToDeg(std::atan2(sun.DistanceKm * std::sin(psi),
                                             m.DistanceKm - sun.DistanceKm * std::cos(psi)));
        if (std::fabs(i - m.PhaseAngleDeg) > worstPhase) {
            worstPhase = std::fabs(i - m.PhaseAngleDeg);
            worstPhaseJd = jd;
        }
        // The colongitude follows the elongation: 0 at first quarter, 90 at full moon.
        const double expected = RadToDeg(m.LongitudeRad) - sun.TrueLongitude - 90.0;
        const double dc = std::fabs(AngleDiff(m.ColongitudeDeg, expected));
        if (dc > worstColong) {
            worstColong = dc;
            worstColongJd = jd;
        }
    }
    EXPECT_GT(count, 30000);
    EXPECT_LT(worstPhase, 1e-6) << "worst at JD " << worstPhaseJd;
    // The librations in longitude (up to 8 degrees) separate the two.
    EXPECT_LT(worstColong, 10.0) << "worst at JD " << worstColongJd;
}

TEST(MoonPosition, BadInputEndsWithoutHanging) {
    TSunData sun;
    TObserver wild = At(1e12, 95.0);
    const TMoonData m = MoonPosition(April12of1992, wild, sun);
    EXPECT_TRUE(std::isfinite(m.Equatorial.RADeg));
    const TMoonData far = MoonPosition(0.0, At(0, 0), sun); // 4713 BC
    EXPECT_TRUE(std::isfinite(far.DistanceKm));
}

} // namespace
