#include <gtest/gtest.h>

#include <cmath>

#include "engine/angles.h"
#include "engine/lunar_eclipse.h"
#include "engine/phases.h"

namespace {

TObserver Place(double eastDeg, double northDeg, int zoneMinutes) {
    TObserver o;
    o.ObserverLongitude = DegToRad(-eastDeg);
    o.ObserverLatitude = DegToRad(northDeg);
    o.ZoneMinutes = zoneMinutes;
    return o;
}

EclipseCircumstances MonthEclipse(int year, int month, const TObserver& observer = {}) {
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(year);
    d.Month = static_cast<std::uint16_t>(month);
    TPhaseList list;
    const int n = MonthPhases(d, observer, list);
    return CheckForEclipse(list, n, year, observer);
}

TPhaseEntry FullMoon(double k) {
    TPhaseEntry e;
    e.K = k;
    return e;
}

double Minutes(double days) {
    return days * 1440.0;
}

TEST(LunarEclipse, BookExampleSeptember1997) {
    // Meeus, ex. 54.b: total eclipse of 16 September 1997.
    const EclipseCircumstances e = EclipseCalcs(FullMoon(-28.5), 1997, TObserver{});
    EXPECT_EQ(e.EclipseType, EclipseTotal);
    EXPECT_NEAR(e.Gamma, -0.3791, 1e-4);
    EXPECT_NEAR(e.PenRadius - 1.2848, -0.0131, 1e-4); // u
    EXPECT_NEAR(e.UmbralMag, 1.1868, 1e-4);
    EXPECT_NEAR(e.PenumbralMag, 2.1379, 1e-4);
    EXPECT_NEAR(e.Contacts[ContactMax], 2450708.2828, 1e-4);
    EXPECT_NEAR(Minutes(e.Contacts[ContactP4] - e.Contacts[ContactMax]), 153.4, 0.1);
    EXPECT_NEAR(Minutes(e.Contacts[ContactU4] - e.Contacts[ContactMax]), 97.7, 0.1);
    EXPECT_NEAR(Minutes(e.Contacts[ContactU3] - e.Contacts[ContactMax]), 30.3, 0.1);
    EXPECT_EQ(e.MaxTime, "18:47");
    EXPECT_EQ(e.DateText, "16 September 1997");
    EXPECT_EQ(e.MaxDate.Day, 16);
    for (int i = 1; i < 7; ++i)
        EXPECT_LT(e.Contacts[i - 1], e.Contacts[i]) << i;
    for (const std::string* t :
         {&e.PenStart, &e.UmbStart, &e.TotStart, &e.TotEnd, &e.UmbEnd, &e.PenEnd})
        EXPECT_EQ(t->size(), 5u);

    // Two hours east every time and the date move with the zone.
    const EclipseCircumstances east = EclipseCalcs(FullMoon(-28.5), 1997, Place(0, 0, 330));
    EXPECT_EQ(east.MaxTime, "00:17");
    EXPECT_EQ(east.DateText, "17 September 1997");
}

TEST(LunarEclipse, WellKnownEclipses) {
    // Greatest eclipse (UT), umbral and penumbral magnitude and |gamma| as published.
    const struct {
        int Year, Month, Type;
        double MaxHours, Umbral, Penumbral, Gamma;
    } cases[] = {
        {2016, 3, EclipsePenumbral, 11 + 47 / 60.0, -0.312, 0.775, 1.159},
        {2018, 1, EclipseTotal, 13 + 30 / 60.0, 1.316, 2.294, 0.301},
        {2022, 11, EclipseTotal, 10 + 59 / 60.0, 1.359, 2.416, 0.257},
        {2023, 10, EclipsePartial, 20 + 14 / 60.0, 0.122, 1.118, 0.947},
        {2024, 3, EclipsePenumbral, 7 + 13 / 60.0, -0.130, 0.956, 1.061},
    };
    for (const auto& c : cases) {
        const EclipseCircumstances e = MonthEclipse(c.Year, c.Month);
        ASSERT_EQ(e.EclipseType, c.Type) << c.Year << "-" << c.Month;
        const double jd = e.Contacts[ContactMax] + 0.5;
        const double hours = (jd - std::floor(jd)) * 24.0;
        EXPECT_NEAR(hours, c.MaxHours, 4.0 / 60) << c.Year;
        EXPECT_NEAR(e.UmbralMag, c.Umbral, 0.02) << c.Year;
        EXPECT_NEAR(e.PenumbralMag, c.Penumbral, 0.02) << c.Year;
        EXPECT_NEAR(std::fabs(e.Gamma), c.Gamma, 0.005) << c.Year;
    }
    // A penumbral eclipse has only the penumbral contacts.
    const EclipseCircumstances pen = MonthEclipse(2016, 3);
    EXPECT_EQ(pen.UmbStart, "");
    EXPECT_EQ(pen.TotStart, "");
    EXPECT_EQ(pen.Contacts[ContactU1], 0.0);
    EXPECT_EQ(pen.Contacts[ContactU2], 0.0);
    EXPECT_NE(pen.Contacts[ContactP1], 0.0);
    EXPECT_EQ(pen.PenStart.size(), 5u);
}

TEST(LunarEclipse, MonthsWithoutEclipse) {
    // February 2018 has no full moon.
    const EclipseCircumstances feb = MonthEclipse(2018, 2);
    EXPECT_EQ(feb.EclipseType, EclipseNone);
    EXPECT_FALSE(feb.CloseEclipseScreen);
    // The full moon of June 2018 is far from a node: ruled out at once, the screen closes.
    const EclipseCircumstances june = MonthEclipse(2018, 6);
    EXPECT_EQ(june.EclipseType, EclipseNone);
    EXPECT_TRUE(june.CloseEclipseScreen);
    EXPECT_EQ(june.UmbralMag, 0.0);
    EXPECT_EQ(june.MaxTime, "");
}

// Over 1900-2100: an eclipse at the first of two full moons of a month is kept, the month
// result agrees with the list of its eclipses, and eclipses come 2.2 to 2.6 times a year.
TEST(LunarEclipse, EclipseAtFirstOfTwoFullMoonsIsKept) {
    int kept = 0, total = 0;
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            TDateRec d;
            d.Year = static_cast<std::uint16_t>(year);
            d.Month = static_cast<std::uint16_t>(month);
            TPhaseList list;
            const int n = MonthPhases(d, TObserver{}, list);
            const auto all = MonthEclipses(list, n, year, TObserver{});
            total += static_cast<int>(all.size());
            const EclipseCircumstances e = CheckForEclipse(list, n, year, TObserver{});
            ASSERT_EQ(e.EclipseType != EclipseNone, !all.empty()) << year << "-" << month;
            if (all.empty()) continue;
            EXPECT_EQ(e.Contacts[ContactMax], all.front().Contacts[ContactMax]);
            EXPECT_FALSE(e.CloseEclipseScreen);
            int fullMoons = 0;
            for (int i = 0; i < n; ++i)
                fullMoons += list[static_cast<size_t>(i)].PhaseType == 2;
            if (fullMoons == 2 && all.front().MaxDate.Day < 10) ++kept;
        }
    }
    EXPECT_GT(kept, 0) << "no month with an eclipse at the first of two full moons";
    // 2.3 to 2.5 lunar eclipses a year on average.
    EXPECT_GT(total, 201 * 2.2);
    EXPECT_LT(total, 201 * 2.6);
}

TEST(LunarEclipse, VisibilityRules) {
    // Rise 18:00, set 06:00, eclipse 05:00 to 08:00: sets during the eclipse.
    EXPECT_EQ(EclipseVisibility("18:00", "06:00", "05:00", "08:00", false), PartiallyVisibleText);
    EXPECT_EQ(CheckEclipseVisibility("06:00", "18:00", "10:00", "12:00"), VisibleText);
    EXPECT_EQ(CheckEclipseVisibility("06:00", "18:00", "19:00", "21:00"), NotVisibleText);
    EXPECT_EQ(CheckEclipseVisibility("06:00", "18:00", "03:00", "05:00"), NotVisibleText);
    EXPECT_EQ(CheckEclipseVisibility("06:00", "18:00", "05:00", "07:00"), PartiallyVisibleText);
    EXPECT_EQ(CheckEclipseVisibility("None", "None", "05:00", "07:00"), NotVisibleText);
    // No moonrise that day counts as a rise at 00:00, no moonset as a set at 23:59.
    EXPECT_EQ(EclipseVisibility("*****", "12:00", "01:00", "03:00", false), VisibleText);
    EXPECT_EQ(EclipseVisibility("12:00", "*****", "22:00", "23:30", false), VisibleText);
    // A Moon that neither rises nor sets is visible all day when it is up.
    EXPECT_EQ(EclipseVisibility("None", "None", "05:00", "07:00", true), VisibleText);
    EXPECT_EQ(EclipseVisibility("None", "None", "05:00", "07:00", false), NotVisibleText);
}

TEST(LunarEclipse, VisibilityFromPlaces) {
    // 16 September 1997: the Moon rose over London during the penumbral phase, stood high
    // over India through the whole eclipse, and was below the horizon in California.
    const TPhaseEntry sep1997 = FullMoon(-28.5);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(0, 51.5, 0)).Visibility, PartiallyVisibleText);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(77.2, 28.6, 330)).Visibility, VisibleText);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(-118.2, 34.0, -420)).Visibility, NotVisibleText);
    // 21 December 2010 (total, 08:17 UT): the full moon near the solstice never sets at
    // 80 degrees North, so the whole eclipse is seen.
    const EclipseCircumstances dec2010 = MonthEclipse(2010, 12, Place(15.6, 80.0, 60));
    ASSERT_EQ(dec2010.EclipseType, EclipseTotal);
    EXPECT_EQ(dec2010.Visibility, VisibleText);
}

TEST(LunarEclipse, ContactPositionsAndBadInput) {
    EclipseCircumstances e = EclipseCalcs(FullMoon(-28.5), 1997, TObserver{});
    FillContactPositions(e, TObserver{});
    // The Moon moves eastward through the shadow, crossing the ecliptic near a node.
    EXPECT_GT(e.MoonLong[ContactP4], e.MoonLong[ContactP1]);
    EXPECT_LT(std::fabs(e.MoonLat[ContactMax]), DegToRad(0.5));
    // Opposite the Sun, which stands near 173.7 degrees on 16 September.
    EXPECT_NEAR(RadToDeg(e.MoonLong[ContactMax]), 353.7, 1.0);

    TPhaseList list;
    for (int year : {0, 1, 9999, 65535})
        EXPECT_LE(CheckForEclipse(list, 99, year, TObserver{}).EclipseType, EclipseTotal);
    EXPECT_EQ(CheckForEclipse(list, -3, 2000, TObserver{}).EclipseType, EclipseNone);
}

} // namespace
