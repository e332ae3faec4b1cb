// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/moon.h"
#include "engine/rise_set.h"
#include "engine_test_helpers.h"

namespace {

void ExpectSameEvent(const TRiseSetEvent& a, const TRiseSetEvent& b, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(a.Status, b.Status);
    EXPECT_EQ(a.LocalJD, b.LocalJD);
    EXPECT_EQ(a.Minute, b.Minute);
}

void ExpectSameTimes(const TRiseSetTimes& a, const TRiseSetTimes& b) {
    ExpectSameEvent(a.Rise, b.Rise, "rise");
    ExpectSameEvent(a.Transit, b.Transit, "transit");
    ExpectSameEvent(a.Set, b.Set, "set");
}

TEST(RiseSetDays, SameAsDayByDayAtEveryAltitudeAndPlace) {
    // Places where the twilights vanish, the Moon stays up or down, and zones far from UT.
    for (const TObserver& observer : {Place(51.48, 0, 0), Place(78.22, 15.65, 60),
                                      Place(-77.85, 166.67, 720, 60), Place(-9.8, -139.03, -570)}) {
        for (const auto& [year, month] : {std::pair{1900, 3}, {1969, 7}, {2024, 12}}) {
            std::vector<TDateRec> dates;
            for (int day = 1; day <= DaysInMonth(month, year); ++day)
                dates.push_back(Date(year, month, day));
            const std::vector<TDayRiseSet> days = RiseSetDays(dates, observer);
            ASSERT_EQ(days.size(), dates.size());
            for (size_t i = 0; i < dates.size(); ++i) {
                SCOPED_TRACE(testing::Message() << year << "-" << month << "-" << i + 1 << " lat "
                                                << RadToDeg(observer.ObserverLatitude));
                const TMoonRiseSet moon = MoonRiseSet(dates[i], observer);
                ExpectSameTimes(days[i].Moon.Events, moon.Events);
                ExpectSameTimes(MoonRiseSetTimes(dates[i], observer), moon.Events);
                EXPECT_EQ(days[i].Moon.Illumination, moon.Illumination);
                for (size_t a = 0; a < SunAltitudes.size(); ++a)
                    ExpectSameTimes(days[i].Sun[a],
                                    SunRiseSet(dates[i], SunAltitudes[a], observer));
            }
        }
    }
    EXPECT_TRUE(RiseSetDays({}, TObserver{}).empty());
}

TEST(RiseSetDays, MoonPlaceAloneIsThePositionsPlace) {
    // The light place must be the full position's, bit for bit, and the illuminated fraction
    // near a full moon (Meeus, ex. 48.a: 13 April 1992, k = 0.68) what the book gives.
    for (double jd = 2415020.5; jd < 2488070.5; jd += 731.37) {
        TSunData sun;
        const TMoonData full = MoonPosition(jd, TObserver{}, sun);
        const TMoonPlace place = MoonApparentPlace(jd);
        EXPECT_EQ(place.Equatorial.RADeg, full.Equatorial.RADeg) << jd;
        EXPECT_EQ(place.Equatorial.DecDeg, full.Equatorial.DecDeg) << jd;
        EXPECT_EQ(place.ParallaxDeg, full.ParallaxDeg) << jd;
        EXPECT_EQ(place.DistanceKm, full.DistanceKm) << jd;
        EXPECT_EQ(MoonIlluminationPercent(place, sun), full.IlluminationPercent) << jd;
    }
    const double jd = 2448724.5;
    EXPECT_EQ(MoonIlluminationPercent(MoonApparentPlace(jd), SunPosition(jd, TObserver{})), 68);
}

} // namespace
