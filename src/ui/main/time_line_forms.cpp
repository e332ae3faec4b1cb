// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/time_line_forms.h"

#include <optional>
#include <vector>

#include "ui/main/reply_text.h"

namespace {

// A date and time of day as written, before its zone is applied.
struct TWallTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

constexpr int MinutesPerDay = 1440;

// The value of a run of decimal digits of the given length (any length when 0), or nothing.
std::optional<int> Number(std::string_view text, std::size_t length = 0) {
    if (text.empty() || text.size() > 9 || (length != 0 && text.size() != length))
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> MonthNumber(std::string_view name) {
    for (int month = 1; month <= 12; ++month)
        if (EqualsIgnoringCase(name, MonthAbbreviations.substr(3 * (month - 1), 3))) return month;
    return std::nullopt;
}

bool IsWeekday(std::string_view name) {
    constexpr std::string_view Days = "SunMonTueWedThuFriSat";
    for (std::size_t at = 0; at < Days.size(); at += 3)
        if (EqualsIgnoringCase(name, Days.substr(at, 3))) return true;
    return false;
}

// "hh:mm" or "hh:mm:ss" into the wall time.
bool ReadClock(std::string_view text, TWallTime& t, bool secondsRequired) {
    if (text.size() < 5 || text[2] != ':') return false;
    const auto h = Number(text.substr(0, 2), 2), m = Number(text.substr(3, 2), 2);
    if (!h || !m) return false;
    t.Hour = *h;
    t.Minute = *m;
    t.Second = 0;
    if (text.size() == 5) return !secondsRequired;
    const auto s = Number(text.substr(6), 2);
    if (text[5] != ':' || !s) return false;
    t.Second = *s;
    return true;
}

bool IsRealWallTime(const TWallTime& t) {
    return t.Year >= 1 && t.Year <= LastCalendarYear && IsValidDate(t.Year, t.Month, t.Day) &&
           t.Hour <= 23 && t.Minute <= 59 && t.Second <= 60;
}

// The instant of a wall time in a zone east of Greenwich by offsetMinutes. A leap second
// (:60) is only one in the last minute of a UT day, and is read as its 59th second.
TTimeLine Instant(TWallTime t, int offsetMinutes) {
    TTimeLine line;
    if (!IsRealWallTime(t) || offsetMinutes <= -MinutesPerDay || offsetMinutes >= MinutesPerDay)
        return line;
    if (t.Second == 60) {
        const int utcMinute =
            ((t.Hour * 60 + t.Minute - offsetMinutes) % MinutesPerDay + MinutesPerDay) %
            MinutesPerDay;
        if (utcMinute != MinutesPerDay - 1) return line;
        t.Second = 59;
        line.LeapSecond = true;
    }
    const double jd = JulianDayOf(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second) -
                      offsetMinutes / static_cast<double>(MinutesPerDay);
    line.Utc = JDToDate(jd);
    line.Utc.JD = jd;
    line.Kind = TTimeLineKind::Time;
    return line;
}

TTimeLine Zoneless(const TWallTime& t) {
    TTimeLine line;
    if (IsRealWallTime(t)) line.Kind = TTimeLineKind::NoZone;
    return line;
}

// "+hh:mm", "+hhmm", "+hh" (or "-"): minutes east of Greenwich.
std::optional<int> NumericOffset(std::string_view zone) {
    if (zone.size() < 3 || (zone[0] != '+' && zone[0] != '-')) return std::nullopt;
    const auto hours = Number(zone.substr(1, 2), 2);
    std::string_view rest = zone.substr(3);
    if (!rest.empty() && rest[0] == ':' && rest.size() == 3) rest.remove_prefix(1);
    const auto minutes = rest.empty() ? std::optional<int>(0) : Number(rest, 2);
    if (!hours || !minutes || *minutes > 59) return std::nullopt;
    const int offset = *hours * 60 + *minutes;
    return zone[0] == '-' ? -offset : offset;
}

// A zone name of RFC 2822 (and UTC): minutes east of Greenwich.
std::optional<int> NamedOffset(std::string_view zone) {
    struct TZoneName {
        std::string_view Name;
        int Hours;
    };
    constexpr TZoneName Names[] = {{"UT", 0},   {"UTC", 0},  {"GMT", 0},  {"Z", 0},
                                   {"EST", -5}, {"EDT", -4}, {"CST", -6}, {"CDT", -5},
                                   {"MST", -7}, {"MDT", -6}, {"PST", -8}, {"PDT", -7}};
    for (const TZoneName& name : Names)
        if (EqualsIgnoringCase(zone, name.Name)) return name.Hours * 60;
    return std::nullopt;
}

std::optional<int> ZoneOffset(std::string_view zone) {
    const auto numeric = NumericOffset(zone);
    return numeric ? numeric : NamedOffset(zone);
}

// ISO 8601, extended form: YYYY-MM-DD, "T" or a blank, hh:mm[:ss[.fraction]], then "Z", an
// offset, or nothing.
TTimeLine ReadIso8601(std::string_view text) {
    if (text.size() < 16 || text[4] != '-' || text[7] != '-' ||
        (text[10] != 'T' && text[10] != 't' && text[10] != ' '))
        return {};
    TWallTime t;
    const auto y = Number(text.substr(0, 4), 4), mo = Number(text.substr(5, 2), 2),
               d = Number(text.substr(8, 2), 2);
    if (!y || !mo || !d) return {};
    t.Year = *y;
    t.Month = *mo;
    t.Day = *d;
    std::string_view rest = text.substr(11);
    const std::size_t clockEnd = std::min(rest.find_first_of(".,+-Zz "), rest.size());
    if (!ReadClock(rest.substr(0, clockEnd), t, false)) return {};
    rest.remove_prefix(clockEnd);
    if (!rest.empty() && (rest[0] == '.' || rest[0] == ',')) { // a fraction of the second
        std::size_t digits = 1;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        if (digits == 1) return {};
        rest.remove_prefix(digits);
    }
    if (rest.empty()) return Zoneless(t);
    if (rest == "Z" || rest == "z") return Instant(t, 0);
    const auto offset = NumericOffset(rest);
    return offset ? Instant(t, *offset) : TTimeLine{};
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        while (at < text.size() && IsReplyBlank(text[at]))
            ++at;
        std::size_t end = at;
        while (end < text.size() && !IsReplyBlank(text[end]))
            ++end;
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// Day (one or two digits), month abbreviation and four-digit year into the wall time.
bool ReadDate(std::string_view day, std::string_view month, std::string_view year, TWallTime& t) {
    const auto d = Number(day), mo = MonthNumber(month), y = Number(year, 4);
    if (!d || day.size() > 2 || !mo || !y) return false;
    t.Year = *y;
    t.Month = *mo;
    t.Day = *d;
    return true;
}

// The wall time in the zone its word names, or zoneless when there is no word.
TTimeLine InZone(const TWallTime& t, std::string_view zone) {
    if (zone.empty()) return Zoneless(t);
    const auto offset = ZoneOffset(zone);
    return offset ? Instant(t, *offset) : TTimeLine{};
}

// RFC 2822 (section 3.3): [Www,] d Mmm yyyy hh:mm[:ss] zone, a comment such as "(UTC)" after
// it allowed.
TTimeLine ReadRfc2822(std::vector<std::string_view> words) {
    if (!words.empty() && words.front().size() == 4 && words.front().back() == ',' &&
        IsWeekday(words.front().substr(0, 3)))
        words.erase(words.begin());
    while (words.size() > 4 && words.back().front() == '(' && words.back().back() == ')')
        words.pop_back();
    TWallTime t;
    if ((words.size() != 4 && words.size() != 5) || !ReadDate(words[0], words[1], words[2], t) ||
        !ReadClock(words[3], t, false))
        return {};
    return InZone(t, words.size() == 5 ? words[4] : std::string_view());
}

// ctime (C's asctime): Www Mmm d hh:mm:ss yyyy, no zone; date(1) puts one before the year.
TTimeLine ReadCtime(const std::vector<std::string_view>& words) {
    TWallTime t;
    if ((words.size() != 5 && words.size() != 6) || !IsWeekday(words[0]) ||
        !ReadDate(words[2], words[1], words.back(), t) || !ReadClock(words[3], t, true))
        return {};
    return InZone(t, words.size() == 6 ? words[4] : std::string_view());
}

} // namespace

TTimeLine ReadZonedTimeLine(std::string_view line) {
    const std::string_view text = TrimmedBlanks(line);
    if (const TTimeLine iso = ReadIso8601(text); iso.Kind != TTimeLineKind::NotATime) return iso;
    const std::vector<std::string_view> words = Words(text);
    if (const TTimeLine rfc = ReadRfc2822(words); rfc.Kind != TTimeLineKind::NotATime) return rfc;
    return ReadCtime(words);
}
