// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/feature_sun.h"
#include "engine/moon.h"
#include "engine/text_helpers.h"
#include "engine_test_helpers.h"

namespace {

constexpr double Mar2026 = 2461100.5; // 1 March 2026, 0h

TEST(SubSolarTrack, InterpolatedPointAgreesWithTheEphemerisEverywhereOnTheGrid) {
    // Far below what a second of time moves the terminator (12 degrees a day is 1.4e-4
    // degree a second), so no listed minute can change.
    const TObserver o = Place(50, 10, 60);
    for (double origin : {Mar2026, 2415020.5, 2488069.5}) { // 2026, 1900, 2100
        TSubSolarTrack track(origin, o);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> offset(-MinSubSolarDays + 1.0,
                                                      MaxSubSolarDays - 1.0);
        double worstColongitude = 0.0;
        double worstLatitude = 0.0;
        for (int i = 0; i < 3000; ++i) {
            const double jd = origin + offset(random);
            const TSubSolarPoint shared = track.At(jd);
            TSunData sun;
            const TMoonData moon = MoonPosition(jd, o, sun);
            worstColongitude = std::max(
                worstColongitude, std::fabs(AngleDiff(shared.ColongitudeDeg, moon.ColongitudeDeg)));
            worstLatitude =
                std::max(worstLatitude, std::fabs(shared.LatitudeRad - moon.SubSolarLatRad));
        }
        EXPECT_LT(worstColongitude, 1e-9) << origin;
        EXPECT_LT(RadToDeg(worstLatitude), 1e-9) << origin;
        // Each grid instant was computed once, however many of the 3000 instants used it.
        EXPECT_LE(track.ComputedInstants(),
                  static_cast<int>((MinSubSolarDays + MaxSubSolarDays) / SubSolarStepDays) + 1);
    }
}

TEST(SubSolarTrack, GridInstantsAndInstantsOutsideTheGridAreTheEphemerisItself) {
    const TObserver o = Place(-33.9, 151.2, 600);
    TSubSolarTrack track(Mar2026, o);
    for (double jd : {Mar2026, Mar2026 + 10.25, Mar2026 - MinSubSolarDays - 3.0,
                      Mar2026 + MaxSubSolarDays + 0.4, Mar2026 + 1e6}) {
        const TSubSolarPoint direct = SubSolarPoint(jd, o);
        const TSubSolarPoint shared = track.At(jd);
        EXPECT_NEAR(AngleDiff(shared.ColongitudeDeg, direct.ColongitudeDeg), 0.0, 1e-12) << jd;
        EXPECT_EQ(shared.LatitudeRad, direct.LatitudeRad) << jd;
    }
    // Nonsense instants fall back to the direct computation instead of indexing the grid.
    EXPECT_FALSE(std::isfinite(track.At(std::nan("")).ColongitudeDeg));
}

std::string Shown(const std::optional<TDateRec>& event) {
    return event ? DateTimeText(*event) : "none";
}

TEST(SubSolarTrack, SharedSearchFindsTheSameMinuteAsTheDirectOne) {
    // 200 features scattered over the disc, the poles included: the listing's texts must not
    // change because the Sun's place is shared.
    const TObserver o = Place(78, 15, 60);
    const double start = Mar2026 + 0.3;
    TSubSolarTrack track(o.UTOfLocal(start), o);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> lat(-89.9, 89.9);
    std::uniform_real_distribution<double> lon(-180.0, 180.0);
    for (int i = 0; i < 200; ++i) {
        const double b = i < 4 ? (i % 2 ? 89.67 : -89.67) : lat(random);
        const double l = lon(random);
        const TFeatureSunTimes direct = FeatureSunTimes(b, l, start, start + 9.7, o);
        const TFeatureSunTimes shared = FeatureSunTimes(b, l, start, start + 9.7, track);
        EXPECT_EQ(Shown(direct.Sunrise), Shown(shared.Sunrise)) << b << " " << l;
        EXPECT_EQ(Shown(direct.Sunset), Shown(shared.Sunset)) << b << " " << l;
    }
}

TEST(SubSolarTrack, SunOverFeatureAtTheSubsolarPointAndOnTheTerminator) {
    // Meeus, ch. 53: the Sun stands in the zenith of the point at longitude 90 - c0 and
    // latitude b0, and on the horizon 90 degrees away; it climbs on the morning terminator.
    const TSubSolarPoint sun{30.0, DegToRad(1.5)};
    EXPECT_NEAR(SunOverFeature(sun, 1.5, 60.0).AltitudeDeg, 90.0, 1e-6);
    const TFeatureSun morning = SunOverFeature(sun, 0.0, -30.0);
    EXPECT_NEAR(morning.AltitudeDeg, 0.0, 1e-9);
    EXPECT_TRUE(morning.Rising);
    const TFeatureSun evening = SunOverFeature(sun, 0.0, 150.0);
    EXPECT_NEAR(evening.AltitudeDeg, 0.0, 1e-9);
    EXPECT_FALSE(evening.Rising);
    EXPECT_NEAR(SunOverFeature(sun, 0.0, -25.0).AltitudeDeg, 5.0, 0.01);
}

} // namespace
