#include <gtest/gtest.h>

#include "engine/easter.h"
#include "event_test_helpers.h"

namespace {

TEST(Easter, BookDatesAndEveryYearASundayIn22MarchTo25April) {
    // Meeus, Astronomical Algorithms, ch. 8; 179, 711 and 1243 by the Julian computus.
    const int cases[][3] = {{1991, 3, 31}, {1992, 4, 19}, {1993, 4, 11}, {1954, 4, 18},
                            {2000, 4, 23}, {1818, 3, 22}, {2285, 3, 22}, {2019, 4, 21},
                            {2008, 3, 23}, {179, 4, 12},  {711, 4, 12},  {1243, 4, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(EasterDate(c[0]).Month * 100 + EasterDate(c[0]).Day, c[1] * 100 + c[2]) << c[0];
    EXPECT_EQ(Sunday(2000), "23 April 2000");
    EXPECT_EQ(Sunday(2008), "23 March 2008");
    EXPECT_EQ(Sunday(711), "12 April 711");
    for (int year = 1; year <= 9999; ++year) {
        const TEasterDate e = EasterDate(year);
        ASSERT_GE(e.Month * 100 + e.Day, 322) << year;
        ASSERT_LE(e.Month * 100 + e.Day, 425) << year;
        // (JD + 1.5) mod 7 is 0 on Sundays (Meeus, ch. 7).
        ASSERT_EQ(static_cast<long long>(JulianDay(Date(year, e.Month, e.Day)) + 1.5) % 7, 0)
            << year;
    }
}

} // namespace
