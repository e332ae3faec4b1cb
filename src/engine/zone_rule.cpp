// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/zone_rule.h"

#include <date/date.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr int SecondsPerHour = 3600;
// The TZ text writes offsets up to 24:59:59 (daylight time one hour ahead by default).
constexpr int LongestOffsetSeconds = 25 * SecondsPerHour;

// Reads the TZ text from left to right; every step fails (false) without consuming on a
// mismatch of the grammar.
class TRuleReader {
  public:
    explicit TRuleReader(std::string_view text) : Text(text) {}

    [[nodiscard]] bool AtEnd() const { return Pos == Text.size(); }
    [[nodiscard]] bool Next(char c) const { return Pos < Text.size() && Text[Pos] == c; }
    bool Skip(char c) {
        if (!Next(c)) return false;
        ++Pos;
        return true;
    }

    // "EST" (three letters or more) or "<+0545>" (letters, digits, signs).
    bool Name(std::string& name) {
        const size_t start = Pos;
        if (Skip('<')) {
            while (Pos < Text.size() && (std::isalnum(Byte()) || Next('+') || Next('-')))
                ++Pos;
            if (Pos - start < 4 || !Skip('>')) return Fail(start);
            name = std::string(Text.substr(start + 1, Pos - start - 2));
            return true;
        }
        while (Pos < Text.size() && std::isalpha(Byte()))
            ++Pos;
        if (Pos - start < 3) return Fail(start);
        name = std::string(Text.substr(start, Pos - start));
        return true;
    }

    // [+-]hh[:mm[:ss]] with hh up to maxHours, in seconds.
    bool Duration(int maxHours, int& seconds) {
        const size_t start = Pos;
        const int sign = Skip('-') ? -1 : (Skip('+'), 1);
        int hours = 0, minutes = 0, secs = 0;
        if (!Number(0, maxHours, hours)) return Fail(start);
        if (Skip(':') && (!Number(0, 59, minutes) || (Skip(':') && !Number(0, 59, secs))))
            return Fail(start);
        seconds = sign * ((hours * 60 + minutes) * 60 + secs);
        return true;
    }

    bool Number(int least, int most, int& value) {
        const size_t start = Pos;
        value = 0;
        while (Pos < Text.size() && std::isdigit(Byte()) && Pos - start < 3)
            value = value * 10 + (Text[Pos++] - '0');
        if (Pos == start || value < least || value > most) return Fail(start);
        return true;
    }

  private:
    [[nodiscard]] unsigned char Byte() const { return static_cast<unsigned char>(Text[Pos]); }
    bool Fail(size_t start) {
        Pos = start;
        return false;
    }

    std::string_view Text;
    size_t Pos = 0;
};

// The offset of the TZ text counts west of Greenwich as positive; the rule keeps east.
bool ReadPart(TRuleReader& reader, TZoneRulePart& part, std::optional<int> defaultWestSeconds) {
    if (!reader.Name(part.Abbreviation)) return false;
    int westSeconds = 0;
    if (!reader.Duration(24, westSeconds)) {
        if (!defaultWestSeconds) return false;
        westSeconds = *defaultWestSeconds;
    }
    part.OffsetSeconds = -westSeconds;
    return std::abs(westSeconds) < LongestOffsetSeconds;
}

bool ReadDate(TRuleReader& reader, TZoneRuleDate& date) {
    using TForm = TZoneRuleDate::TForm;
    bool ok = false;
    if (reader.Skip('M')) {
        date.Form = TForm::MonthWeekDay;
        ok = reader.Number(1, 12, date.Month) && reader.Skip('.') &&
             reader.Number(1, 5, date.Week) && reader.Skip('.') &&
             reader.Number(0, 6, date.WeekDay);
    } else if (reader.Skip('J')) {
        date.Form = TForm::JulianNoLeap;
        ok = reader.Number(1, 365, date.Day);
    } else {
        date.Form = TForm::DayOfYear;
        ok = reader.Number(0, 365, date.Day);
    }
    // Version 3 files allow times from -167 to 167 hours (RFC 8536, section 3.3.1).
    return ok && (!reader.Skip('/') || reader.Duration(167, date.TimeSeconds));
}

date::sys_days DayOfRule(int year, const TZoneRuleDate& rule) {
    using TForm = TZoneRuleDate::TForm;
    const date::year y{year};
    const date::sys_days newYear{y / date::January / 1};
    switch (rule.Form) {
    case TForm::MonthWeekDay: {
        const date::month m(static_cast<unsigned>(rule.Month));
        const date::weekday wd(static_cast<unsigned>(rule.WeekDay));
        if (rule.Week == 5) return date::sys_days{y / m / wd[date::last]};
        return date::sys_days{y / m / wd[static_cast<unsigned>(rule.Week)]};
    }
    case TForm::JulianNoLeap:
        return newYear + date::days{rule.Day - 1 + (y.is_leap() && rule.Day >= 60 ? 1 : 0)};
    case TForm::DayOfYear:
        return newYear + date::days{rule.Day};
    }
    return newYear;
}

// The instant of a change in the given year, from its local time in the given offset.
std::int64_t ChangeInstant(int year, const TZoneRuleDate& rule, int offsetSeconds) {
    const auto day = DayOfRule(year, rule).time_since_epoch().count();
    return std::int64_t{day} * 86400 + rule.TimeSeconds - offsetSeconds;
}

int YearOf(std::int64_t unixSeconds) {
    const date::sys_days day{date::days{
        static_cast<int>((unixSeconds >= 0 ? unixSeconds : unixSeconds - 86399) / 86400)}};
    return static_cast<int>(date::year_month_day{day}.year());
}

} // namespace

std::optional<TZoneRule> ParseZoneRule(std::string_view text) {
    TRuleReader reader(text);
    TZoneRule rule;
    if (!ReadPart(reader, rule.Standard, std::nullopt)) return std::nullopt;
    if (reader.AtEnd()) return rule;
    TZoneRulePart daylight;
    // Without its own offset, daylight saving is one hour ahead of standard time.
    if (!ReadPart(reader, daylight, -rule.Standard.OffsetSeconds - SecondsPerHour))
        return std::nullopt;
    rule.Daylight = daylight;
    if (!reader.Skip(',') || !ReadDate(reader, rule.Start) || !reader.Skip(',') ||
        !ReadDate(reader, rule.End) || !reader.AtEnd())
        return std::nullopt;
    return rule;
}

std::optional<TZoneRule> ReadZoneFileRule(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // "TZif", a version byte ('2' or later), and the rule between the file's last two newlines.
    if (bytes.size() < 6 || bytes.compare(0, 4, "TZif") != 0 || bytes[4] < '2' ||
        bytes.back() != '\n')
        return std::nullopt;
    const size_t start = bytes.rfind('\n', bytes.size() - 2);
    if (start == std::string::npos) return std::nullopt;
    return ParseZoneRule(std::string_view(bytes).substr(start + 1, bytes.size() - start - 2));
}

TZoneRuleState ZoneRuleAt(const TZoneRule& rule, std::int64_t unixSeconds) {
    if (!rule.Daylight) return {&rule.Standard, false};
    const int year = YearOf(unixSeconds + rule.Standard.OffsetSeconds);
    const std::int64_t start = ChangeInstant(year, rule.Start, rule.Standard.OffsetSeconds);
    const std::int64_t end = ChangeInstant(year, rule.End, rule.Daylight->OffsetSeconds);
    const bool daylight = start < end ? (unixSeconds >= start && unixSeconds < end)
                                      : !(unixSeconds >= end && unixSeconds < start);
    return daylight ? TZoneRuleState{&*rule.Daylight, true} : TZoneRuleState{&rule.Standard, false};
}
