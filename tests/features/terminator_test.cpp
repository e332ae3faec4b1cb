// SPDX-License-Identifier: GPL-3.0-or-later
// Tonight on the terminator: the night's best moment and its span, the features listed at it.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>

#include "engine/angles.h"
#include "engine/engine_test_helpers.h"
#include "engine/moon.h"
#include "features/terminator.h"

namespace {

double MinutesOfDay(double jd, const TObserver& o) {
    const TDateRec t = LocalMinute(jd, o);
    return t.Hour * 60 + t.Minute;
}

struct TSky {
    double Moon;
    double Sun;
};
TSky SkyAt(double jd, const TObserver& o) {
    TSunData sun;
    const TMoonData moon = MoonPosition(jd, o, sun);
    return {moon.AltitudeDeg, sun.Altitude};
}

const std::vector<TTerminatorCandidate>& Craters() {
    static const TTerminatorCandidates loaded = LoadTerminatorCandidates({"Craters"}, "Data");
    return loaded.Features;
}

bool Lists(const std::vector<TTerminatorFeature>& side, const std::string& name) {
    for (const TTerminatorFeature& f : side)
        if (f.Feature.Name == name) return true;
    return false;
}

// First quarter, 25 March 2026 19:18 UT, seen from 50 N 10 E (zone +1 h).
const TObserver Europe = Place(50, 10, 60);

TEST(ObservingNight, FirstQuarterEveningIsDarkFromNauticalDuskWithTheMoonHigh) {
    const TObservingNight night = BestObservingMoment(2026, 3, 25, Europe);
    ASSERT_EQ(night.Sky, TNightSky::Dark);
    // Nautical dusk there that evening is near 19:55 local; the first-quarter Moon, past its
    // transit at sunset, is highest as the sky gets dark, so the best moment opens the span.
    EXPECT_NEAR(MinutesOfDay(night.StartJD, Europe), 19 * 60 + 55, 12);
    EXPECT_NEAR(night.BestJD, night.StartJD, 1.5 / 1440);
    EXPECT_LE(night.StartJD, night.BestJD);
    EXPECT_LE(night.BestJD, night.EndJD);
    // The span ends when the setting Moon drops below 15 degrees, after midnight.
    EXPECT_GT(night.EndJD - night.StartJD, 4.0 / 24);
    EXPECT_LT(night.EndJD - night.StartJD, 8.0 / 24);
    EXPECT_NEAR(night.Illumination, 50, 6);
    // The span is whole: the conditions hold just inside both edges and fail just outside.
    const double second = 1.0 / 86400;
    for (double jd : {night.StartJD + 2 * second, night.EndJD - 2 * second, night.BestJD}) {
        const TSky sky = SkyAt(jd, Europe);
        EXPECT_GE(sky.Moon, ObservingMoonAltitudeDeg) << jd;
        EXPECT_LE(sky.Sun, DarkSkySunAltitudeDeg) << jd;
    }
    EXPECT_GT(SkyAt(night.StartJD - 30 * second, Europe).Sun, DarkSkySunAltitudeDeg);
    EXPECT_LT(SkyAt(night.EndJD + 30 * second, Europe).Moon, ObservingMoonAltitudeDeg);
}

TEST(ObservingNight, MoonlessAndNeverDarkNights) {
    // New moon on 19 March 2026: the Moon sets with the Sun and rises with it.
    const TObservingNight newMoon = BestObservingMoment(2026, 3, 19, Europe);
    EXPECT_EQ(newMoon.Sky, TNightSky::None);
    EXPECT_TRUE(TerminatorFeatures(Craters(), newMoon, 0).Sunrise.empty());

    // Full moon of 29 June 2026 at 60 N: the Sun sinks only to about -6.5 degrees, so the
    // night falls back on the Moon's time above the horizon while the Sun is down.
    const TObserver oslo = Place(60, 10.75, 60, 60);
    const TObservingNight light = BestObservingMoment(2026, 6, 29, oslo);
    ASSERT_EQ(light.Sky, TNightSky::Twilight);
    EXPECT_GT(light.MoonAltitudeDeg, 0.0);
    EXPECT_LT(light.SunAltitudeDeg, 0.0);
    EXPECT_GT(light.SunAltitudeDeg, DarkSkySunAltitudeDeg);
    EXPECT_LT(light.StartJD, light.EndJD);
    // The best moment is the Moon's highest point in that span, near local midnight.
    for (double jd = light.StartJD; jd <= light.EndJD; jd += 5.0 / 1440)
        EXPECT_LE(SkyAt(jd, oslo).Moon, light.MoonAltitudeDeg + 1e-9);

    // 70 N at midsummer: the Sun never sets, so there is no night at all.
    EXPECT_EQ(BestObservingMoment(2026, 6, 21, Place(70, 25, 120)).Sky, TNightSky::None);
}

TEST(ObservingNight, NextNightAfterAMoonlessOne) {
    // After the new moon of 19 March 2026 the young crescent stands above 15 degrees in a dark
    // sky within a few evenings: the first such night, and none before it.
    const std::optional<TDateRec> next = NextObservingNight(2026, 3, 19, Europe);
    ASSERT_TRUE(next.has_value());
    const double from = JulianDayOf(2026, 3, 19);
    const double nextJD = JulianDayOf(next->Year, next->Month, next->Day);
    EXPECT_GT(nextJD, from);
    EXPECT_LE(nextJD, from + 5);
    EXPECT_NE(BestObservingMoment(next->Year, next->Month, next->Day, Europe).Sky, TNightSky::None);
    for (double jd = from + 1; jd < nextJD; ++jd) {
        const TDateRec d = JDToDate(jd);
        EXPECT_EQ(BestObservingMoment(d.Year, d.Month, d.Day, Europe).Sky, TNightSky::None);
    }
    // Midsummer at 80 N: the Sun stays up for weeks, so nothing within the search.
    EXPECT_FALSE(NextObservingNight(2026, 6, 1, Place(80, 15, 60)).has_value());
}

TEST(TerminatorList, FirstQuarterListsTheCentralMorningTerminatorAndNothingBeyondIt) {
    const TObservingNight night = BestObservingMoment(2026, 3, 25, Europe);
    const TTerminatorList list = TerminatorFeatures(Craters(), night, DefaultTerminatorMinKm);
    ASSERT_GT(list.Sunrise.size(), 10u);
    // At first quarter the morning terminator runs close to the central meridian: craters
    // known to lie on it then (Albategnius 4 E, Hipparchus 5 E) are listed...
    EXPECT_TRUE(Lists(list.Sunrise, "Albategnius"));
    EXPECT_TRUE(Lists(list.Sunrise, "Hipparchus"));
    int central = 0;
    for (const TTerminatorFeature& f : list.Sunrise) {
        // ...every sunrise-side feature away from the poles lies within a few degrees of it...
        if (std::fabs(f.Feature.LatitudeDeg) < 40) {
            EXPECT_NEAR(f.Feature.LongitudeDeg, 0, 10) << f.Feature.Name;
        }
        central += std::fabs(f.Feature.LongitudeDeg) < 10 && std::fabs(f.Feature.LatitudeDeg) < 30;
    }
    EXPECT_GE(central, 5);
    // ...while craters still in the night west of it (Copernicus, Plato, Tycho, Clavius) and
    // those already in full sunlight east of it (Theophilus, Langrenus) are not.
    for (const char* name :
         {"Copernicus", "Plato", "Tycho", "Clavius", "Theophilus", "Langrenus"}) {
        EXPECT_FALSE(Lists(list.Sunrise, name)) << name;
        EXPECT_FALSE(Lists(list.Sunset, name)) << name;
    }
    // The evening terminator is on the far side of the Moon at first quarter: only craters by
    // the poles, where both terminators meet, can be on it.
    for (const TTerminatorFeature& f : list.Sunset)
        EXPECT_GT(std::fabs(f.Feature.LatitudeDeg), 80) << f.Feature.Name;
}

TEST(TerminatorList, SortedByTheSunsAltitudeWithinBoundsAndTheSizeFilter) {
    // A day and a half after full moon (night of 3 April 2026) the evening terminator crosses
    // the eastern half of the disc.
    const TObservingNight night = BestObservingMoment(2026, 4, 3, Europe);
    ASSERT_EQ(night.Sky, TNightSky::Dark);
    const TTerminatorList all = TerminatorFeatures(Craters(), night, 0.0);
    const TTerminatorList big = TerminatorFeatures(Craters(), night, 50.0);
    ASSERT_FALSE(all.Sunset.empty());
    for (const auto* side : {&all.Sunrise, &all.Sunset}) {
        for (size_t i = 0; i < side->size(); ++i) {
            const TTerminatorFeature& f = (*side)[i];
            EXPECT_GE(f.SunAltitudeDeg, TerminatorMinSunDeg);
            EXPECT_LE(f.SunAltitudeDeg, TerminatorMaxSunDeg);
            if (i > 0) {
                EXPECT_LE((*side)[i - 1].SunAltitudeDeg, f.SunAltitudeDeg) << i;
            }
            // Checked against the engine's own feature altitude at the best moment.
            EXPECT_NEAR(FeatureSunAltitude(f.Feature.LatitudeDeg, f.Feature.LongitudeDeg,
                                           night.BestJD, Europe),
                        f.SunAltitudeDeg, 1e-9);
        }
    }
    // The size filter keeps exactly the features of at least 50 km and counts the others.
    std::set<std::string> expected;
    int small = all.SmallHidden;
    for (const auto* side : {&all.Sunrise, &all.Sunset})
        for (const TTerminatorFeature& f : *side)
            if (f.Feature.DiameterKm >= 50.0)
                expected.insert(f.Feature.Name);
            else
                ++small;
    std::set<std::string> got;
    for (const auto* side : {&big.Sunrise, &big.Sunset})
        for (const TTerminatorFeature& f : *side)
            got.insert(f.Feature.Name);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(big.SmallHidden, small);
    EXPECT_GT(small, 0);
}

TEST(TerminatorList, FeaturesOnTheFarSideAndOfUnknownSizeAreLeftOut) {
    TObservingNight night;
    night.Sky = TNightSky::Dark;
    night.Sun = {0.0, 0.0}; // the morning terminator on the central meridian
    const std::vector<TTerminatorCandidate> candidates = {
        {{"Near", 0.0, 2.0, 30.0, ""}, "Craters"},
        {{"Behind", 0.0, 182.0, 30.0, ""}, "Craters"}, // the far side's evening terminator
        {{"Unknown", 0.0, 2.0, std::nan(""), ""}, "Craters"},
        {{"Dark", 0.0, -2.0, 30.0, ""}, "Craters"}, // still in the night
    };
    const TTerminatorList list = TerminatorFeatures(candidates, night, 0.0);
    ASSERT_EQ(list.Sunrise.size(), 1u);
    EXPECT_EQ(list.Sunrise[0].Feature.Name, "Near");
    EXPECT_NEAR(list.Sunrise[0].SunAltitudeDeg, 2.0, 1e-9);
    EXPECT_TRUE(list.Sunset.empty());
    EXPECT_EQ(list.SmallHidden, 1);
    night.Sky = TNightSky::None;
    EXPECT_TRUE(TerminatorFeatures(candidates, night, 0.0).Sunrise.empty());
}

TEST(TerminatorList, LocalMinuteRoundsToTheNearestMinuteInCivilTime) {
    // 2026-03-25 19:59:40 UT is 21:00 in zone +1 h; 19:59:20 UT is 20:59.
    const double jd = 2461124.5 + (19 * 3600 + 59 * 60 + 40) / 86400.0;
    const TDateRec a = LocalMinute(jd, Europe);
    EXPECT_EQ(a.Hour, 21);
    EXPECT_EQ(a.Minute, 0);
    EXPECT_EQ(a.Day, 25);
    const TDateRec b = LocalMinute(jd - 20.0 / 86400, Europe);
    EXPECT_EQ(b.Hour, 20);
    EXPECT_EQ(b.Minute, 59);
    const TDateRec c = LocalMinute(2461124.5 + (23 * 3600 + 59 * 60 + 50) / 86400.0, Europe);
    EXPECT_EQ(c.Day, 26);
    EXPECT_EQ(c.Hour, 1);
    EXPECT_EQ(c.Minute, 0);
}

} // namespace
