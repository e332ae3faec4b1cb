// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/text_helpers.h"

namespace {

TEST(JulianDay, BookExamplesAndCalendarChange) {
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(2000, 1, 1, 12)), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(1582, 10, 4, 12)), 2299160.0);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(1582, 10, 15, 12)), 2299161.0);
    // Meeus, ex. 7.a and table 7.a
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(1957, 10, 4, 19, 26, 24)), 2436116.31);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(333, 1, 27, 12)), 1842713.0);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(1, 1, 1)), 1721423.5);
    EXPECT_DOUBLE_EQ(JulianDay(MakeDate(1, 2, 28)), 1721481.5);
    EXPECT_DOUBLE_EQ(NewYearJD(2000), 2451544.5);
}

TEST(JDToDate, CalendarChangeAndRoundTripOverTenThousandYears) {
    const TDateRec oct15 = JDToDate(2299160.5);
    EXPECT_EQ(oct15.Day, 15);
    EXPECT_EQ(oct15.Month, 10);
    EXPECT_EQ(oct15.Year, 1582);
    const TDateRec oct4 = JDToDate(2299159.5);
    EXPECT_EQ(oct4.Day, 4);
    EXPECT_EQ(oct4.Month, 10);

    // Every 37th day from year 1 to 9999 at a time of day that exercises the rounding.
    for (double jd = JulianDay(MakeDate(1, 1, 1)); jd < JulianDay(MakeDate(9999, 12, 31));
         jd += 37.0) {
        TDateRec d = JDToDate(jd + 0.3141);
        const double back = JulianDay(d);
        ASSERT_NEAR(back, jd + 0.3141, 0.5 / 86400.0 + 1e-9) << "JD " << jd;
        ASSERT_GE(d.Day, 1);
        ASSERT_TRUE(IsValidDate(d.Year, d.Month, d.Day)) << "JD " << jd;
    }
}

TEST(JDToDate, MomentJustBeforeMidnightCarriesIntoNextDay) {
    // 0.3 s before 1 January 2001 0h: the literal rule would give 31 December 23:59:00.
    const TDateRec d = JDToDate(2451910.5 - 0.3 / 86400.0);
    EXPECT_EQ(d.Year, 2001);
    EXPECT_EQ(d.Month, 1);
    EXPECT_EQ(d.Day, 1);
    EXPECT_EQ(d.Hour, 0);
    EXPECT_EQ(d.Minute, 0);
    EXPECT_EQ(d.Second, 0);
    // and just before a minute within the day
    const TDateRec e = JDToDate(2451545.0 + (60.0 - 0.4) / 86400.0);
    EXPECT_EQ(e.Hour, 12);
    EXPECT_EQ(e.Minute, 1);
    EXPECT_EQ(e.Second, 0);
}

TEST(JDToDate, AbsurdInputNeitherCrashesNorHangs) {
    // Before 1 January of year 0 and for a non-finite moment: that first moment. After the
    // last second of year 65535: that last second. Never a year wrapped through 16 bits.
    for (double jd : {-1.0e6, 0.0, 1721057.5 - 1e-6, -1.0e300, std::nan(""),
                      -std::numeric_limits<double>::infinity()}) {
        const TDateRec d = JDToDate(jd);
        EXPECT_EQ(DateTimeText(d), "00:00:00  01 January 0") << jd;
        EXPECT_EQ(d.JD, 1721057.5) << jd;
    }
    for (double jd : {1.0e15, 1.0e300, std::numeric_limits<double>::infinity()}) {
        const TDateRec d = JDToDate(jd);
        EXPECT_EQ(DateTimeText(d), "23:59:59  31 December 65535") << jd;
    }
    EXPECT_EQ(DateTimeText(JDToDate(1721057.5 + 1.25)), "06:00:00  02 January 0");
    EXPECT_EQ(JulianDay(MakeDate(0, 1, 1)), 1721057.5);
    EXPECT_EQ(MakeDate(-5, 3, 1).Year, 0);
    EXPECT_EQ(MakeDate(70000, 3, 1).Year, 65535);
}

TEST(JulianDay, AnyYearFromNumbersAndTheCachedDayFilled) {
    // Meeus, ch. 7: JD 0 is -4712 January 1 at noon; year 0 (1 BC) was a Julian leap year.
    EXPECT_EQ(JulianDayOf(-4712, 1, 1, 12), 0.0);
    EXPECT_EQ(NewYearJD(-4712), -0.5);
    EXPECT_EQ(NewYearJD(1) - NewYearJD(0), 366.0);
    EXPECT_EQ(NewYearJD(0) - NewYearJD(-1), 365.0);
    EXPECT_EQ(JulianDayOf(2000, 1, 1, 12), 2451545.0);
    // JDToDate fills JD with the moment its rounded fields name.
    double worst = 0.0;
    for (double jd = 1721057.5; jd < 5000000.0; jd += 1234.56789) {
        const TDateRec d = JDToDate(jd);
        ASSERT_EQ(d.JD, JulianDay(d)) << jd;
        worst = std::max(worst, std::fabs(d.JD - jd) * 86400.0);
    }
    EXPECT_LE(worst, 0.5 + 1e-3);
}

TEST(DaysInMonth, JulianLeapRuleUpTo1582GregorianAfter) {
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 1500), 29); // a Julian leap year (Meeus, ch. 7)
    EXPECT_EQ(DaysInMonth(2, 1700), 28);
    EXPECT_EQ(DaysInMonth(2, 1600), 29);
    EXPECT_EQ(DaysInMonth(2, 1582), 28);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(4, 2023), 30);
    EXPECT_EQ(DaysInMonth(12, 2023), 31);
    EXPECT_EQ(DaysInMonth(10, 1582), 31); // the last day's number; ten days are missing
}

TEST(Calendar, JulianUntilFourthOctober1582ThenGregorianFromTheFifteenth) {
    // Meeus, ch. 7: 1582 October 4.0 (Julian) and October 15.0 (Gregorian) are consecutive
    // days; table 7.a: -1000 February 29.0 (a Julian leap day) is JD 1355866.5.
    EXPECT_DOUBLE_EQ(JulianDayOf(1582, 10, 4), 2299159.5);
    EXPECT_DOUBLE_EQ(JulianDayOf(1582, 10, 15), 2299160.5);
    EXPECT_DOUBLE_EQ(JulianDayOf(-1000, 2, 29), 1355866.5);
    EXPECT_EQ(DayOfWeek(JulianDayOf(1582, 10, 4)), 4);  // a Thursday
    EXPECT_EQ(DayOfWeek(JulianDayOf(1582, 10, 15)), 5); // a Friday

    for (int day : {5, 10, 14})
        EXPECT_FALSE(IsValidDate(1582, 10, day)) << day;
    for (const auto& [y, m, d] : {std::tuple{1500, 2, 29},
                                  {1582, 10, 4},
                                  {1582, 10, 15},
                                  {1000, 2, 29},
                                  {1600, 2, 29},
                                  {1582, 10, 31}})
        EXPECT_TRUE(IsValidDate(y, m, d)) << y << "-" << m << "-" << d;
    for (const auto& [y, m, d] : {std::tuple{1700, 2, 29},
                                  {1582, 2, 29},
                                  {2023, 4, 31},
                                  {2023, 13, 1},
                                  {2023, 0, 1},
                                  {2023, 1, 0}})
        EXPECT_FALSE(IsValidDate(y, m, d)) << y << "-" << m << "-" << d;
    EXPECT_EQ(ExistingDay(1582, 10, 10), 15);
    EXPECT_EQ(ExistingDay(1582, 10, 4), 4);
    EXPECT_EQ(ExistingDay(1500, 2, 30), 29);
    EXPECT_EQ(ExistingDay(1700, 2, 29), 28);
    EXPECT_EQ(ExistingDay(2023, 5, 0), 1);

    const TDateRec leap = JDToDate(JulianDayOf(1500, 2, 29));
    EXPECT_EQ(leap.Day, 29);
    EXPECT_EQ(leap.Month, 2);
    EXPECT_EQ(MakeDate(1582, 10, 15).JD - MakeDate(1582, 10, 4).JD, 1.0);

    // The days of every month from 1400 to 1700, as the tables list them, follow each other
    // one Julian Day apart, and each is the date JDToDate gives for its JD.
    double previous = JulianDayOf(1399, 12, 31);
    int october1582 = 0;
    for (int year = 1400; year <= 1700; ++year)
        for (int month = 1; month <= 12; ++month)
            for (const TDateRec& d : MonthDates(year, month)) {
                ASSERT_EQ(d.JD, previous + 1.0) << year << "-" << month << "-" << d.Day;
                const TDateRec back = JDToDate(d.JD);
                ASSERT_TRUE(back.Year == d.Year && back.Month == d.Month && back.Day == d.Day)
                    << year << "-" << month << "-" << d.Day;
                previous = d.JD;
                october1582 += year == 1582 && month == 10;
            }
    EXPECT_EQ(october1582, 31 - 10);
    EXPECT_EQ(MonthDates(1500, 2).size(), 29u);
}

TEST(DeltaT, PiecesAtTheirExamples) {
    EXPECT_NEAR(DeltaT(2000), 66.225, 1e-9);
    EXPECT_NEAR(DeltaT(1750), 14.3, 1e-9);
    EXPECT_NEAR(DeltaT(1650), 59.0, 1e-9);
    EXPECT_NEAR(DeltaT(1900), -2.44, 1e-9);
    EXPECT_NEAR(DeltaT(1800),
                -2.5 + 228.95 * -1 + 5218.61 - 56282.84 + 324011.78 - 1061660.75 + 2087298.89 -
                    2513807.78 + 1818961.41 - 727058.63 + 123563.95,
                1e-6);
}

TEST(Normalize360, ReducesIncludingTheNegativeMultipleRule) {
    EXPECT_DOUBLE_EQ(Normalize360(-30), 330);
    EXPECT_DOUBLE_EQ(Normalize360(725), 5);
    EXPECT_DOUBLE_EQ(Normalize360(-360), 360);
    EXPECT_DOUBLE_EQ(Normalize360(0), 0);
    EXPECT_DOUBLE_EQ(Normalize360(360), 0);
    EXPECT_NEAR(Normalize360(-1e7 - 0.5), 79.5, 1e-6); // -10000000.5 + 27778 turns
    EXPECT_NEAR(DegToRad(180.0), Pi, 1e-15);
}

TEST(HoursToSexagesimal, SignPlusOneSecondAndCarries) {
    const TSexagesimal neg = HoursToSexagesimal(-1.5);
    EXPECT_EQ(neg.Sign, NegativeSign);
    EXPECT_EQ(neg.Units, "01");
    EXPECT_EQ(neg.Minutes, "30");
    EXPECT_EQ(neg.Seconds, "01");
    EXPECT_EQ(HoursToSexagesimal(12.0).Seconds, "01");
    EXPECT_EQ(HoursToSexagesimal(12.0).Sign, "  ");
    EXPECT_EQ(HoursToSexagesimal(123.0).Units, "123");

    const TSexagesimal s = HoursToSexagesimal(5 + 10 / 60.0 + 59.2 / 3600.0);
    EXPECT_EQ(s.Minutes, "11");
    EXPECT_EQ(s.Seconds, "00");

    // 59 minutes 59.5 seconds: the literal rule would show 60 minutes.
    const TSexagesimal c = HoursToSexagesimal(7 + 59 / 60.0 + 59.5 / 3600.0);
    EXPECT_EQ(c.Units, "08");
    EXPECT_EQ(c.Minutes, "00");
    EXPECT_EQ(c.Seconds, "00");

    // A right ascension just below 360 degrees reads 00h00m.
    const TSexagesimal ra = HoursToSexagesimal(359.9999 / 15.0, 24);
    EXPECT_EQ(ra.Units, "00");
    EXPECT_EQ(ra.Minutes, "00");
}

TEST(DayOfWeek, BookExampleAndDaysBeforeTheEpoch) {
    // Meeus, ex. 7.e: 1954 June 30 was a Wednesday; 1 January 2000 a Saturday.
    EXPECT_EQ(DayOfWeek(2434923.5), 3);
    EXPECT_EQ(DayOfWeek(2451544.5 + 0.99), 6);
    // JD 0 fell on a Monday (noon, 1 January 4713 BC); the days before it keep the cycle.
    EXPECT_EQ(DayOfWeek(0.0), 1);
    EXPECT_EQ(DayOfWeek(-1.0), 0);
    EXPECT_EQ(DayOfWeek(-2.0), 6);
    EXPECT_EQ(DayOfWeek(-1.6), 6); // the civil day beginning at JD -2.5
    for (double jd = -40.5; jd < 40.0; jd += 1.0)
        EXPECT_EQ(DayOfWeek(jd + 1.0), (DayOfWeek(jd) + 1) % 7) << jd;
}

TEST(Utf8Prefix, CountsCharactersAndNeverSplitsOne) {
    EXPECT_EQ(Utf8Prefix("February", 3), "Feb");
    EXPECT_EQ(Utf8Prefix("f\u00e9vrier", 3), "f\u00e9v");
    EXPECT_EQ(Utf8Prefix("\u00e9t\u00e9", 1), "\u00e9");
    EXPECT_EQ(Utf8Prefix("\U0001F315 full", 2), "\U0001F315 ");
    EXPECT_EQ(Utf8Prefix("Mai", 7), "Mai");
    EXPECT_EQ(Utf8Prefix("Mai", 0), "");
    EXPECT_EQ(Utf8Prefix("", 3), "");
}

TEST(TextHelpers, DateTimeTextKeyFilterZeroPad) {
    EXPECT_EQ(DateTimeText(MakeDate(2024, 1, 5, 7, 8, 9)), "07:08:09  05 January 2024");
    EXPECT_EQ(DateTimeTextNoSeconds(MakeDate(2024, 1, 5, 7, 8, 9)), "07:08  05 January 2024");

    for (char k : {'0', '9', '\b', '\r'}) {
        char key = k;
        EXPECT_EQ(NumericKeyFilter(key, 0), k);
    }
    for (char k : {'.', '-', 'a', ' '}) {
        char key = k;
        EXPECT_EQ(NumericKeyFilter(key, 0), '\0');
    }
    char dot = '.';
    EXPECT_EQ(NumericKeyFilter(dot, 1), '.');
    char letter = 'x';
    EXPECT_EQ(NumericKeyFilter(letter, 1), '\0');
    char other = 'x';
    EXPECT_EQ(NumericKeyFilter(other, 7), 'x');

    EXPECT_EQ(ZeroPad("7", 2), "07");
    EXPECT_EQ(ZeroPad("123", 2), "");
    EXPECT_EQ(ZeroPad("12", 2), "12");
    EXPECT_EQ(ZeroPad("", 2), "00");
    EXPECT_EQ(PanelTextColour(), (TRgb{255, 255, 176}));
}

} // namespace
