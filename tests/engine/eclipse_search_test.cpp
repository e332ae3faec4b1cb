// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/eclipse_search.h"
#include "engine/moon.h"
#include "engine/phases.h"
#include "engine/rise_set.h"
#include "engine_test_helpers.h"

namespace {

// The month-by-month search the span search must reproduce: each month's phase list, then
// every eclipse of it.
std::vector<EclipseCircumstances> MonthByMonth(int from, int to, const TObserver& observer) {
    std::vector<EclipseCircumstances> found;
    for (int year = from; year <= to; ++year)
        for (int month = 1; month <= 12; ++month) {
            TPhaseList phases;
            const int count = MonthPhases(MakeDate(year, month, 1), observer, phases);
            for (EclipseCircumstances& e : MonthEclipses(phases, count, year, observer))
                found.push_back(std::move(e));
        }
    return found;
}

// Every number the lists and the eclipse screen show, compared exactly.
void ExpectSame(const EclipseCircumstances& a, const EclipseCircumstances& b, size_t index) {
    SCOPED_TRACE(testing::Message() << "eclipse " << index << " at " << b.MaxDate.JD);
    EXPECT_EQ(a.Type, b.Type);
    EXPECT_EQ(a.Visibility, b.Visibility);
    EXPECT_EQ(a.UmbralMag, b.UmbralMag);
    EXPECT_EQ(a.PenumbralMag, b.PenumbralMag);
    EXPECT_EQ(a.Gamma, b.Gamma);
    EXPECT_EQ(a.Contacts, b.Contacts);
    EXPECT_EQ(a.MaxDate.JD, b.MaxDate.JD);
}

TEST(EclipseSearch, SameAsTheMonthByMonthSearchOverTenThousandYears) {
    // Zones east and west far enough to move full moons across month and year ends.
    for (const TObserver& observer :
         {Place(0, 0, 0), Place(-43.95, -176.55, 765, 60), Place(64.15, -21.94, -600)}) {
        SCOPED_TRACE(testing::Message() << "zone " << observer.Zone.StateAt(0.0).OffsetMinutes());
        const std::vector<EclipseCircumstances> expected = MonthByMonth(1, 9999, observer);
        const std::vector<EclipseCircumstances> found = LunarEclipsesInYears(1, 9999, observer);
        ASSERT_EQ(found.size(), expected.size());
        // About 2.4 lunar eclipses a year, penumbral ones included.
        EXPECT_GT(found.size(), 9999u * 2);
        EXPECT_LT(found.size(), 9999u * 3);
        for (size_t i = 0; i < found.size(); ++i)
            ExpectSame(found[i], expected[i], i);
    }
}

// The visibility from the day's moonrise and moonset at the exact places of the Moon.
TEclipseVisibility ExactVisibility(const EclipseCircumstances& e, const TObserver& observer) {
    const TRiseSetTimes t = MoonRiseSetTimes(e.MaxDate, observer);
    TSunData sun;
    const bool up = MoonPosition(observer.UTOfLocal(e.Contacts[ContactMax]), observer, sun)
                        .AltitudeDeg > 0.0;
    return EclipseVisibility(t.Rise, t.Set, e.Contacts[ContactP1], e.Contacts[ContactP4], up);
}

TEST(EclipseSearch, VisibilityIsTheOneTheExactMoonPlacesGive) {
    // Places where the Moon rises and sets every day, and places near the poles where it
    // often does neither, or rises and sets a minute apart.
    for (const TObserver& observer :
         {Place(51.48, 0.0, 0), Place(-33.87, 151.21, 600, 60), Place(64.15, -21.94, 0),
          Place(78.22, 15.65, 60), Place(-77.85, 166.67, 720), Place(89.9, 10.0, 0)}) {
        SCOPED_TRACE(testing::Message() << "latitude " << RadToDeg(observer.ObserverLatitude));
        const std::vector<EclipseCircumstances> found = LunarEclipsesInYears(1500, 2700, observer);
        ASSERT_GT(found.size(), 2500u);
        int visible = 0;
        for (const EclipseCircumstances& e : found) {
            ASSERT_EQ(e.Visibility, ExactVisibility(e, observer)) << e.MaxDate.JD;
            visible += e.Visibility != TEclipseVisibility::NotVisible;
        }
        // Somewhat more than half of all lunar eclipses are seen at least in part from a place.
        EXPECT_GT(visible, static_cast<int>(found.size()) / 3);
    }
}

TEST(EclipseSearch, SpanEdgesAndTwoEclipsesInAMonth) {
    // Two penumbral eclipses in March 1904, on the 2nd and the 31st.
    const std::vector<EclipseCircumstances> y1904 = LunarEclipsesInYears(1904, 1904, {});
    int march = 0;
    for (const EclipseCircumstances& e : y1904)
        if (e.MaxDate.Month == 3) {
            ++march;
            EXPECT_EQ(e.Type, TEclipseType::Penumbral);
        }
    EXPECT_EQ(march, 2);

    // The total eclipse of 16 September 1997 (Meeus, ex. 54.b) is in its year, once.
    int september1997 = 0;
    for (const EclipseCircumstances& e : LunarEclipsesInYears(1997, 1997, {}))
        september1997 +=
            e.MaxDate.Month == 9 && e.MaxDate.Day == 16 && e.Type == TEclipseType::Total;
    EXPECT_EQ(september1997, 1);

    // Consecutive spans add up to the whole, and the order is the order of time.
    const std::vector<EclipseCircumstances> whole = LunarEclipsesInYears(1990, 2010, {});
    const size_t split =
        LunarEclipsesInYears(1990, 1999, {}).size() + LunarEclipsesInYears(2000, 2010, {}).size();
    EXPECT_EQ(whole.size(), split);
    for (size_t i = 1; i < whole.size(); ++i)
        EXPECT_LT(whole[i - 1].Contacts[ContactMax], whole[i].Contacts[ContactMax]) << i;

    EXPECT_TRUE(LunarEclipsesInYears(2001, 2000, {}).empty());
}

} // namespace
