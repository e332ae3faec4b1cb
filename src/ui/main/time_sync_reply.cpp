// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/time_sync_reply.h"

#include <algorithm>

#include "ui/main/reply_text.h"
#include "ui/main/time_line_forms.h"

namespace {

// __DATE__ is "Mmm dd yyyy", the day padded with a blank ("Jun  7 2026").
constexpr std::string_view CompiledOn = __DATE__;

constexpr int DigitAt(std::size_t at) {
    return CompiledOn[at] == ' ' ? 0 : CompiledOn[at] - '0';
}

constexpr int BuildYear = DigitAt(7) * 1000 + DigitAt(8) * 100 + DigitAt(9) * 10 + DigitAt(10);
constexpr int BuildMonth =
    static_cast<int>(MonthAbbreviations.find(CompiledOn.substr(0, 3))) / 3 + 1;
constexpr int BuildDay = DigitAt(4) * 10 + DigitAt(5);
static_assert(BuildYear >= 2025 && BuildMonth >= 1 && BuildMonth <= 12 && BuildDay >= 1 &&
                  BuildDay <= 31,
              "the compiler's __DATE__ is not a build date");

constexpr double DaysPerYear = 365.25;

bool HasText(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) { return !IsReplyBlank(c); });
}

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at)
        if (EqualsIgnoringCase(text.substr(at, word.size()), word)) return true;
    return false;
}

// The 1-based columns first..first+count-1 as a number, when all are digits.
std::optional<int> Field(std::string_view line, std::size_t first, std::size_t count) {
    if (line.size() < first - 1 + count) return std::nullopt;
    int value = 0;
    for (char c : line.substr(first - 1, count)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A decimal or hexadecimal count, capped just above MaxTimeReplyBytes (more cannot be read
// anyway). Empty when it does not start with a digit.
std::optional<std::size_t> Count(std::string_view text, int base) {
    std::size_t value = 0, digits = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (base == 16 && LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f')
            digit = LowerAscii(c) - 'a' + 10;
        if (digit < 0) break;
        value = std::min(value * base + digit, MaxTimeReplyBytes + 1);
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return value;
}

TTimeReply WithStatus(TTimeReplyStatus status) {
    TTimeReply reply;
    reply.Status = status;
    return reply;
}

// What a part cut short means: wait for more while the server may still send it.
TTimeReply CutShort(bool capped, bool ended) {
    if (capped) return WithStatus(TTimeReplyStatus::TooLong);
    return WithStatus(ended ? TTimeReplyStatus::Malformed : TTimeReplyStatus::Incomplete);
}

// "HTTP/1.1 200 OK": the status code and the reason phrase.
bool ReadStatusLine(std::string_view line, TTimeReply& reply) {
    constexpr std::string_view Protocol = "HTTP/";
    if (line.substr(0, Protocol.size()) != Protocol) return false;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return false;
    const std::string_view rest = line.substr(space + 1);
    const auto code = Field(rest, 1, 3);
    if (!code || *code < 100 || (rest.size() > 3 && rest[3] != ' ')) return false;
    reply.HttpStatus = *code;
    reply.Reason = std::string(TrimmedBlanks(rest.substr(std::min<std::size_t>(rest.size(), 4))));
    return true;
}

// The body's data from a chunked transfer (each chunk: its size in hexadecimal on a line,
// the data, a line break; a chunk of size 0 ends it). `complete` when that last chunk came.
std::string Dechunked(std::string_view chunks, bool& complete) {
    std::string body;
    complete = false;
    std::size_t at = 0;
    while (at < chunks.size()) {
        const std::size_t lineEnd = chunks.find('\n', at);
        if (lineEnd == std::string_view::npos) break;
        const auto size = Count(chunks.substr(at, lineEnd - at), 16);
        if (!size || *size == 0) {
            complete = true; // the last chunk, or a size that is no size: no more body
            break;
        }
        const std::string_view data = chunks.substr(lineEnd + 1, *size);
        body += data;
        if (data.size() < *size) break;
        at = lineEnd + 1 + *size;
        if (at < chunks.size() && chunks[at] == '\r') ++at;
        if (at < chunks.size() && chunks[at] == '\n') ++at;
    }
    return body;
}

// NIST's layout first, then the others.
TTimeLine ReadTimeLine(std::string_view line) {
    TTimeLine time;
    if (const auto nist = ParseDaytimeLine(line, &time.LeapSecond)) {
        time.Kind = TTimeLineKind::Time;
        time.Utc = *nist;
        return time;
    }
    return ReadZonedTimeLine(line);
}

// The first line with any text in it (a daytime reply may begin with an empty line) read as
// a time and judged against the span; Incomplete (or TooLong) while no such line has
// ended and more may come.
TTimeReply TimeFromBody(std::string_view body, bool ended, bool capped, const TPlausibleSpan& span,
                        TTimeReply reply) {
    std::string_view rest = body;
    for (;;) {
        const std::size_t lineEnd = rest.find('\n');
        if (lineEnd == std::string_view::npos && !ended) return CutShort(capped, false);
        const std::string_view line = WithoutCarriageReturn(rest.substr(0, lineEnd));
        if (HasText(line) || lineEnd == std::string_view::npos) {
            reply.FirstLine = std::string(line);
            break;
        }
        rest.remove_prefix(lineEnd + 1);
    }

    const TTimeLine time = ReadTimeLine(reply.FirstLine);
    if (time.Kind != TTimeLineKind::Time) {
        reply.Status = time.Kind == TTimeLineKind::NoZone ? TTimeReplyStatus::NoZone
                                                          : TTimeReplyStatus::NotATime;
        return reply;
    }
    reply.Utc = time.Utc;
    reply.LeapSecond = time.LeapSecond;
    if (!(reply.Utc.JD >= span.EarliestJD))
        reply.Status = TTimeReplyStatus::TooEarly;
    else if (!(reply.Utc.JD <= span.LatestJD))
        reply.Status = TTimeReplyStatus::TooLate;
    else
        reply.Status = TTimeReplyStatus::Ok;
    return reply;
}

} // namespace

TDateRec BuildDate() {
    return JDToDate(JulianDayOf(BuildYear, BuildMonth, BuildDay));
}

TPlausibleSpan PlausibleServerSpan(double clockJD) {
    TPlausibleSpan span;
    span.EarliestJD = BuildDate().JD;
    span.LatestJD = std::max(span.EarliestJD, clockJD) + PlausibleYearsAhead * DaysPerYear;
    return span;
}

std::optional<TDateRec> ParseDaytimeLine(std::string_view line, bool* leapSecond) {
    const auto mjd = Field(line, 1, 5), hour = Field(line, 16, 2), minute = Field(line, 19, 2);
    auto second = Field(line, 22, 2);
    if (!mjd || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    // A leap second is the 61st second of the day's last minute, and the Julian Day count has
    // no room for it: 23:59:60 would become 00:00:00 of the next day, a whole day wrong for
    // the date shown. The clock is set to 23:59:59 instead, one second behind for one second.
    const bool leap = *second == 60;
    if (leap && (*hour != 23 || *minute != 59)) return std::nullopt;
    if (leap) second = 59;
    if (leapSecond) *leapSecond = leap;
    const double jd = *mjd + 2400000.5 + *hour / 24.0 + *minute / 1440.0 + *second / 86400.0;
    TDateRec date = JDToDate(jd);
    date.JD = jd;
    return date;
}

TTimeReply ParseTimeReply(std::string_view bytes, bool ended, const TPlausibleSpan& span) {
    const bool capped = bytes.size() > MaxTimeReplyBytes;
    bytes = bytes.substr(0, MaxTimeReplyBytes);
    // Not HTTP at all: no need to wait for the rest.
    constexpr std::string_view Protocol = "HTTP/";
    if (bytes.substr(0, Protocol.size()) !=
        Protocol.substr(0, std::min(bytes.size(), Protocol.size())))
        return WithStatus(TTimeReplyStatus::Malformed);

    std::size_t lineEnd = bytes.find('\n');
    if (lineEnd == std::string_view::npos) return CutShort(capped, ended);
    TTimeReply reply;
    if (!ReadStatusLine(WithoutCarriageReturn(bytes.substr(0, lineEnd)), reply))
        return WithStatus(TTimeReplyStatus::Malformed);
    if (reply.HttpStatus != 200) {
        reply.Status = TTimeReplyStatus::HttpError;
        return reply;
    }

    // Headers, up to the empty line; only the body's length and framing matter here.
    std::optional<std::size_t> contentLength;
    bool chunked = false;
    std::size_t at = lineEnd + 1;
    for (;;) {
        lineEnd = bytes.find('\n', at);
        if (lineEnd == std::string_view::npos) return CutShort(capped, ended);
        const std::string_view line = WithoutCarriageReturn(bytes.substr(at, lineEnd - at));
        at = lineEnd + 1;
        if (line.empty()) break;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = TrimmedBlanks(line.substr(0, colon));
        const std::string_view value = TrimmedBlanks(line.substr(colon + 1));
        if (EqualsIgnoringCase(name, "Content-Length")) contentLength = Count(value, 10);
        if (EqualsIgnoringCase(name, "Transfer-Encoding"))
            chunked = ContainsIgnoringCase(value, "chunked");
    }

    std::string body;
    bool bodyEnded = ended;
    if (chunked) {
        bool lastChunk = false;
        body = Dechunked(bytes.substr(at), lastChunk);
        bodyEnded = bodyEnded || lastChunk;
    } else {
        body = std::string(bytes.substr(at));
        if (contentLength && body.size() >= *contentLength) {
            body.resize(*contentLength);
            bodyEnded = true;
        }
    }

    return TimeFromBody(body, bodyEnded, capped, span, reply);
}

TTimeReply ParseDaytimeReply(std::string_view bytes, bool ended, const TPlausibleSpan& span) {
    const bool capped = bytes.size() > MaxTimeReplyBytes;
    bytes = bytes.substr(0, MaxTimeReplyBytes);
    // Past the limit without a line with text in it: TooLong, however the server goes on.
    return TimeFromBody(bytes, ended && !capped, capped, span, TTimeReply{});
}
