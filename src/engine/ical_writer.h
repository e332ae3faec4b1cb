// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Calendar files in the iCalendar format (RFC 5545): one VCALENDAR of VEVENTs, times in UTC,
// text values escaped, lines folded at 75 octets and ended by CRLF.
//
//   TCalendarEvent e;
//   e.Uid = "full-moon-20260303T1138Z@tidewell";
//   e.Start = MakeDate(2026, 3, 3, 11, 38);
//   e.Summary = "Full Moon (Worm Moon)";
//   const std::string text = CalendarText({e}, "Tidewell 2026", stampUtc);

#include <string>
#include <string_view>
#include <vector>

#include "engine/date_time.h"

// The longest line in octets, its CRLF not counted (RFC 5545, 3.1).
inline constexpr std::size_t MaxCalendarLineOctets = 75;

// The PRODID of the files made here: "-//Tidewell//Tidewell V2.62//EN" (RFC 5545, 3.7.3).
[[nodiscard]] std::string CalendarProductId();

// One event. Start is Universal Time to the minute (its seconds are dropped).
struct TCalendarEvent {
    std::string Uid;
    TDateRec Start;
    int DurationMinutes = 1; // DTEND = Start + this; at least 1
    std::string Summary;
    std::string Description; // may hold line breaks
};

// "20260303T113800Z": a date record as a UTC date-time value, the seconds dropped.
[[nodiscard]] std::string CalendarUtcText(const TDateRec& utc);

// A TEXT value: backslash, semicolon and comma escaped, a line break written "\n"; other
// control characters left out.
[[nodiscard]] std::string EscapeCalendarText(std::string_view text);

// One content line folded into pieces of at most MaxCalendarLineOctets octets, each ended by
// CRLF, the continuations starting with a blank; a UTF-8 sequence is never split.
[[nodiscard]] std::string FoldCalendarLine(std::string_view line);

// The whole calendar, events in the order given. stampUtc is the DTSTAMP of every event (when
// the file was made); name becomes X-WR-CALNAME when not empty.
[[nodiscard]] std::string CalendarText(const std::vector<TCalendarEvent>& events,
                                       const std::string& name, const TDateRec& stampUtc);
