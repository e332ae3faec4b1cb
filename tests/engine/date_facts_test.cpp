// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/almanac_text.h"
#include "engine/date_facts.h"
#include "engine/text_helpers.h"
#include "engine_test_helpers.h"

namespace {

TEST(DateFacts, NewYear2000AndLastDayOf2024) {
    const TDateFacts a = DateFacts(Date(2000, 1, 1, 17)); // the time of day is ignored
    EXPECT_EQ(GeneralNumberText(a.JulianDay), "2451544.5");
    EXPECT_EQ(a.DayNumber, 1);
    EXPECT_EQ(IsoWeekText(a), "52  (1999-W52-6)");
    const TDateFacts b = DateFacts(Date(2024, 12, 31));
    EXPECT_EQ(b.DayNumber, 366);
    EXPECT_EQ(IsoWeekText(b), "1  (2025-W1-2)");
    EXPECT_EQ(b.DaysTillXmas, 359);
}

TEST(DateFacts, IsoWeeksDayNumbersAndChristmas) {
    // ISO 8601 weeks at year boundaries: {date}, {week year, week, weekday}.
    const int weeks[][6] = {{2004, 12, 31, 2004, 53, 5}, {2005, 1, 2, 2004, 53, 7},
                            {2005, 1, 3, 2005, 1, 1},    {2008, 12, 29, 2009, 1, 1},
                            {2010, 1, 3, 2009, 53, 7},   {2026, 12, 6, 2026, 49, 7}};
    for (const auto& w : weeks) {
        const TDateFacts f = DateFacts(Date(w[0], w[1], w[2]));
        EXPECT_EQ(f.WeekYear * 10000 + f.Week * 10 + f.Weekday, w[3] * 10000 + w[4] * 10 + w[5])
            << w[0] << "-" << w[1] << "-" << w[2];
    }
    EXPECT_EQ(DateFacts(Date(1978, 11, 14)).DayNumber, 318); // Meeus, ex. 7.f
    EXPECT_EQ(DateFacts(Date(1988, 4, 22)).DayNumber, 113);  // Meeus, ex. 7.g
    EXPECT_EQ(DateFacts(Date(2023, 12, 25)).DaysTillXmas, 0);
    EXPECT_EQ(DateFacts(Date(2023, 12, 26)).DaysTillXmas, 365);
    EXPECT_EQ(DateFacts(Date(2024, 12, 26)).DaysTillXmas, 364);
    // The first and last days of the calendar.
    EXPECT_EQ(DateFacts(Date(1, 1, 1)).DayNumber, 1);
    EXPECT_EQ(DateFacts(Date(9999, 12, 31)).DayNumber, 365);
    EXPECT_EQ(DateFacts(Date(9999, 12, 31)).DaysTillXmas, 360); // 10000 is a leap year
}

} // namespace
