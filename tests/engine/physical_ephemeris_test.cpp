#include <gtest/gtest.h>

#include "engine_test_helpers.h"

#include <cmath>

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
    EXPECT_NEAR(moon.Colongitude, 22.11, 5e-3);
    EXPECT_NEAR(RadToDeg(moon.SubSolarLatRad), 1.46, 5e-3);
}

TEST(PhysicalEphemeris, UnderTheMoonTheTopocentricValuesAreTheGeocentricOnes) {
    TSunData sun;
    TLunarGeometry geometry;
    const TMoonData probe = MoonPosition(April12of1992, At(0, 0), sun, geometry);
    const double east = probe.Equatorial.RADeg - SiderealTimeAt(April12of1992);
    const TMoonData moon = MoonPosition(April12of1992, At(east, probe.Equatorial.DecDeg), sun);
    const TGeocentricLibration lib = GeocentricLibration(geometry);
    EXPECT_NEAR(moon.LibrationLong, lib.Long, 1e-6);
    EXPECT_NEAR(moon.LibrationLat, lib.Lat, 1e-6);
    EXPECT_NEAR(moon.AxisAngle, lib.AxisAngle, 1e-6);
    EXPECT_NEAR(moon.Colongitude, probe.Colongitude, 1e-9); // the colongitude is geocentric
}

TEST(PhysicalEphemeris, LibrationInLongitudeIsReducedAtTheBookDate) {
    // Unreduced, A - F comes out near -362 degrees on 12 April 1992 at 0h.
    for (const TObserver& o : {At(0, 0), At(-71.1, 42.4), At(151.2, -33.9)}) {
        TSunData sun;
        const TMoonData moon = MoonPosition(April12of1992, o, sun);
        EXPECT_GT(moon.LibrationLong, -180.0);
        EXPECT_LE(moon.LibrationLong, 180.0);
        EXPECT_NEAR(moon.LibrationLong, -1.23, 1.1); // within one parallax of the geocentric
    }
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
        ASSERT_LT(std::hypot(m.LibrationLat - lib.Lat, m.LibrationLong - lib.Long),
                  1.1 * m.Parallax)
            << "JD " << jd;
        ASSERT_LT(std::fabs(AngleDiff(m.AxisAngle, 0.0)), 27.0) << "JD " << jd;
        ASSERT_TRUE(m.AxisAngle >= 0.0 && m.AxisAngle <= 360.0);
        ASSERT_TRUE(m.Colongitude >= 0.0 && m.Colongitude <= 360.0);
        ASSERT_LT(std::fabs(RadToDeg(m.SubSolarLatRad)), 1.7) << "JD " << jd;
    }
}

} // namespace
