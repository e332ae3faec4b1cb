// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "engine/feature_sun.h"
#include "engine/moon.h"
#include "engine/text_helpers.h"
#include "engine_test_helpers.h"

namespace {

constexpr double Jan2024 = 2460310.5; // 1 January 2024, 0h

TEST(FeatureSun, EquatorialFeaturesFollowTheColongitude) {
    // Meeus, ch. 53: the morning terminator lies at longitude 360 - c0, so a feature at
    // longitude lambda east sees sunrise at c0 = 360 - lambda and sunset at c0 = 180 - lambda.
    const TObserver o = Place(51.5, 0, 0);
    TSunData sun;
    for (double lon : {0.0, 30.0, -45.0}) {
        const std::optional<double> rise =
            FeatureSunEvent(TFeatureSunEvent::Sunrise, 0.0, lon, Jan2024, o);
        const std::optional<double> set =
            FeatureSunEvent(TFeatureSunEvent::Sunset, 0.0, lon, Jan2024, o);
        ASSERT_TRUE(rise && set) << lon;
        const TMoonData atRise = MoonPosition(*rise, o, sun);
        EXPECT_NEAR(std::remainder(atRise.ColongitudeDeg + lon, 360.0), 0.0, 0.1) << lon;
        EXPECT_NEAR(std::remainder(MoonPosition(*set, o, sun).ColongitudeDeg + lon - 180, 360), 0,
                    0.1);
        EXPECT_TRUE(lon != 0.0 || std::abs(atRise.IlluminationPercent - 50) <= 6); // first quarter
    }
}

TEST(FeatureSun, NextEventIsTheFirstAtOrAfterTheSelectedMomentInLocalTime) {
    const TObserver o = Place(51.5, 0, 120);
    const double zone = o.LocalOffsetDaysAt(Jan2024);
    for (int month = 0; month < 12; ++month) {
        const double start = Jan2024 + 30.5 * month + 0.3; // local: first of a month, 07:12
        const double selected = start + 2.7 * month;
        for (double lat : {-70.0, 0.0, 45.0, 80.0}) {
            for (double lon : {-80.0, 0.0, 60.0}) {
                for (TFeatureSunEvent kind :
                     {TFeatureSunEvent::Sunrise, TFeatureSunEvent::Sunset}) {
                    const auto e = NextFeatureSunEvent(kind, lat, lon, start, selected, o);
                    const std::string what = std::to_string(lat) + " " + std::to_string(lon) +
                                             " kind " + std::to_string(static_cast<int>(kind));
                    ASSERT_TRUE(e.has_value()) << what;
                    ASSERT_TRUE(e->JD >= selected && e->JD < selected + 29.6) << what;
                    EXPECT_NEAR(JulianDay(*e), e->JD, 1.0 / 86400.0);
                    // The Sun is on the horizon, rising (setting), and did not cross it the
                    // same way between the selected moment and the event.
                    const double h = FeatureSunAltitude(lat, lon, e->JD - zone, o);
                    EXPECT_LT(std::fabs(h), 0.05) << what;
                    const bool up = kind == TFeatureSunEvent::Sunrise;
                    EXPECT_EQ(FeatureSunAltitude(lat, lon, e->JD - zone + 0.5, o) > h, up) << what;
                    double before = FeatureSunAltitude(lat, lon, selected - zone, o);
                    for (double t = selected + 0.5; t < e->JD - 0.5; t += 0.5) {
                        const double now = FeatureSunAltitude(lat, lon, t - zone, o);
                        ASSERT_FALSE(up ? (before < 0 && now >= 0) : (before > 0 && now <= 0))
                            << what;
                        before = now;
                    }
                }
            }
        }
    }
    // The same UT moments seen from Sydney: the same events, ten hours later on the clock.
    const TObserver sydney = Place(-33.9, 151.2, 600);
    const TFeatureSunTimes a = FeatureSunTimes(-43.3, -11.2, Jan2024, Jan2024 + 9.25, o);
    const double shift = sydney.LocalOffsetDaysAt(Jan2024) - zone;
    const TFeatureSunTimes b =
        FeatureSunTimes(-43.3, -11.2, Jan2024 + shift, Jan2024 + 9.25 + shift, sydney);
    ASSERT_TRUE(a.Sunrise && a.Sunset && b.Sunrise && b.Sunset);
    EXPECT_NEAR(b.Sunrise->JD - a.Sunrise->JD, shift, 1e-6);
    EXPECT_NEAR(b.Sunset->JD - a.Sunset->JD, shift, 1e-6);
}

TEST(FeatureSun, SelectedMomentOnAnEventAndFeaturesNearThePolesFinish) {
    const TObserver o = Place(51.5, 0, 60);
    // A selected moment exactly on an event: that event is the next one.
    const std::optional<double> first =
        FeatureSunEvent(TFeatureSunEvent::Sunrise, 10, 20, Jan2024, o);
    ASSERT_TRUE(first.has_value());
    const double selected = o.LocalOf(*first);
    const auto next =
        NextFeatureSunEvent(TFeatureSunEvent::Sunrise, 10, 20, Jan2024 + 1 / 24.0, selected, o);
    ASSERT_TRUE(next.has_value());
    EXPECT_DOUBLE_EQ(next->JD, selected);

    // Near the poles the Sun may stay on one side of the horizon for months: the searches
    // end quickly, and what they find is on the horizon, or they say "not found".
    const auto begin = std::chrono::steady_clock::now();
    int notFound = 0;
    for (double lat : {89.99, -89.99, 90.0, -90.0}) {
        for (double start = Jan2024; start < Jan2024 + 366; start += 30.5) {
            const TFeatureSunTimes t = FeatureSunTimes(lat, 15.0, start, start + 3.0, o);
            notFound += !t.Sunrise + !t.Sunset;
            if (t.Sunrise) {
                EXPECT_GE(t.Sunrise->JD, start + 3.0);
                const double ut = o.UTOfLocal(t.Sunrise->JD);
                EXPECT_LT(std::fabs(FeatureSunAltitude(lat, 15.0, ut, o)), 0.25) << lat;
            }
        }
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 20);
    EXPECT_GT(notFound, 0);
}

} // namespace
