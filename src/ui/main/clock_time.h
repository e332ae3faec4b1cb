#pragma once

// Following the clock: the step that takes the time of day into the selected moment and
// turns the day over at the displayed midnight, and the displayed moment's text.

#include <string>

#include <QDateTime>

#include "engine/date_time.h"

inline constexpr int SecondsPerDay = 86400;

// The clock's time of day taken into the date (the date itself is kept); JD recomputed.
void SetTimeOfDay(TDateRec& date, const QDateTime& localNow);

// GetTime: takes the clock's time of day into selectedDate and returns true when the
// displayed time (clock + clockOffset days) has passed midnight since the previous tick;
// selectedDate is then the next day at the same time, and the caller shows its month.
// A clock that steps back (a correction, the end of daylight saving) turns no day over:
// only a fall of more than half a day in the displayed second of the day counts.
[[nodiscard]] bool GetTime(TDateRec& selectedDate, double clockOffset, const QDateTime& localNow);

// The displayed moment "HH:MM:SS  DD Month YYYY": the selected JD plus the clock offset.
[[nodiscard]] std::string DisplayTime(const TDateRec& date, double clockOffset);

// The clock offset (days) that shows the time h:m:s when the clock reads clockNow's time.
[[nodiscard]] double ClockOffsetFor(int hour, int minute, int second, const TDateRec& clockNow);
