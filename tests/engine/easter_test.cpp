#include <gtest/gtest.h>

#include "engine/date_time.h"
#include "engine/easter.h"

namespace {

TEST(Easter, DatesFromTheBook) {
    // Meeus, Astronomical Algorithms, ch. 8 (Gregorian) and the Julian examples.
    struct Case {
        int year, month, day;
    };
    const Case cases[] = {{1991, 3, 31}, {1992, 4, 19}, {1993, 4, 11}, {1954, 4, 18},
                          {2000, 4, 23}, {1818, 3, 22}, {2285, 3, 22}, {2019, 4, 21},
                          {2008, 3, 23}, {179, 4, 12},  {711, 4, 12},  {1243, 4, 12}};
    for (const Case& c : cases) {
        const TEasterDate e = EasterDate(c.year);
        EXPECT_EQ(e.Month, c.month) << c.year;
        EXPECT_EQ(e.Day, c.day) << c.year;
    }
    EXPECT_EQ(Sunday(2000), "23 April 2000");
    EXPECT_EQ(Sunday(2019), "21 April 2019");
    EXPECT_EQ(Sunday(2008), "23 March 2008");
    EXPECT_EQ(Sunday(711), "12 April 711");
}

TEST(Easter, EveryYearIsASundayBetween22MarchAnd25April) {
    for (int year = 1; year <= 9999; ++year) {
        const TEasterDate e = EasterDate(year);
        const int dayOfSpring = e.Month == 3 ? e.Day : 31 + e.Day;
        ASSERT_GE(dayOfSpring, 22) << year;
        ASSERT_LE(dayOfSpring, 31 + 25) << year;
        TDateRec d;
        d.Year = static_cast<std::uint16_t>(year);
        d.Month = static_cast<std::uint16_t>(e.Month);
        d.Day = static_cast<std::uint16_t>(e.Day);
        // Day of the week (Meeus, ch. 7): (JD + 1.5) mod 7, 0 is Sunday.
        const long long weekday = static_cast<long long>(JulianDay(d) + 1.5) % 7;
        ASSERT_EQ(weekday, 0) << year;
        ASSERT_LE(Sunday(static_cast<std::uint16_t>(year)).size(), 60u);
    }
}

} // namespace
