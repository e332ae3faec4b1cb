#include "ui/main/clock_time.h"

#include "engine/text_helpers.h"

namespace {

// The displayed second of the day, wrapped into 0..86400.
double DisplayedSecond(const TDateRec& date, double clockOffset) {
    double a = date.Hour * 3600.0 + date.Minute * 60.0 + date.Second + clockOffset * SecondsPerDay;
    if (a < 0) a += SecondsPerDay;
    if (a > SecondsPerDay) a -= SecondsPerDay;
    return a;
}

} // namespace

void SetTimeOfDay(TDateRec& date, const QDateTime& localNow) {
    const QTime time = localNow.time();
    date.Hour = static_cast<std::uint16_t>(time.hour());
    date.Minute = static_cast<std::uint16_t>(time.minute());
    date.Second = static_cast<std::uint16_t>(time.second());
    date.MSec = static_cast<std::uint16_t>(time.msec());
    date.JD = JulianDay(date);
}

bool GetTime(TDateRec& selectedDate, double clockOffset, const QDateTime& localNow) {
    const double before = DisplayedSecond(selectedDate, clockOffset);
    SetTimeOfDay(selectedDate, localNow);
    const double after = DisplayedSecond(selectedDate, clockOffset);
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
    return DateTimeText(JDToDate(date.JD + clockOffset));
}

double ClockOffsetFor(int hour, int minute, int second, const TDateRec& clockNow) {
    return (hour * 3600.0 + minute * 60.0 + second - clockNow.Hour * 3600.0 -
            clockNow.Minute * 60.0 - clockNow.Second) /
           SecondsPerDay;
}
