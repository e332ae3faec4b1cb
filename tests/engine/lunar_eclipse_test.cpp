// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/almanac_text.h"
#include "engine/angles.h"
#include "engine/lunar_eclipse.h"
#include "engine/phases.h"

namespace {

TObserver Place(double eastDeg, double northDeg, int zoneMinutes) {
    TObserver o;
    o.ObserverLongitude = DegToRad(-eastDeg);
    o.ObserverLatitude = DegToRad(northDeg);
    o.Zone = TObserverZone::Fixed(zoneMinutes, 0);
    return o;
}

EclipseCircumstances MonthEclipse(int year, int month, const TObserver& observer = {}) {
    TPhaseList list;
    const int n = MonthPhases(MakeDate(year, month, 1), observer, list);
    const auto all = MonthEclipses(list, n, year, observer);
    return all.empty() ? EclipseCircumstances{} : all.front();
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
    EXPECT_EQ(e.Type, TEclipseType::Total);
    EXPECT_NEAR(e.Gamma, -0.3791, 1e-4);
    EXPECT_NEAR(e.PenRadius - 1.2848, -0.0131, 1e-4); // u
    EXPECT_NEAR(e.UmbralMag, 1.1868, 1e-4);
    EXPECT_NEAR(e.PenumbralMag, 2.1379, 1e-4);
    EXPECT_NEAR(e.Contacts[ContactMax], 2450708.2828, 1e-4);
    EXPECT_NEAR(Minutes(e.Contacts[ContactP4] - e.Contacts[ContactMax]), 153.4, 0.1);
    EXPECT_NEAR(Minutes(e.Contacts[ContactU4] - e.Contacts[ContactMax]), 97.7, 0.1);
    EXPECT_NEAR(Minutes(e.Contacts[ContactU3] - e.Contacts[ContactMax]), 30.3, 0.1);
    EXPECT_EQ(EclipseMaximumText(e), "18:47  16 September 1997");
    EXPECT_EQ(e.MaxDate.Day, 16);
    for (int i = 1; i < 7; ++i)
        EXPECT_LT(e.Contacts[i - 1], e.Contacts[i]) << i;
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(EclipseContactText(e, c).size(), 5u) << c;

    // Two hours east every time and the date move with the zone.
    const EclipseCircumstances east = EclipseCalcs(FullMoon(-28.5), 1997, Place(0, 0, 330));
    EXPECT_EQ(EclipseMaximumText(east), "00:17  17 September 1997");
}

TEST(LunarEclipse, WellKnownEclipses) {
    // Greatest eclipse (UT), umbral and penumbral magnitude and |gamma| as published.
    const struct {
        int Year, Month;
        TEclipseType Type;
        double MaxHours, Umbral, Penumbral, Gamma;
    } cases[] = {
        {2016, 3, TEclipseType::Penumbral, 11 + 47 / 60.0, -0.312, 0.775, 1.159},
        {2018, 1, TEclipseType::Total, 13 + 30 / 60.0, 1.316, 2.294, 0.301},
        {2022, 11, TEclipseType::Total, 10 + 59 / 60.0, 1.359, 2.416, 0.257},
        {2023, 10, TEclipseType::Partial, 20 + 14 / 60.0, 0.122, 1.118, 0.947},
        {2024, 3, TEclipseType::Penumbral, 7 + 13 / 60.0, -0.130, 0.956, 1.061},
    };
    for (const auto& c : cases) {
        const EclipseCircumstances e = MonthEclipse(c.Year, c.Month);
        ASSERT_EQ(e.Type, c.Type) << c.Year << "-" << c.Month;
        const double jd = e.Contacts[ContactMax] + 0.5;
        const double hours = (jd - std::floor(jd)) * 24.0;
        EXPECT_NEAR(hours, c.MaxHours, 4.0 / 60) << c.Year;
        EXPECT_NEAR(e.UmbralMag, c.Umbral, 0.02) << c.Year;
        EXPECT_NEAR(e.PenumbralMag, c.Penumbral, 0.02) << c.Year;
        EXPECT_NEAR(std::fabs(e.Gamma), c.Gamma, 0.005) << c.Year;
    }
    // A penumbral eclipse has only the penumbral contacts.
    const EclipseCircumstances pen = MonthEclipse(2016, 3);
    EXPECT_EQ(EclipseContactText(pen, ContactU1), "");
    EXPECT_EQ(EclipseContactText(pen, ContactU2), "");
    EXPECT_EQ(pen.Contacts[ContactU1], 0.0);
    EXPECT_EQ(pen.Contacts[ContactU2], 0.0);
    EXPECT_NE(pen.Contacts[ContactP1], 0.0);
    EXPECT_EQ(EclipseContactText(pen, ContactP1).size(), 5u);
}

// Each type shows its own contacts and names; an eclipse's texts are empty where it has none.
TEST(LunarEclipse, TextsOfEachType) {
    const struct {
        int Year, Month;
        const char *Name, *CalendarName, *Shown;
    } cases[] = {
        {2016, 3, "Penumbral Eclipse", "Penumbral Lunar Eclipse", "P1 max P4"},
        {2023, 10, "Partial Eclipse", "Partial Lunar Eclipse", "P1 U1 max U4 P4"},
        {2022, 11, "Total Eclipse", "Total Lunar Eclipse", "P1 U1 U2 max U3 U4 P4"},
        {2018, 6, "", "Lunar Eclipse", ""},
    };
    const char* names[] = {"P1", "U1", "U2", "max", "U3", "U4", "P4"};
    for (const auto& c : cases) {
        const EclipseCircumstances e = MonthEclipse(c.Year, c.Month);
        EXPECT_EQ(EclipseTypeText(e.Type), c.Name) << c.Year;
        EXPECT_EQ(LunarEclipseTypeText(e.Type), c.CalendarName) << c.Year;
        std::string shown;
        for (int contact = 0; contact < 7; ++contact)
            if (!EclipseContactText(e, contact).empty())
                shown += (shown.empty() ? "" : " ") + std::string(names[contact]);
        EXPECT_EQ(shown, c.Shown) << c.Year;
    }
}

TEST(LunarEclipse, MonthsWithoutEclipse) {
    // February 2018 has no full moon.
    const EclipseCircumstances feb = MonthEclipse(2018, 2);
    EXPECT_EQ(feb.Type, TEclipseType::None);
    // The full moon of June 2018 is far from a node: ruled out at once.
    const EclipseCircumstances june = MonthEclipse(2018, 6);
    EXPECT_EQ(june.Type, TEclipseType::None);
    EXPECT_EQ(june.UmbralMag, 0.0);
    EXPECT_EQ(EclipseMaximumText(june), "  ");
}

// Over 1900-2100: an eclipse at the first of two full moons of a month is kept, the month
// listing both, and eclipses come 2.2 to 2.6 times a year.
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
            if (all.empty()) continue;
            int fullMoons = 0;
            for (int i = 0; i < n; ++i)
                fullMoons += list[static_cast<size_t>(i)].PhaseType == TPhaseType::FullMoon;
            if (fullMoons == 2 && all.front().MaxDate.Day < 10) ++kept;
        }
    }
    EXPECT_GT(kept, 0) << "no month with an eclipse at the first of two full moons";
    // 2.3 to 2.5 lunar eclipses a year on average.
    EXPECT_GT(total, 201 * 2.2);
    EXPECT_LT(total, 201 * 2.6);
}

// Events and contact moments from "HH:MM" clock times on 1 March 2024 (local JD).
constexpr double Day0 = 2460370.5;
TRiseSetEvent At(int h, int m) {
    return {TEventStatus::Occurs, Day0 + (h * 60 + m) / 1440.0, h * 60 + m};
}
double Jd(int h, int m) {
    return Day0 + (h * 60 + m + 0.2) / 1440.0;
}
const TRiseSetEvent NotToday{TEventStatus::NotThisDay, 0.0, 0};
const TRiseSetEvent Above{TEventStatus::AlwaysAbove, 0.0, 0};
const TRiseSetEvent Below{TEventStatus::AlwaysBelow, 0.0, 0};

TEST(LunarEclipse, VisibilityRules) {
    using V = TEclipseVisibility;
    // Rise 18:00, set 06:00, eclipse 05:00 to 08:00: sets during the eclipse.
    EXPECT_EQ(EclipseVisibility(At(18, 0), At(6, 0), Jd(5, 0), Jd(8, 0), false),
              V::PartiallyVisible);
    // Up 06:00 to 18:00.
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(10, 0), Jd(12, 0), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(19, 0), Jd(21, 0), false), V::NotVisible);
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(3, 0), Jd(5, 0), false), V::NotVisible);
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(5, 0), Jd(7, 0), false),
              V::PartiallyVisible);
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(17, 0), Jd(19, 0), false),
              V::PartiallyVisible);
    // Up before 04:10 and after 20:00: the first spell sees the end, the second the start.
    EXPECT_EQ(EclipseVisibility(At(20, 0), At(4, 10), Jd(2, 0), Jd(4, 0), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(20, 0), At(4, 10), Jd(21, 0), Jd(22, 0), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(20, 0), At(4, 10), Jd(10, 0), Jd(12, 0), false), V::NotVisible);
    // Clock times only, to the minute shown: a contact on the day before counts by its clock.
    EXPECT_EQ(EclipseVisibility(At(6, 0), At(18, 0), Jd(10, 0) - 1.0, Jd(12, 0), false),
              V::Visible);
    // No moonrise that day counts as a rise at 00:00, no moonset as a set at 23:59.
    EXPECT_EQ(EclipseVisibility(NotToday, At(12, 0), Jd(1, 0), Jd(3, 0), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(12, 0), NotToday, Jd(22, 0), Jd(23, 30), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(12, 0), NotToday, Jd(23, 0), Jd(23, 59), false), V::Visible);
    EXPECT_EQ(EclipseVisibility(At(12, 0), NotToday, Jd(23, 59), Jd(23, 59), false), V::Visible);
    // A Moon that neither rises nor sets is seen all day when it is up, never when down.
    EXPECT_EQ(EclipseVisibility(Above, Above, Jd(5, 0), Jd(7, 0), true), V::Visible);
    EXPECT_EQ(EclipseVisibility(Below, Below, Jd(5, 0), Jd(7, 0), false), V::NotVisible);
    EXPECT_EQ(EclipseVisibilityText(V::Visible), "Visible");
    EXPECT_EQ(EclipseVisibilityText(V::PartiallyVisible), "Partially Visible");
    EXPECT_EQ(EclipseVisibilityText(V::NotVisible), "Not Visible");
}

TEST(LunarEclipse, VisibilityFromPlaces) {
    // 16 September 1997: the Moon rose over London during the penumbral phase, stood high
    // over India through the whole eclipse, and was below the horizon in California.
    using V = TEclipseVisibility;
    const TPhaseEntry sep1997 = FullMoon(-28.5);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(0, 51.5, 0)).Visibility, V::PartiallyVisible);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(77.2, 28.6, 330)).Visibility, V::Visible);
    EXPECT_EQ(EclipseCalcs(sep1997, 1997, Place(-118.2, 34.0, -420)).Visibility, V::NotVisible);
    // 21 December 2010 (total, 08:17 UT): the full moon near the solstice never sets at
    // 80 degrees North, so the whole eclipse is seen.
    const EclipseCircumstances dec2010 = MonthEclipse(2010, 12, Place(15.6, 80.0, 60));
    ASSERT_EQ(dec2010.Type, TEclipseType::Total);
    EXPECT_EQ(dec2010.Visibility, V::Visible);
    // The texts are the clock times of the contacts: P1 05:29 UT, greatest 08:17 UT (NASA).
    EXPECT_EQ(EclipseContactText(dec2010, ContactP1), LocalClockText(dec2010.Contacts[ContactP1]));
    const TDateRec greatest = JDToDate(dec2010.Contacts[ContactMax]);
    EXPECT_NEAR(greatest.Hour * 60 + greatest.Minute, 9 * 60 + 17, 2);
    EXPECT_EQ(EclipseDateText(dec2010), "21 December 2010");
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
        EXPECT_LE(MonthEclipses(list, 99, year, TObserver{}).size(), 2u);
    EXPECT_TRUE(MonthEclipses(list, -3, 2000, TObserver{}).empty());
}

} // namespace
