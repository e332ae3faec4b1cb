#include "engine/date_time.h"

#include <cmath>
#include <cstdint>

namespace {

std::int64_t Trunc64(double x) {
    return static_cast<std::int64_t>(std::trunc(x));
}

// The calendar date of the civil day that starts at Julian Day z - 0.5.
void DateOfDayNumber(std::int64_t z, TDateRec& date) {
    std::int64_t a = z;
    if (z >= 2299161) {
        const std::int64_t alpha = Trunc64((static_cast<double>(z) - 1867216.25) / 36524.25);
        a = z + 1 + alpha - alpha / 4;
    }
    const std::int64_t b = a + 1524;
    const std::int64_t c = Trunc64((static_cast<double>(b) - 122.1) / 365.25);
    const std::int64_t d = Trunc64(365.25 * static_cast<double>(c));
    const std::int64_t e = Trunc64(static_cast<double>(b - d) / 30.6001);
    const std::int64_t day = b - d - Trunc64(30.6001 * static_cast<double>(e));
    const std::int64_t month = e < 14 ? e - 1 : e - 13;
    const std::int64_t year = month > 2 ? c - 4716 : c - 4715;
    date.Day = static_cast<std::uint16_t>(day);
    date.Month = static_cast<std::uint16_t>(month);
    date.Year = static_cast<std::uint16_t>(year);
}

} // namespace

double JulianDay(const TDateRec& date) {
    const double d = date.Day + date.Hour / 24.0 + date.Minute / 1440.0 + date.Second / 86400.0;
    int y = date.Year;
    int m = date.Month;
    if (m <= 2) {
        m += 12;
        y -= 1;
    }
    const bool julian =
        y < 1582 || (y == 1582 && m < 10) || (y == 1582 && m == 10 && date.Day < 15);
    int b = 0;
    if (!julian) {
        const int a = y / 100;
        b = 2 - a + a / 4;
    }
    return static_cast<double>(Trunc64(365.25 * (y + 4716))) +
           static_cast<double>(Trunc64(30.6001 * (m + 1))) + d + b - 1524.5;
}

TDateRec MakeDate(int year, int month, int day, int hour, int minute, int second) {
    TDateRec date;
    date.Year = static_cast<std::uint16_t>(year);
    date.Month = static_cast<std::uint16_t>(month);
    date.Day = static_cast<std::uint16_t>(day);
    date.Hour = static_cast<std::uint16_t>(hour);
    date.Minute = static_cast<std::uint16_t>(minute);
    date.Second = static_cast<std::uint16_t>(second);
    date.JD = JulianDay(date);
    return date;
}

double NewYearJD(int year) {
    TDateRec date;
    date.Day = 1;
    date.Month = 1;
    date.Year = static_cast<std::uint16_t>(year);
    return JulianDay(date);
}

TDateRec JDToDate(double jd) {
    TDateRec date;
    date.Hour = date.Minute = date.Second = date.MSec = 0;
    if (!std::isfinite(jd) || std::fabs(jd) > 1.0e12) {
        date.Day = date.Month = 1;
        date.Year = 0;
        return date;
    }
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
    DateOfDayNumber(z, date);
    date.Hour = static_cast<std::uint16_t>(hour);
    date.Minute = static_cast<std::uint16_t>(minute);
    date.Second = static_cast<std::uint16_t>(second);
    return date;
}

int DaysInMonth(int month, int year) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
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
