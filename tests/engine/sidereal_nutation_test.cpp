// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/angles.h"
#include "engine/coordinates.h"
#include "engine/nutation.h"
#include "engine/sidereal_time.h"
#include "engine/text_helpers.h"

namespace {

// Difference of two angles in degrees, wrapped to -180..+180.
double AngleDiff(double a, double b) {
    return std::remainder(a - b, 360.0);
}

TEST(SiderealTime, EpochAndMeeusExamples) {
    EXPECT_DOUBLE_EQ(CenturiesSinceJ2000(2451545.0), 0.0);
    EXPECT_NEAR(SiderealTime0h(2451545.0), 100.46061837, 1e-9);
    EXPECT_NEAR(SiderealTimeAt(2451545.0), 280.46061837, 1e-9);
    // Meeus, ex. 12.a: 1987 April 10, 0h UT -> 13h10m46.3668s.
    EXPECT_NEAR(SiderealTime0h(2446895.5), (13 + 10 / 60.0 + 46.3668 / 3600.0) * 15.0, 1e-6);
    // Meeus, ex. 12.b: 1987 April 10, 19h21m00s UT -> 128.7378734 degrees.
    EXPECT_NEAR(SiderealTimeAt(2446896.30625), 128.7378734, 1e-6);
}

TEST(SiderealTime, LocalTimeAtWashingtonAndEastOfGreenwich) {
    // Meeus, ex. 13.b: 1987 April 10, 19h21m UT at 77d03'56" W: 128.7378734 - 77.0655556.
    const double west = DegToRad(77 + 3 / 60.0 + 56 / 3600.0);
    EXPECT_NEAR(LocalSiderealTimeDeg(2446896.30625, west), 51.6723178, 1e-6);
    // East of Greenwich the local time is later, and wraps past 360.
    EXPECT_NEAR(LocalSiderealTimeDeg(2446896.30625, DegToRad(-270.0)), 38.7378734, 1e-6);
}

TEST(HorizontalCoordinates, VenusAtWashington) {
    // Meeus, ex. 13.b: H = 64.352133, dec = -6d43'11.61", lat = 38d55'17" gives
    // A = 68.0337 (from the South), h = 15.1249.
    const double h = DegToRad(64.352133);
    const double dec = DegToRad(-(6 + 43 / 60.0 + 11.61 / 3600.0));
    const double lat = DegToRad(38 + 55 / 60.0 + 17 / 3600.0);
    const THorizontal horizontal = HorizontalFromHourAngle(h, dec, lat);
    EXPECT_NEAR(horizontal.AltitudeDeg, 15.1249, 1e-4);
    EXPECT_NEAR(horizontal.AzimuthDeg, 68.0337 + 180.0, 1e-4);
    EXPECT_DOUBLE_EQ(AltitudeFromHourAngle(h, dec, lat), horizontal.AltitudeDeg);
    // On the meridian the altitude is 90 - |lat - dec| and the azimuth South or North.
    const THorizontal south = HorizontalFromHourAngle(0.0, DegToRad(10.0), DegToRad(50.0));
    EXPECT_NEAR(south.AltitudeDeg, 50.0, 1e-9);
    EXPECT_NEAR(south.AzimuthDeg, 180.0, 1e-9);
    const THorizontal north = HorizontalFromHourAngle(Pi, DegToRad(80.0), DegToRad(50.0));
    EXPECT_NEAR(north.AltitudeDeg, 40.0, 1e-9);
    EXPECT_NEAR(AngleDiff(north.AzimuthDeg, 0.0), 0.0, 1e-9);
}

TEST(SiderealTime, BothFormulasAgreeAtZeroHoursOverSixCenturies) {
    double worst = 0.0;
    double worstJd = 0.0;
    for (double jd = 2305447.5; jd < 2524593.5; jd += 7.0) { // 1600..2200
        const double t0 = SiderealTime0h(jd);
        const double t = SiderealTimeAt(jd);
        ASSERT_GE(t0, 0.0);
        ASSERT_LT(t0, 360.0);
        ASSERT_GE(t, 0.0);
        ASSERT_LT(t, 360.0);
        const double d = std::fabs(AngleDiff(t0, t));
        if (d > worst) {
            worst = d;
            worstJd = jd;
        }
    }
    EXPECT_LT(worst, 1e-5) << "worst at JD " << worstJd;
}

TEST(Nutation, MeeusExample22a) {
    // 1987 April 10, 0h TD.
    const TNutation n = Nutation(2446895.5);
    EXPECT_NEAR(n.DeltaPsi, -3.788, 0.0005);
    EXPECT_NEAR(n.DeltaEps, 9.443, 0.0005);
    TNutation handedBack;
    const double eps = TrueObliquity(2446895.5, handedBack);
    EXPECT_DOUBLE_EQ(handedBack.DeltaPsi, n.DeltaPsi);
    EXPECT_DOUBLE_EQ(handedBack.DeltaEps, n.DeltaEps);
    // 23 deg 26' 36.850"
    EXPECT_NEAR(RadToDeg(eps), 23.0 + 26.0 / 60.0 + 36.850 / 3600.0,
                0.001 / 3600.0); // the book rounds both parts to 0.001"
    EXPECT_DOUBLE_EQ(TrueObliquity(2446895.5), eps);
}

TEST(EclipticToEquatorial, MeeusExample13aAndTexts) {
    // Pollux: lambda 113.215630, beta 6.684170, epsilon 23.4392911 -> alpha 116.328942,
    // delta 28.026183.
    const TEquatorial pollux =
        EclipticToEquatorial(DegToRad(23.4392911), DegToRad(6.684170), DegToRad(113.215630));
    EXPECT_NEAR(pollux.RADeg, 116.328942, 2e-6);
    EXPECT_NEAR(pollux.DecDeg, 28.026183, 2e-6);
    EXPECT_EQ(RightAscensionText(pollux.RADeg).Units, "07"); // 7h45m18.9s
    EXPECT_EQ(RightAscensionText(pollux.RADeg).Minutes, "45");
    EXPECT_EQ(HoursToSexagesimal(pollux.DecDeg).Units, "28");
    EXPECT_EQ(HoursToSexagesimal(pollux.DecDeg).Sign, "  ");

    // A declination of -0.5 degrees.
    const double eps = DegToRad(23.44);
    const TEquatorial south =
        EclipticToEquatorial(eps, std::asin(std::sin(DegToRad(-0.5)) / std::cos(eps)), 0.0);
    EXPECT_NEAR(south.DecDeg, -0.5, 1e-9);
    EXPECT_EQ(HoursToSexagesimal(south.DecDeg).Sign, NegativeSign);
    EXPECT_EQ(HoursToSexagesimal(south.DecDeg).Units, "00");
    EXPECT_EQ(HoursToSexagesimal(south.DecDeg).Minutes, "30");

    // A right ascension just below 360 degrees reads 00h00m, never 24h or 23h60m.
    const TEquatorial nearZero = EclipticToEquatorial(eps, 0.0, -1e-9);
    EXPECT_GT(nearZero.RADeg, 359.99);
    EXPECT_LE(nearZero.RADeg, 360.0);
    EXPECT_EQ(RightAscensionText(nearZero.RADeg).Units, "00");
    EXPECT_EQ(RightAscensionText(nearZero.RADeg).Minutes, "00");
}

} // namespace
