// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time server's reply (HTTP, or the daytime protocol's bare line), read from its raw bytes (no
// Qt, so it can be fuzzed and tested without a network). The body's first line with any text in it
// has the layout of the NIST daytime service,
//
//   60000 23-02-25 12:34:56 00 0 0  50.0 UTC(NIST) *
//   ^MJD            ^hh:mm:ss (universal time; 1-based columns 1-5, 16-17, 19-20, 22-23)
//
// or holds an ISO 8601 or RFC 2822 time with its zone (time_line_forms.h).
//
// The client hands over what it has received so far; the parser says whether it needs more.
// Nothing beyond MaxTimeReplyBytes is ever looked at: a server that sends without end, or
// endless headers, gets TooLong.
//
//   TTimeReply reply = ParseTimeReply(received, closed, PlausibleServerSpan(clockJD));
//   if (reply.Status == TTimeReplyStatus::Incomplete) read on...

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/date_time.h"

// Status line, headers and the first line of the body all fit easily in this.
inline constexpr std::size_t MaxTimeReplyBytes = 16 * 1024;

// How far past the later of the build date and the computer's clock a server's time may be.
inline constexpr int PlausibleYearsAhead = 5;

enum class TTimeReplyStatus {
    Incomplete, // more bytes are needed, and the connection is still open
    Ok,         // Utc holds the server's time
    HttpError,  // a status other than 200: HttpStatus and Reason
    Malformed,  // not an HTTP response
    TooLong,    // no complete first line within MaxTimeReplyBytes
    NotATime,   // FirstLine is not a time in any layout read
    NoZone,     // FirstLine is a date and time without a zone (the ctime layout)
    TooEarly,   // a daytime line before the program was built
    TooLate,    // a daytime line too far in the future
};

struct [[nodiscard]] TTimeReply {
    TTimeReplyStatus Status = TTimeReplyStatus::Incomplete;
    int HttpStatus = 0;
    std::string Reason;      // the status line's reason phrase
    std::string FirstLine;   // the body's first line with text in it, without its line break
    TDateRec Utc;            // with its JD, for Ok, TooEarly and TooLate
    bool LeapSecond = false; // the server said 23:59:60; Utc holds 23:59:59
};

// The span of Julian Days a server's time may fall in.
struct TPlausibleSpan {
    double EarliestJD = 0;
    double LatestJD = 0;
};

// The day this program was built (from the compiler's __DATE__), as a date record.
[[nodiscard]] TDateRec BuildDate();

// From the build date's midnight to PlausibleYearsAhead years after the later of the build
// date and the computer's clock (a clock reset to 1970 must not refuse a true time).
[[nodiscard]] TPlausibleSpan PlausibleServerSpan(double clockJD);

// The date and time of a daytime line: JD = MJD + 2400000.5 + h/24 + m/1440 + s/86400.
// Empty when a field is not a number or out of range. A leap second (23:59:60) gives
// 23:59:59 with leapSecond set.
[[nodiscard]] std::optional<TDateRec> ParseDaytimeLine(std::string_view line,
                                                       bool* leapSecond = nullptr);

// Reads the reply's bytes received so far; `ended` when the server closed the connection.
[[nodiscard]] TTimeReply ParseTimeReply(std::string_view bytes, bool ended,
                                        const TPlausibleSpan& span);

// The same for a daytime server (RFC 867), which sends the line alone, no HTTP around it: the
// first line with text decides as soon as it ends (or the server closes); HttpStatus stays 0.
[[nodiscard]] TTimeReply ParseDaytimeReply(std::string_view bytes, bool ended,
                                           const TPlausibleSpan& span);
