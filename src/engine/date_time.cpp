// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/date_time.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace {

std::int64_t Trunc64(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

// The calendar date of the civil day that starts at Julian Day z - 0.5.
void DateOfDayNumber(std::int64_t z, int& year, int& month, int& day) {
    std::int64_t a = z;
    if (z >= 2299161) { // 15 October 1582, the first Gregorian day
        const std::int64_t alpha = Trunc64((static_cast<double>(z) - 1867216.25) / 36524.25);
        a = z + 1 + alpha - alpha / 4;
    }
    const std::int64_t b = a + 1524;
    const std::int64_t c = Trunc64((static_cast<double>(b) - 122.1) / 365.25);
    const std::int64_t d = Trunc64(365.25 * static_cast<double>(c));
    const std::int64_t e = Trunc64(static_cast<double>(b - d) / 30.6001);
    day = static_cast<int>(b - d - Trunc64(30.6001 * static_cast<double>(e)));
    month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    year = static_cast<int>(month > 2 ? c - 4716 : c - 4715);
}

} // namespace

double JulianDayOf(int year, int month, int day, int hour, int minute, int second) {
    const double d = day + hour / 24.0 + minute / 1440.0 + second / 86400.0;
    int y = year;
    int m = month;
    if (m <= 2) {
        m += 12;
        y -= 1;
    }
    // Compared on the shifted year and month: January and February 1583 are y = 1582, m > 12.
    const bool julian =
        y < GregorianStartYear || (y == GregorianStartYear && m < GregorianStartMonth) ||
        (y == GregorianStartYear && m == GregorianStartMonth && day < GregorianStartDay);
    int b = 0;
    if (!julian) {
        const int a = y / 100;
        b = 2 - a + a / 4;
    }
    return static_cast<double>(Trunc64(365.25 * (y + 4716))) +
           static_cast<double>(Trunc64(30.6001 * (m + 1))) + d + b - 1524.5;
}

double JulianDay(const TDateRec& date) {
    return JulianDayOf(date.Year, date.Month, date.Day, date.Hour, date.Minute, date.Second);
}

TDateRec MakeDate(int year, int month, int day, int hour, int minute, int second) {
    auto field = [](int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 65535)); };
    TDateRec date;
    date.Year = field(year);
    date.Month = field(month);
    date.Day = field(day);
    date.Hour = field(hour);
    date.Minute = field(minute);
    date.Second = field(second);
    date.MSec = 0;
    date.JD = JulianDay(date);
    return date;
}

double NewYearJD(int year) {
    return JulianDayOf(year, 1, 1);
}

TDateRec JDToDate(double jd) {
    static const double first = JulianDayOf(0, 1, 1);
    static const double last = JulianDayOf(65535, 12, 31, 23, 59, 59);
    if (!(jd >= first)) return MakeDate(0, 1, 1);
    if (jd > last) return MakeDate(65535, 12, 31, 23, 59, 59);

    const double j = jd + 0.5;
    std::int64_t z = Trunc64(j);
    const double f = j - static_cast<double>(z);

    const double h = f * 24.0;
    int hour = static_cast<int>(std::trunc(h));
    const double m = (h - hour) * 60.0;
    int minute = static_cast<int>(std::trunc(m));
    int second = static_cast<int>(std::nearbyint((m - minute) * 60.0));
    // A moment just before a full minute rounds up to it: carry through to the day.
    if (second >= 60) {
        second -= 60;
        ++minute;
    }
    if (minute >= 60) {
        minute -= 60;
        ++hour;
    }
    if (hour >= 24) {
        hour -= 24;
        ++z;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    DateOfDayNumber(z, year, month, day);
    return MakeDate(year, month, day, hour, minute, second);
}

int DayOfWeek(double jd) {
    if (!std::isfinite(jd)) return 0;
    const double day = std::fmod(std::floor(jd + 1.5), 7.0);
    return static_cast<int>(day < 0.0 ? day + 7.0 : day);
}

bool IsLeapYear(int year) {
    if (year <= GregorianStartYear) return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

namespace {

bool InCalendarGap(int year, int month, int day) {
    return year == GregorianStartYear && month == GregorianStartMonth && day > LastJulianDay &&
           day < GregorianStartDay;
}

} // namespace

bool IsValidDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, year) &&
           !InCalendarGap(year, month, day);
}

int ExistingDay(int year, int month, int day) {
    const int clamped = std::clamp(day, 1, std::max(1, DaysInMonth(month, year)));
    return InCalendarGap(year, month, clamped) ? GregorianStartDay : clamped;
}

std::vector<TDateRec> MonthDates(int year, int month) {
    std::vector<TDateRec> dates;
    for (int day = 1; day <= DaysInMonth(month, year); ++day)
        if (IsValidDate(year, month, day)) dates.push_back(MakeDate(year, month, day));
    return dates;
}

double DeltaT(double y) {
    // Espenak & Meeus style piecewise fits; the later matching piece wins.
    double dt = 0.0;
    const double t = (y - 2000.0) / 100.0;
    const double th = (y - 1900.0) / 100.0;
    if (y < 948) dt = 2177 + 497 * t + 44.1 * t * t;
    if (y >= 948 && y <= 1600) dt = 102 + 102 * t + 25.3 * t * t;
    if (y >= 1800 && y <= 1899) {
        static constexpr double c[] = {-2.5,       228.95,     5218.61,    56282.84,
                                       324011.78,  1061660.75, 2087298.89, 2513807.78,
                                       1818961.41, 727058.63,  123563.95};
        double p = 0.0;
        for (int i = 10; i >= 0; --i)
            p = p * th + c[i];
        dt = p;
    }
    if (y >= 1900 && y <= 1997) {
        static constexpr double c[] = {-2.44,     87.24,      815.2,     -2637.8,    -18756.33,
                                       124906.15, -303191.19, 372919.88, -232424.66, 58353.42};
        double p = 0.0;
        for (int i = 9; i >= 0; --i)
            p = p * th + c[i];
        dt = p;
    }
    if (y >= 1998) dt = -15 + 0.00225 * (y - 1810) * (y - 1810);
    if (y > 1600 && y <= 1700) dt = 5 + 0.015 * (y - 1710) * (y - 1710);
    if (y > 1700 && y < 1800) dt = 17 - 0.00075 * (y - 1810) * (y - 1810);
    return dt;
}

double JulianDayNow() {
    using namespace std::chrono;
    return JulianDayOfUnixSeconds(
        duration_cast<duration<double>>(system_clock::now().time_since_epoch()).count());
}
