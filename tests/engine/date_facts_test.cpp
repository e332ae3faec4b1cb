#include <gtest/gtest.h>

#include "engine/date_facts.h"

namespace {

TDateRec Day(int year, int month, int day) {
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(year);
    d.Month = static_cast<std::uint16_t>(month);
    d.Day = static_cast<std::uint16_t>(day);
    d.Hour = 17; // the time of day is ignored
    return d;
}

TEST(DateFacts, FirstDayOf2000AndLastDayOf2024) {
    const TDateFacts a = DateFacts(Day(2000, 1, 1));
    EXPECT_DOUBLE_EQ(a.JulianDay, 2451544.5);
    EXPECT_EQ(a.JulianDayText, "2451544.5");
    EXPECT_EQ(a.DateText, "01 January 2000");
    EXPECT_EQ(a.DayNumber, 1);
    EXPECT_EQ(a.WeekText, "52  (1999-W52-6)");
    EXPECT_EQ(a.DaysTillXmas, 359);

    const TDateFacts b = DateFacts(Day(2024, 12, 31));
    EXPECT_EQ(b.DayNumber, 366);
    EXPECT_EQ(b.WeekText, "1  (2025-W1-2)");
    EXPECT_EQ(b.DaysTillXmas, 359);
}

TEST(DateFacts, IsoWeeksAtYearBoundaries) {
    // ISO 8601 examples.
    struct Case {
        int year, month, day, weekYear, week, weekday;
    };
    const Case cases[] = {{2004, 12, 31, 2004, 53, 5}, {2005, 1, 1, 2004, 53, 6},
                          {2005, 1, 2, 2004, 53, 7},   {2005, 1, 3, 2005, 1, 1},
                          {2008, 12, 29, 2009, 1, 1},  {2010, 1, 3, 2009, 53, 7},
                          {2010, 1, 4, 2010, 1, 1},    {2026, 12, 6, 2026, 49, 7}};
    for (const Case& c : cases) {
        const TDateFacts f = DateFacts(Day(c.year, c.month, c.day));
        EXPECT_EQ(f.WeekYear, c.weekYear) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(f.Week, c.week) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(f.Weekday, c.weekday) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(DateFacts, DayNumbersAndChristmas) {
    EXPECT_EQ(DateFacts(Day(1978, 11, 14)).DayNumber, 318); // Meeus, ex. 7.f
    EXPECT_EQ(DateFacts(Day(1988, 4, 22)).DayNumber, 113);  // Meeus, ex. 7.g
    EXPECT_EQ(DateFacts(Day(2023, 12, 25)).DaysTillXmas, 0);
    EXPECT_EQ(DateFacts(Day(2023, 12, 26)).DaysTillXmas, 365); // to 25 December 2024
    EXPECT_EQ(DateFacts(Day(2024, 12, 26)).DaysTillXmas, 364);
}

TEST(DateFacts, WeeksFollowEachOtherFromYear1To9999) {
    // Weekdays run on without a break across every year boundary and the calendar reform.
    TDateFacts previous = DateFacts(Day(1, 1, 1));
    for (int year = 1; year <= 9999; year += 7) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 28; day += 9) {
                const TDateFacts f = DateFacts(Day(year, month, day));
                ASSERT_GE(f.Week, 1);
                ASSERT_LE(f.Week, 53);
                ASSERT_GE(f.DayNumber, 1);
                ASSERT_LE(f.DayNumber, 366);
                ASSERT_GE(f.DaysTillXmas, 0);
                ASSERT_LE(f.DaysTillXmas, 365);
                const long long gap = static_cast<long long>(f.JulianDay - previous.JulianDay);
                ASSERT_EQ((previous.Weekday - 1 + gap) % 7 + 1, f.Weekday) << year << "-" << month;
                previous = f;
            }
        }
    }
    (void)DateFacts(Day(9999, 12, 31));
    (void)DateFacts(Day(9999, 12, 26));
}

} // namespace
