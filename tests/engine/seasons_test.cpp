// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/almanac_text.h"
#include "engine/seasons.h"
#include "engine/sun.h"
#include "engine/text_helpers.h"
#include "engine_test_helpers.h"

namespace {

TEST(Seasons, BookAndPublishedInstants) {
    const TObserver greenwich = Place(51.48, 0.0, 0);
    // Meeus, Astronomical Algorithms, ex. 27.a: JDE 2437837.39245, found with the complete
    // VSOP87; the truncated series of Appendix III differ by about 1".
    EXPECT_NEAR(SeasonsOfYear(1962, greenwich).Of(TSeasonEventKind::JuneSolstice).JDE,
                2437837.39245, 60.0 / 86400.0);
    // UT instants published by the US Naval Observatory to the rounded minute; the Delta T
    // estimate adds up to 20 s. {year, event, month, day, hour, minute}
    const int published[][6] = {{2000, 0, 3, 20, 7, 35},  {2000, 1, 6, 21, 1, 48},
                                {2000, 2, 9, 22, 17, 27}, {2000, 3, 12, 21, 13, 37},
                                {2024, 0, 3, 20, 3, 6},   {2024, 1, 6, 20, 20, 51},
                                {2024, 2, 9, 22, 12, 44}, {2024, 3, 12, 21, 9, 20}};
    for (const auto& p : published) {
        const double ut = SeasonsOfYear(p[0], greenwich).Events[p[1]].JDE - DeltaT(p[0]) / 86400;
        EXPECT_NEAR((ut - JulianDay(Date(p[0], p[2], p[3], p[4], p[5]))) * 1440.0, 0.0, 1.0)
            << p[0] << " event " << p[1];
    }
    // Every 37th year from 1 to 9999 converges on the Sun's longitude, in its month.
    for (int year = 1; year <= 9999; year += 37) {
        const TSeasons s = SeasonsOfYear(year, greenwich);
        for (int e = 0; e < 4; ++e) {
            const double lambda = SunPosition(s.Events[e].JDE, greenwich).ApparentLongitude;
            ASSERT_NEAR(std::remainder(lambda - 90.0 * e, 360.0), 0.0, 1e-6) << year;
            ASSERT_EQ(JDToDate(s.Events[e].JDE).Month, 3 * (e + 1)) << year << " event " << e;
        }
    }
}

TEST(Seasons, TextsLengthsAndHemispheres) {
    const TSeasons north = SeasonsOfYear(2024, Place(51.48, 0.0, 0));
    // 20 March 2024 03:06 UT; half a minute is added so the minute shown is rounded.
    const TSeasonEvent& march = north.Of(TSeasonEventKind::MarchEquinox);
    EXPECT_EQ(SeasonShortText(march), "03:06   20 Mar");
    EXPECT_EQ(SeasonDateTimeText(march), "03:06:39  20 March 2024");
    EXPECT_EQ(SeasonEventName(march.Kind), "March equinox");
    EXPECT_EQ(SeasonName(march.Season), "Spring");
    const double lengths[4] = {92.76, 93.65, 89.84, 88.99}; // about, in 2024
    double total = 0.0;
    for (int e = 0; e < 4; ++e) {
        const TSeasonEvent& ev = north.Events[e];
        EXPECT_NEAR(ev.LengthDays, lengths[e], 0.05) << e;
        EXPECT_DOUBLE_EQ(ev.LengthDays * 100.0, std::round(ev.LengthDays * 100.0)) << e;
        EXPECT_EQ(SeasonLengthText(ev), GeneralNumberText(ev.LengthDays) + " days");
        total += ev.LengthDays;
    }
    EXPECT_NEAR(total, 365.2422, 0.05);

    // Sydney in summer time: 14:06 on 20 March, and the rows carry southern seasons.
    const TSeasons south = SeasonsOfYear(2024, Place(-33.87, 151.2, 600, 60));
    EXPECT_EQ(south.Hemisphere, THemisphere::Southern);
    EXPECT_EQ(SeasonShortText(south.Of(TSeasonEventKind::MarchEquinox)), "14:06   20 Mar");
    EXPECT_EQ(south.Beginning(TSeason::Spring).Kind, TSeasonEventKind::SeptemberEquinox);
    EXPECT_EQ(north.Beginning(TSeason::Spring).Kind, TSeasonEventKind::MarchEquinox);
    const TSeason seasons[4] = {TSeason::Autumn, TSeason::Winter, TSeason::Spring, TSeason::Summer};
    for (int e = 0; e < 4; ++e) {
        EXPECT_EQ(south.Events[e].Season, seasons[e]);
        EXPECT_EQ(south.Beginning(seasons[e]).Kind, south.Events[e].Kind);
    }
    const auto september = TSeasonEventKind::SeptemberEquinox;
    EXPECT_EQ(south.Of(september).LengthDays, north.Of(september).LengthDays);
}

} // namespace
