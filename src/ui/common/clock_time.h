// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Following the clock: the step that takes the time of day into the selected moment and
// turns the day over at the displayed midnight, and the displayed moment's text.

#include <string>

#include <QDateTime>

#include "engine/date_time.h"

inline constexpr int SecondsPerDay = 86400;

// The clock's time of day taken into the date (the date itself is kept); JD recomputed.
void SetTimeOfDay(TDateRec& date, const QDateTime& localNow);

// The displayed second of the day (clock time + clockOffset days), wrapped into 0..86400;
// displayed midnight itself is the new day's first second.
[[nodiscard]] double DisplayedSecondOfDay(const TDateRec& date, double clockOffset);

// The displayed moment as a local JD: the selected day at the shifted clock time. The day
// itself moves on at displayed midnight (GetTime), so the shift never carries it twice.
[[nodiscard]] double DisplayedJD(const TDateRec& date, double clockOffset);

// GetTime: takes the clock's time of day into selectedDate and returns true when the
// displayed time (clock + clockOffset days) has passed midnight since the previous tick;
// selectedDate is then the next day at the same time, and the caller shows its month.
// A clock that steps back (a correction, the end of daylight saving) turns no day over:
// only a fall of more than half a day in the displayed second of the day counts.
[[nodiscard]] bool GetTime(TDateRec& selectedDate, double clockOffset, const QDateTime& localNow);

// The displayed moment "HH:MM:SS  DD Month YYYY".
[[nodiscard]] std::string DisplayTime(const TDateRec& date, double clockOffset);

// The clock offset (days) that shows the time h:m:s when the clock reads clockNow's time.
[[nodiscard]] double ClockOffsetFor(int hour, int minute, int second, const TDateRec& clockNow);
