// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Time servers that do not use NIST's daytime layout: a line with an ISO 8601 time
// ("2026-12-07T19:29:11Z", "2026-12-07 20:29:11.25+01:00") or an RFC 2822 one ("Mon, 07 Dec
// 2026 19:29:11 +0000", also GMT, UT, UTC and the US zone names). A time without a zone (the
// ctime layout "Mon Dec  7 19:29:11 2026" that many RFC 867 servers send, or either form above
// without its zone) names no instant: it is recognised, so that the user can be told why it
// is refused.

#include <string_view>

#include "engine/date_time.h"

enum class TTimeLineKind {
    Time,     // Utc holds the instant
    NoZone,   // a date and time of day with no zone
    NotATime, // none of the layouts
};

struct [[nodiscard]] TTimeLine {
    TTimeLineKind Kind = TTimeLineKind::NotATime;
    TDateRec Utc;            // with its JD, for Time
    bool LeapSecond = false; // :60 at 23:59 UT, read as 23:59:59
};

// The line, blanks at either end ignored.
[[nodiscard]] TTimeLine ReadZonedTimeLine(std::string_view line);
