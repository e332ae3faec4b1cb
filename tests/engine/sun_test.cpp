// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine_test_helpers.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/moon.h"
#include "engine/sidereal_time.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"

namespace {

TEST(SunPosition, MeeusExample25b) {
    // 1992 October 13, 0h TD.
    const TSunData sun = SunPosition(2448908.5, At(0, 0));
    EXPECT_NEAR(sun.TrueLongitude, 199.90735, 1e-5);
    EXPECT_NEAR(sun.Latitude * 3600.0, 0.62, 0.01);
    EXPECT_NEAR(sun.DistanceKm / 149597900.0, 0.9976078, 1e-7);
    EXPECT_NEAR(sun.DistanceKm, 149240025, 20);
    EXPECT_NEAR(sun.ApparentLongitude, 199.90606, 1e-5);
    EXPECT_NEAR(sun.Equatorial.RADeg, 198.37818, 1e-5);
    EXPECT_NEAR(sun.Equatorial.DecDeg, -7.78387, 1e-5);
    EXPECT_EQ(RightAscensionText(sun.Equatorial.RADeg).Units, "13");
    EXPECT_EQ(RightAscensionText(sun.Equatorial.RADeg).Minutes, "13");
    EXPECT_EQ(HoursToSexagesimal(sun.Equatorial.DecDeg).Sign, NegativeSign);
    EXPECT_EQ(HoursToSexagesimal(sun.Equatorial.DecDeg).Units, "07");
    EXPECT_EQ(HoursToSexagesimal(sun.Equatorial.DecDeg).Minutes, "47");
}

TEST(SunPosition, DueSouthOnTheMeridian) {
    const double jd = 2448908.5;
    const TSunData probe = SunPosition(jd, At(0, 0));
    // Stand where the local sidereal time equals the Sun's right ascension.
    const double east = probe.Equatorial.RADeg - SiderealTimeAt(jd);
    const TSunData sun = SunPosition(jd, At(east, 50.0));
    EXPECT_NEAR(sun.Azimuth, 180.0, 1e-6);
    EXPECT_NEAR(sun.Altitude, 90.0 - 50.0 + sun.Equatorial.DecDeg, 1e-6);
    // Six sidereal hours after the meridian, seen from the equator, the Sun sets due west
    // shifted by its declination.
    const TSunData west = SunPosition(jd, At(east + 90.0, 0.0));
    EXPECT_NEAR(west.Altitude, 0.0, 1e-6);
    EXPECT_NEAR(west.Azimuth, 270.0 + west.Equatorial.DecDeg, 1e-6);
}

// Low-accuracy Sun (Meeus, ch. 25, eqs. 25.2 to 25.5): an independent check that
// catches a wrong table row, sign or unit anywhere in the full series.
double LowAccuracyTrueLongitude(double jd, double& radiusAU) {
    const double t = (jd - 2451545.0) / 36525.0;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = DegToRad(357.52911 + 35999.05029 * t - 0.0001537 * t * t);
    const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double v = m + DegToRad(c);
    radiusAU = 1.000001018 * (1 - e * e) / (1 + e * std::cos(v));
    return l0 + c;
}

TEST(SunPosition, AgreesWithTheLowAccuracyTheoryAndStaysInRangeFrom1600To2400) {
    const TObserver observer = At(-71.0, 42.0);
    double worstLon = 0.0;
    double worstLonJd = 0.0;
    double worstR = 0.0;
    for (double jd = 2305447.5; jd < 2597641.5; jd += 13.37) {
        const TSunData sun = SunPosition(jd, observer);
        double r = 0.0;
        const double lon = LowAccuracyTrueLongitude(jd, r);
        const double d = std::fabs(AngleDiff(sun.TrueLongitude, lon));
        if (d > worstLon) {
            worstLon = d;
            worstLonJd = jd;
        }
        worstR = std::fmax(worstR, std::fabs(sun.DistanceKm / 149597900.0 - r));
        ASSERT_GE(sun.TrueLongitude, 0.0);
        ASSERT_LT(sun.TrueLongitude, 360.0);
        ASSERT_LT(std::fabs(sun.Latitude) * 3600.0, 1.5) << "JD " << jd;
        // Nutation (< 19.5") plus aberration (< 21")
        ASSERT_LT(std::fabs(sun.ApparentLongitude - sun.TrueLongitude) * 3600.0, 41.0)
            << "JD " << jd;
        ASSERT_LE(std::fabs(sun.Equatorial.DecDeg), 23.5);
        ASSERT_GE(sun.Azimuth, 0.0);
        ASSERT_LE(sun.Azimuth, 360.0);
        ASSERT_LE(std::fabs(sun.Altitude), 90.0);
    }
    EXPECT_LT(worstLon, 0.01) << "worst at JD " << worstLonJd;
    EXPECT_LT(worstR, 1e-4);
}

// Rising and setting take the Sun's and the Moon's places from one shared nutation; they must
// be the places the windows show, to the last bit.
TEST(SunPosition, PlacesFromASharedNutationAreTheFullOnes) {
    const TObserver greenwich = At(0.0, 51.48);
    for (double jd = 2268932.5; jd < 2634167.5; jd += 913.37) {
        const TNutation nutation = Nutation(jd);
        const TSunData full = SunPosition(jd, greenwich);
        const TSunData place = SunApparentPlace(jd, nutation);
        EXPECT_EQ(place.ApparentLongitude, full.ApparentLongitude) << jd;
        EXPECT_EQ(place.Equatorial.RADeg, full.Equatorial.RADeg) << jd;
        EXPECT_EQ(place.Equatorial.DecDeg, full.Equatorial.DecDeg) << jd;
        EXPECT_EQ(place.DistanceKm, full.DistanceKm) << jd;
        TSunData unused;
        const TMoonData moon = MoonPosition(jd, greenwich, unused);
        const TMoonPlace moonPlace = MoonApparentPlace(jd, nutation);
        EXPECT_EQ(moonPlace.Equatorial.RADeg, moon.Equatorial.RADeg) << jd;
        EXPECT_EQ(moonPlace.Equatorial.DecDeg, moon.Equatorial.DecDeg) << jd;
        EXPECT_EQ(moonPlace.ParallaxDeg, moon.ParallaxDeg) << jd;
    }
}

} // namespace
