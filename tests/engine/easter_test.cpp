// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/easter.h"
#include "engine_test_helpers.h"

namespace {

TEST(Easter, BookDatesAndEveryYearASundayIn22MarchTo25April) {
    // Meeus, Astronomical Algorithms, ch. 8.
    const int cases[][3] = {{1991, 3, 31}, {1992, 4, 19}, {1993, 4, 11},
                            {1954, 4, 18}, {2000, 4, 23}, {1818, 3, 22},
                            {2285, 3, 22}, {2019, 4, 21}, {2008, 3, 23}};
    for (const auto& c : cases)
        EXPECT_EQ(EasterDate(c[0]).Month * 100 + EasterDate(c[0]).Day, c[1] * 100 + c[2]) << c[0];
    EXPECT_EQ(Sunday(2000), "23 April 2000");
    EXPECT_EQ(Sunday(2008), "23 March 2008");
    // Meeus, ch. 8, the Julian computus: 179, 711 and 1243 give 12 April; 1582 gave 15 April,
    // the last Easter before the calendar changed.
    for (int year : {179, 711, 1243})
        EXPECT_EQ(Sunday(static_cast<std::uint16_t>(year)), "12 April " + std::to_string(year));
    EXPECT_EQ(Sunday(1582), "15 April 1582");
    EXPECT_EQ(Sunday(1583), "10 April 1583");
    // A Sunday of the program's own calendar (Julian up to 4 October 1582), within 22 March
    // to 25 April, every year since the rule was set in 325.
    for (int year = 326; year <= 9999; ++year) {
        const TEasterDate e = EasterDate(year);
        ASSERT_GE(e.Month * 100 + e.Day, 322) << year;
        ASSERT_LE(e.Month * 100 + e.Day, 425) << year;
        ASSERT_EQ(DayOfWeek(JulianDay(Date(year, e.Month, e.Day))), 0) << year;
    }
}

} // namespace
