#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "engine/angles.h"
#include "engine/feature_sun.h"
#include "engine/moon.h"

namespace {

TObserver Observer(int zoneMinutes = 0) {
    TObserver o;
    o.ObserverLatitude = DegToRad(51.5);
    o.ZoneMinutes = zoneMinutes;
    return o;
}

double Colongitude(double jd, const TObserver& o) {
    TSunData sun;
    return MoonPosition(jd, o, sun).Colongitude;
}

// Difference of two angles, -180..180.
double AngleDiff(double a, double b) {
    return std::remainder(a - b, 360.0);
}

constexpr double Jan2024 = 2460310.5; // 1 January 2024, 0h

TEST(FeatureSun, EquatorialFeaturesFollowTheColongitude) {
    // Meeus, ch. 53: the morning terminator lies at longitude 360 - c0, so a feature at
    // longitude lambda east sees sunrise at c0 = 360 - lambda and sunset at c0 = 180 - lambda.
    const TObserver o = Observer();
    for (double lon : {0.0, 30.0, -45.0}) {
        const std::optional<double> rise = FeatureSunEvent(FeatureSunrise, 0.0, lon, Jan2024, o);
        const std::optional<double> set = FeatureSunEvent(FeatureSunset, 0.0, lon, Jan2024, o);
        ASSERT_TRUE(rise && set) << lon;
        EXPECT_NEAR(AngleDiff(Colongitude(*rise, o), 360.0 - lon), 0.0, 0.1) << lon;
        EXPECT_NEAR(AngleDiff(Colongitude(*set, o), 180.0 - lon), 0.0, 0.1) << lon;
        EXPECT_LT(std::fabs(*rise - Jan2024), 16.0);
    }
    // Longitude 0: sunrise near first quarter (half lit, waxing), sunset near last quarter.
    const std::optional<double> rise = FeatureSunEvent(FeatureSunrise, 0.0, 0.0, Jan2024, o);
    TSunData sun;
    EXPECT_NEAR(MoonPosition(*rise, o, sun).Illumination, 50, 6);
}

TEST(FeatureSun, NextEventIsTheFirstOneAtOrAfterTheSelectedMoment) {
    const TObserver o = Observer(120);
    double worstAltitude = 0.0;
    for (int month = 0; month < 12; ++month) {
        const double start = Jan2024 + 30.5 * month + 0.3; // local, first of a month at 07:12
        const double selected = start + 2.7 * month;
        for (double lat : {-70.0, -30.0, 0.0, 45.0, 80.0}) {
            for (double lon : {-80.0, 0.0, 60.0}) {
                for (int kind : {FeatureSunrise, FeatureSunset}) {
                    const std::optional<TDateRec> e =
                        NextFeatureSunEvent(kind, lat, lon, start, selected, o);
                    ASSERT_TRUE(e.has_value()) << lat << " " << lon << " kind " << kind;
                    const double ut = e->JD - o.LocalOffsetDays();
                    EXPECT_NEAR(JulianDay(*e), e->JD, 1.0 / 86400.0);
                    ASSERT_GE(e->JD, selected);
                    // Within one synodic month of the selected moment ...
                    ASSERT_LT(e->JD - selected, 29.6) << lat << " " << lon << " kind " << kind;
                    // ... the Sun stands on the horizon and is rising (or setting) ...
                    const double h = FeatureSunAltitude(lat, lon, ut, o);
                    worstAltitude = std::max(worstAltitude, std::fabs(h));
                    const double later = FeatureSunAltitude(lat, lon, ut + 0.5, o);
                    EXPECT_EQ(later > h, kind == FeatureSunrise)
                        << lat << " " << lon << " kind " << kind << " h " << h << " later " << later
                        << " " << DateTimeText(*e);
                    // ... and no such crossing lies between the selected moment and it.
                    double before = FeatureSunAltitude(lat, lon, selected - o.LocalOffsetDays(), o);
                    for (double t = selected + 0.5; t < e->JD - 0.5; t += 0.5) {
                        const double now = FeatureSunAltitude(lat, lon, t - o.LocalOffsetDays(), o);
                        const bool crossing = kind == FeatureSunrise ? (before < 0 && now >= 0)
                                                                     : (before > 0 && now <= 0);
                        ASSERT_FALSE(crossing) << lat << " " << lon << " kind " << kind;
                        before = now;
                    }
                }
            }
        }
    }
    EXPECT_LT(worstAltitude, 0.05);
}

TEST(FeatureSun, TimesAreLocalAndTheTextsDateTimeTexts) {
    // The same UT moments seen from two time zones give the same events, ten hours apart.
    const TObserver utc = Observer(0);
    const TObserver sydney = Observer(600);
    const double zone = 600 / 1440.0;
    const TFeatureSunTimes a = FeatureSunTimes(-43.3, -11.2, Jan2024 + 0.5, Jan2024 + 9.25, utc);
    const TFeatureSunTimes b =
        FeatureSunTimes(-43.3, -11.2, Jan2024 + 0.5 + zone, Jan2024 + 9.25 + zone, sydney);
    ASSERT_TRUE(a.SunriseFound && a.SunsetFound && b.SunriseFound && b.SunsetFound);
    EXPECT_NEAR(b.Sunrise.JD - a.Sunrise.JD, zone, 1e-6);
    EXPECT_NEAR(b.Sunset.JD - a.Sunset.JD, zone, 1e-6);
    EXPECT_EQ(a.SunriseText, DateTimeText(a.Sunrise));
    EXPECT_EQ(b.SunsetText, DateTimeText(b.Sunset));
}

TEST(FeatureSun, SelectedMomentExactlyOnAnEventFinishes) {
    const TObserver o = Observer(60);
    const double start = Jan2024 + 0.25;
    const std::optional<double> first =
        FeatureSunEvent(FeatureSunrise, 10.0, 20.0, start - o.LocalOffsetDays(), o);
    ASSERT_TRUE(first.has_value());
    const double selected = *first + o.LocalOffsetDays();
    const std::optional<TDateRec> next =
        NextFeatureSunEvent(FeatureSunrise, 10.0, 20.0, start, selected, o);
    ASSERT_TRUE(next.has_value());
    EXPECT_DOUBLE_EQ(next->JD, selected); // the event at the selected moment is the next one
}

TEST(FeatureSun, NearTheLunarPolesFinishesFastAndSaysNotFound) {
    const TObserver o = Observer();
    const auto begin = std::chrono::steady_clock::now();
    int notFound = 0;
    for (double lat : {89.99, -89.99, 90.0, -90.0, 89.0}) {
        for (int month = 0; month < 12; ++month) {
            const double start = Jan2024 + 30.5 * month;
            const TFeatureSunTimes t = FeatureSunTimes(lat, 15.0, start, start + 3.0, o);
            for (bool found : {t.SunriseFound, t.SunsetFound})
                notFound += found ? 0 : 1;
            if (!t.SunriseFound) {
                EXPECT_EQ(t.SunriseText, FeatureEventNotFound);
            }
            if (!t.SunsetFound) {
                EXPECT_EQ(t.SunsetText, FeatureEventNotFound);
            }
            if (t.SunriseFound) {
                EXPECT_GE(t.Sunrise.JD, start + 3.0);
                EXPECT_LT(std::fabs(FeatureSunAltitude(lat, 15.0, t.Sunrise.JD, o)), 0.25) << lat;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_LT(seconds, 20.0);
    EXPECT_GT(notFound, 0);
}

} // namespace
