#include <gtest/gtest.h>

#include <cmath>

#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/seasons.h"
#include "engine/sun.h"

namespace {

TObserver Greenwich(double latitudeDeg = 51.48) {
    TObserver o;
    o.ObserverLatitude = DegToRad(latitudeDeg);
    return o;
}

double UtJD(int year, int month, int day, int hour, int minute) {
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(year);
    d.Month = static_cast<std::uint16_t>(month);
    d.Day = static_cast<std::uint16_t>(day);
    d.Hour = static_cast<std::uint16_t>(hour);
    d.Minute = static_cast<std::uint16_t>(minute);
    return JulianDay(d);
}

TEST(Seasons, JuneSolstice1962FromTheBook) {
    // Meeus, Astronomical Algorithms, ex. 27.a: JDE 2437837.39245 (21 June 1962, 21h25m TD),
    // found with the complete VSOP87; the truncated series of Appendix III differ by about 1".
    const TSeasons s = SeasonsOfYear(1962, Greenwich());
    EXPECT_NEAR(s.Events[JuneSolstice].JDE, 2437837.39245, 60.0 / 86400.0);
}

TEST(Seasons, PublishedInstantsToAboutAMinute) {
    // Equinoxes and solstices in UT as published by the US Naval Observatory, to the rounded
    // minute; the estimate of Delta T adds up to 20 s.
    struct Case {
        int year, event, month, day, hour, minute;
    };
    const Case cases[] = {
        {2000, 0, 3, 20, 7, 35},   {2000, 1, 6, 21, 1, 48},  {2000, 2, 9, 22, 17, 27},
        {2000, 3, 12, 21, 13, 37}, {2024, 0, 3, 20, 3, 6},   {2024, 1, 6, 20, 20, 51},
        {2024, 2, 9, 22, 12, 44},  {2024, 3, 12, 21, 9, 20},
    };
    double worst = 0.0;
    for (const Case& c : cases) {
        const TSeasons s = SeasonsOfYear(c.year, Greenwich());
        const double ut = s.Events[c.event].JDE - DeltaT(c.year) / 86400.0;
        const double errorMinutes = (ut - UtJD(c.year, c.month, c.day, c.hour, c.minute)) * 1440.0;
        worst = std::max(worst, std::fabs(errorMinutes));
        EXPECT_NEAR(errorMinutes, 0.0, 1.0) << c.year << " event " << c.event;
    }
    RecordProperty("WorstMinutes", std::to_string(worst));
}

TEST(Seasons, TextsLengthsAndHemispheres) {
    TObserver london = Greenwich();
    london.ZoneMinutes = 0;
    const TSeasons north = SeasonsOfYear(2024, london);
    // 20 March 2024 03:06 UT; half a minute is added so the minute shown is rounded.
    EXPECT_EQ(north.Events[MarchEquinox].Display, "03:06   20 Mar");
    EXPECT_EQ(north.Events[MarchEquinox].DateTimeText.substr(0, 5), "03:06");
    EXPECT_EQ(north.Events[MarchEquinox].EventName, "March equinox");
    EXPECT_EQ(north.Events[MarchEquinox].SeasonName, "Spring");
    EXPECT_EQ(north.Rows[0], MarchEquinox);
    // Season lengths near 92.8, 93.6, 89.8 and 89.0 days, cut to hundredths.
    const double expected[4] = {92.76, 93.65, 89.84, 88.99};
    double total = 0.0;
    for (int e = 0; e < 4; ++e) {
        const TSeasonEvent& ev = north.Events[e];
        EXPECT_NEAR(ev.LengthDays, expected[e], 0.05) << e;
        EXPECT_DOUBLE_EQ(ev.LengthDays * 100.0, std::round(ev.LengthDays * 100.0)) << e;
        EXPECT_EQ(ev.LengthText.substr(ev.LengthText.size() - 5), " days");
        total += ev.LengthDays;
    }
    EXPECT_NEAR(total, 365.2422, 0.05);

    // An eastern zone moves the local time: Sydney in daylight saving time, 14:06 on 20 March.
    TObserver sydney = Greenwich(-33.87);
    sydney.ZoneMinutes = 600;
    sydney.DstMinutes = 60;
    const TSeasons south = SeasonsOfYear(2024, sydney);
    EXPECT_FALSE(south.Northern);
    EXPECT_EQ(south.Events[MarchEquinox].Display, "14:06   20 Mar");
    EXPECT_EQ(south.Rows[0], SeptemberEquinox); // Spring row: September, its own length
    EXPECT_EQ(south.Events[SeptemberEquinox].SeasonName, "Spring");
    EXPECT_EQ(south.Events[DecemberSolstice].SeasonName, "Summer");
    EXPECT_EQ(south.Events[MarchEquinox].SeasonName, "Autumn");
    EXPECT_EQ(south.Events[JuneSolstice].SeasonName, "Winter");
    EXPECT_DOUBLE_EQ(south.Events[SeptemberEquinox].LengthDays,
                     north.Events[SeptemberEquinox].LengthDays);
}

TEST(Seasons, EveryYearFrom1To9999ConvergesInItsMonth) {
    const TObserver o = Greenwich();
    double worstDeg = 0.0;
    int worstYear = 0;
    for (int year = 1; year <= 9999; year += 37) {
        const TSeasons s = SeasonsOfYear(year, o);
        for (int e = 0; e < 4; ++e) {
            const double lambda = SunPosition(s.Events[e].JDE, o).ApparentLongitude;
            const double miss = std::fabs(std::remainder(lambda - 90.0 * e, 360.0));
            if (miss > worstDeg) {
                worstDeg = miss;
                worstYear = year;
            }
            ASSERT_EQ(JDToDate(s.Events[e].JDE).Month, 3 * (e + 1)) << year << " event " << e;
        }
    }
    EXPECT_LT(worstDeg, 1e-6) << "worst year " << worstYear;
}

} // namespace
