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
    for (int year = 1; year <= 9999; ++year) {
        const TEasterDate e = EasterDate(year);
        ASSERT_GE(e.Month * 100 + e.Day, 322) << year;
        ASSERT_LE(e.Month * 100 + e.Day, 425) << year;
        // A Sunday of the Gregorian calendar, also before 1583 where the rule is applied
        // as it stands (Sakamoto's weekday formula, 0 = Sunday).
        static constexpr int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
        const int y = e.Month < 3 ? year - 1 : year;
        ASSERT_EQ((y + y / 4 - y / 100 + y / 400 + t[e.Month - 1] + e.Day) % 7, 0) << year;
        // From 1583 on, the program's own calendar agrees: (JD + 1.5) mod 7 is 0 on Sundays.
        if (year >= 1583) {
            ASSERT_EQ(static_cast<long long>(JulianDay(Date(year, e.Month, e.Day)) + 1.5) % 7, 0)
                << year;
        }
    }
    // 711 would be 12 April by the Julian computus; the Gregorian rule gives another date.
    EXPECT_NE(Sunday(711), "12 April 711");
}

} // namespace
