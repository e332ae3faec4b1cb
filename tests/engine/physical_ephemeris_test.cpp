// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine_test_helpers.h"

#include <array>
#include <cmath>
#include <iostream>
#include <utility>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/sidereal_time.h"

namespace {

constexpr double April12of1992 = 2448724.5;

TEST(PhysicalEphemeris, MeeusExample53a) {
    TSunData sun;
    TLunarGeometry geometry;
    const TMoonData moon = MoonPosition(April12of1992, At(0, 0), sun, geometry);
    const TGeocentricLibration lib = GeocentricLibration(geometry);
    EXPECT_NEAR(lib.OpticalLong, -1.206, 5e-4);
    EXPECT_NEAR(lib.OpticalLat, 4.194, 5e-4);
    EXPECT_NEAR(lib.PhysicalLong, -0.025, 5e-4);
    EXPECT_NEAR(lib.PhysicalLat, 0.006, 5e-4);
    EXPECT_NEAR(lib.Long, -1.23, 5e-3);
    EXPECT_NEAR(lib.Lat, 4.20, 5e-3);
    EXPECT_NEAR(lib.AxisAngle, 15.08, 5e-3);
    // The Sun's selenographic position: l0 = 67.89, b0 = +1.46, so c0 = 22.11.
    EXPECT_NEAR(moon.ColongitudeDeg, 22.11, 5e-3);
    EXPECT_NEAR(RadToDeg(moon.SubSolarLatRad), 1.46, 5e-3);
}

TEST(PhysicalEphemeris, UnderTheMoonTheTopocentricValuesAreTheGeocentricOnes) {
    TSunData sun;
    TLunarGeometry geometry;
    const TMoonData probe = MoonPosition(April12of1992, At(0, 0), sun, geometry);
    const double east = probe.Equatorial.RADeg - SiderealTimeAt(April12of1992);
    const TMoonData moon = MoonPosition(April12of1992, At(east, probe.Equatorial.DecDeg), sun);
    const TGeocentricLibration lib = GeocentricLibration(geometry);
    EXPECT_NEAR(moon.LibrationLongDeg, lib.Long, 1e-6);
    EXPECT_NEAR(moon.LibrationLatDeg, lib.Lat, 1e-6);
    EXPECT_NEAR(moon.AxisAngleDeg, lib.AxisAngle, 1e-6);
    EXPECT_NEAR(moon.ColongitudeDeg, probe.ColongitudeDeg, 1e-9); // the colongitude is geocentric
}

TEST(PhysicalEphemeris, LibrationInLongitudeIsReducedAtTheBookDate) {
    // Unreduced, A - F comes out near -362 degrees on 12 April 1992 at 0h.
    for (const TObserver& o : {At(0, 0), At(-71.1, 42.4), At(151.2, -33.9)}) {
        TSunData sun;
        const TMoonData moon = MoonPosition(April12of1992, o, sun);
        EXPECT_GT(moon.LibrationLongDeg, -180.0);
        EXPECT_LE(moon.LibrationLongDeg, 180.0);
        EXPECT_NEAR(moon.LibrationLongDeg, -1.23, 1.1); // within one parallax of the geocentric
    }
}

// The librations seen by the observer, by vectors rather than Meeus's corrections: the
// lunar axes are built from the geocentric librations l, b and the axis angle P, then the
// direction from the Moon to the observer (on a spherical Earth, as Meeus's formulas take
// it) is expressed in them. Degrees: {longitude, latitude}.
std::pair<double, double> TopocentricLibrationByVectors(const TLunarGeometry& g,
                                                        const TGeocentricLibration& lib) {
    using V = std::array<double, 3>;
    auto dot = [](const V& a, const V& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    auto cross = [](const V& a, const V& b) {
        return V{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    };
    auto sum = [](double p, const V& a, double q, const V& b) {
        return V{p * a[0] + q * b[0], p * a[1] + q * b[1], p * a[2] + q * b[2]};
    };
    // Axes turning with the observer's meridian: x on it at the equator, z to the north pole.
    const double h = DegToRad(g.HourAngleDeg);
    const double d = DegToRad(g.DecDeg);
    const double phi = g.ObserverLatitude;
    const V u{std::cos(d) * std::cos(h), -std::cos(d) * std::sin(h), std::sin(d)};
    const V north{-std::sin(d) * std::cos(h), std::sin(d) * std::sin(h), std::cos(d)};
    const V east{std::sin(h), std::cos(h), 0.0};
    const double distance = 1.0 / std::sin(DegToRad(g.ParallaxDeg)); // Earth radii
    const V observer{std::cos(phi), 0.0, std::sin(phi)};
    V toObserver = sum(1.0, observer, -distance, u);
    toObserver = sum(1.0 / std::sqrt(dot(toObserver, toObserver)), toObserver, 0.0, toObserver);

    const double l = DegToRad(lib.Long), b = DegToRad(lib.Lat), p = DegToRad(lib.AxisAngle);
    const V toEarth = sum(-1.0, u, 0.0, u);
    const V pole =
        sum(std::sin(b), toEarth, std::cos(b), sum(std::cos(p), north, std::sin(p), east));
    const V flat = sum(1.0 / std::cos(b), toEarth, -std::tan(b), pole); // cos l x + sin l y
    const V w = cross(pole, flat);                                      // cos l y - sin l x
    const V x = sum(std::cos(l), flat, -std::sin(l), w);
    const V y = sum(std::sin(l), flat, std::cos(l), w);
    return {RadToDeg(std::atan2(dot(toObserver, y), dot(toObserver, x))),
            RadToDeg(std::asin(dot(toObserver, pole)))};
}

TEST(PhysicalEphemeris, TopocentricLibrationsAgreeWithAVectorComputation) {
    // Meeus's corrections use pi' = pi (sin z + 0.0084 sin 2z); the second term moves the
    // librations by up to 0.008 degree at z = 45, four times the tolerance.
    double worst = 0.0;
    double worstJd = 0.0;
    int inclined = 0;
    for (const TObserver& o : {At(-71.1, 42.4), At(151.2, -33.9), At(18.0, 69.6), At(0, 0)}) {
        for (double jd = 2460310.5; jd < 2460310.5 + 60; jd += 0.173) {
            TSunData sun;
            TLunarGeometry g;
            const TMoonData m = MoonPosition(jd, o, sun, g);
            if (m.AltitudeDeg < -5.0) continue;
            const auto [l, b] = TopocentricLibrationByVectors(g, GeocentricLibration(g));
            const double diff = std::hypot(AngleDiff(m.LibrationLongDeg, l), m.LibrationLatDeg - b);
            if (diff > worst) {
                worst = diff;
                worstJd = jd;
            }
            inclined += std::fabs(m.AltitudeDeg - 45.0) < 15.0;
        }
    }
    EXPECT_GT(inclined, 50);
    EXPECT_LT(worst, 0.002) << "JD " << worstJd;
    std::cout << "worst topocentric libration difference " << worst << " deg at JD " << worstJd
              << "\n";
}

TEST(PhysicalEphemeris, RangesOverFourCenturies) {
    const TObserver observer = At(-71.1, 42.4);
    for (double jd = 2378496.5; jd < 2524593.5; jd += 3.31) { // 1800..2200
        TSunData sun;
        TLunarGeometry geometry;
        const TMoonData m = MoonPosition(jd, observer, sun, geometry);
        const TGeocentricLibration lib = GeocentricLibration(geometry);
        ASSERT_LT(std::fabs(lib.Long), 8.2) << "JD " << jd;
        ASSERT_LT(std::fabs(lib.Lat), 7.0) << "JD " << jd;
        ASSERT_LT(std::fabs(lib.AxisAngle), 25.5) << "JD " << jd;
        // The observer moves the librations by at most the parallax.
        ASSERT_LT(std::hypot(m.LibrationLatDeg - lib.Lat, m.LibrationLongDeg - lib.Long),
                  1.1 * m.ParallaxDeg)
            << "JD " << jd;
        ASSERT_LT(std::fabs(AngleDiff(m.AxisAngleDeg, 0.0)), 27.0) << "JD " << jd;
        ASSERT_TRUE(m.AxisAngleDeg >= 0.0 && m.AxisAngleDeg <= 360.0);
        ASSERT_TRUE(m.ColongitudeDeg >= 0.0 && m.ColongitudeDeg <= 360.0);
        ASSERT_LT(std::fabs(RadToDeg(m.SubSolarLatRad)), 1.7) << "JD " << jd;
    }
}

} // namespace
