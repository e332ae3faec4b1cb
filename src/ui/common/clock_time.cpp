// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/clock_time.h"

#include "engine/text_helpers.h"

double DisplayedSecondOfDay(const TDateRec& date, double clockOffset) {
    double s = date.Hour * 3600.0 + date.Minute * 60.0 + date.Second + clockOffset * SecondsPerDay;
    if (s < 0) s += SecondsPerDay;
    if (s >= SecondsPerDay) s -= SecondsPerDay;
    return s;
}

double DisplayedJD(const TDateRec& date, double clockOffset) {
    TDateRec day = date;
    day.Hour = day.Minute = day.Second = day.MSec = 0;
    return JulianDay(day) + DisplayedSecondOfDay(date, clockOffset) / SecondsPerDay;
}

void SetTimeOfDay(TDateRec& date, const QDateTime& localNow) {
    const QTime time = localNow.time();
    date.Hour = static_cast<std::uint16_t>(time.hour());
    date.Minute = static_cast<std::uint16_t>(time.minute());
    date.Second = static_cast<std::uint16_t>(time.second());
    date.MSec = static_cast<std::uint16_t>(time.msec());
    date.JD = JulianDay(date);
}

bool GetTime(TDateRec& selectedDate, double clockOffset, const QDateTime& localNow) {
    const double before = DisplayedSecondOfDay(selectedDate, clockOffset);
    SetTimeOfDay(selectedDate, localNow);
    const double after = DisplayedSecondOfDay(selectedDate, clockOffset);
    if (before - after <= SecondsPerDay / 2) return false;
    const TDateRec now = selectedDate;
    selectedDate = JDToDate(now.JD + 1);
    // The same time of day on the next day (JDToDate rounds the seconds).
    selectedDate.Hour = now.Hour;
    selectedDate.Minute = now.Minute;
    selectedDate.Second = now.Second;
    selectedDate.MSec = now.MSec;
    selectedDate.JD = JulianDay(selectedDate);
    return true;
}

std::string DisplayTime(const TDateRec& date, double clockOffset) {
    return DateTimeText(JDToDate(DisplayedJD(date, clockOffset)));
}

double ClockOffsetFor(int hour, int minute, int second, const TDateRec& clockNow) {
    return (hour * 3600.0 + minute * 60.0 + second - clockNow.Hour * 3600.0 -
            clockNow.Minute * 60.0 - clockNow.Second) /
           SecondsPerDay;
}
