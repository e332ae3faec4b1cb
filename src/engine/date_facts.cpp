// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/date_facts.h"

#include <cmath>

namespace {

// 1 Monday .. 7 Sunday of the civil day that begins at Julian Day jd (Meeus, ch. 7).
int IsoWeekday(double jd) {
    const int fromSunday = DayOfWeek(jd);
    return fromSunday == 0 ? 7 : fromSunday;
}

int DayOfYear(double jd, int year) {
    return static_cast<int>(std::trunc(jd - NewYearJD(year))) + 1;
}

// ISO 8601: a week belongs to the year that holds its Thursday.
void FillIsoWeek(double jd, TDateFacts& facts) {
    facts.Weekday = IsoWeekday(jd);
    const double thursday = jd + (4 - facts.Weekday);
    facts.WeekYear = JDToDate(thursday).Year;
    facts.Week = (DayOfYear(thursday, facts.WeekYear) - 1) / 7 + 1;
}

int DaysTillChristmas(double jd, int year) {
    int days = static_cast<int>(std::trunc(JulianDayOf(year, 12, 25) - jd));
    if (days < 0) days = static_cast<int>(std::trunc(JulianDayOf(year + 1, 12, 25) - jd));
    return days;
}

} // namespace

TDateFacts DateFacts(const TDateRec& date) {
    TDateFacts facts;
    facts.JulianDay = JulianDayOf(date.Year, date.Month, date.Day);
    facts.DayNumber = DayOfYear(facts.JulianDay, date.Year);
    FillIsoWeek(facts.JulianDay, facts);
    facts.DaysTillXmas = DaysTillChristmas(facts.JulianDay, date.Year);
    return facts;
}
