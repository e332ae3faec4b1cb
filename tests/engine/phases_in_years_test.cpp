// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/phases.h"
#include "engine_test_helpers.h"

namespace {

TEST(PhasesInYears, SameAsTheMonthListsOverTenThousandYears) {
    for (const TObserver& observer :
         {Place(-43.95, -176.55, 765, 60), Place(-9.8, -139.03, -570)}) {
        SCOPED_TRACE(testing::Message() << "zone " << observer.Zone.StateAt(0.0).OffsetMinutes());
        const std::vector<TPhaseEntry> found = PhasesInYears(1, 9999, observer);
        size_t i = 0;
        for (int year = 1; year <= 9999; ++year)
            for (int month = 1; month <= 12; ++month) {
                TPhaseList list;
                const int count = MonthPhases(MakeDate(year, month, 1), observer, list);
                for (int j = 0; j < count; ++j, ++i) {
                    ASSERT_LT(i, found.size()) << year << "-" << month;
                    const TPhaseEntry& a = found[i];
                    const TPhaseEntry& b = list[static_cast<size_t>(j)];
                    ASSERT_EQ(a.K, b.K) << year << "-" << month;
                    ASSERT_EQ(a.JDLocal, b.JDLocal) << year << "-" << month;
                    ASSERT_EQ(a.PhaseType, b.PhaseType) << year << "-" << month;
                    ASSERT_EQ(a.When.JD, b.When.JD) << year << "-" << month;
                }
            }
        EXPECT_EQ(i, found.size());
        // Four phases a synodic month, 29.530589 days (Meeus, ch. 49).
        EXPECT_NEAR(static_cast<double>(found.size()), 9999 * 365.2425 / 29.530589 * 4, 8.0);
    }
    EXPECT_TRUE(PhasesInYears(2001, 2000, TObserver{}).empty());
}

TEST(PhasesInYears, BookExampleAndSpanEdges) {
    // Meeus, ex. 49.a: new moon of 18 February 1977 at 3h 37m 40s TD (the JDE used as UT).
    int found = 0;
    for (const TPhaseEntry& e : PhasesInYears(1977, 1977, TObserver{}))
        found += e.PhaseType == TPhaseType::NewMoon && e.When.Month == 2 && e.When.Day == 18 &&
                 std::abs(e.Minute - (3 * 60 + 38)) <= 1;
    EXPECT_EQ(found, 1);
    // Years joined end to end give the span.
    EXPECT_EQ(PhasesInYears(1999, 2001, TObserver{}).size(),
              PhasesInYears(1999, 1999, TObserver{}).size() +
                  PhasesInYears(2000, 2001, TObserver{}).size());
}

} // namespace
