// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rule a named zone keeps after the last transition its zoneinfo file lists: the POSIX TZ
// string at the end of a version 2 (or later) TZif file (RFC 8536, section 3.3), for example
// "EST5EDT,M3.2.0,M11.1.0" or "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45". The tz
// library reads the file's transitions but not this rule, so without it a zone would keep
// the offset of its last listed transition for ever (in Debian's files, New York would stay
// on standard time from November 2037 on).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One side of the rule: its offset from UT and the abbreviation shown meanwhile.
struct TZoneRulePart {
    int OffsetSeconds = 0; // local civil time minus UT (east positive, unlike the TZ text)
    std::string Abbreviation;
};

// The day and time a change takes effect, as the TZ text writes it.
struct TZoneRuleDate {
    enum class TForm {
        MonthWeekDay, // Mm.w.d: day d (0 Sunday) of week w (5: the last) of month m
        JulianNoLeap, // Jn: day 1..365, 29 February never counted
        DayOfYear     // n: day 0..365, 29 February counted
    };
    TForm Form = TForm::MonthWeekDay;
    int Month = 1;
    int Week = 1;
    int WeekDay = 0;
    int Day = 0;
    int TimeSeconds = 2 * 3600; // local time of the change (may be negative or past 24 h)
};

struct TZoneRule {
    TZoneRulePart Standard;
    std::optional<TZoneRulePart> Daylight; // none: the standard side all year
    TZoneRuleDate Start;                   // daylight saving begins (standard local time)
    TZoneRuleDate End;                     // daylight saving ends (daylight local time)
};

// What the rule gives at one instant.
struct TZoneRuleState {
    const TZoneRulePart* Part = nullptr; // into the rule
    bool IsDaylight = false;
};

// The rule of a TZ text; none when the text does not follow the POSIX grammar, or names a
// daylight side without the dates of its changes.
[[nodiscard]] std::optional<TZoneRule> ParseZoneRule(std::string_view text);

// The rule at the end of a zoneinfo file; none for a file older than version 2, a file
// without a rule, or one that cannot be read.
[[nodiscard]] std::optional<TZoneRule> ReadZoneFileRule(const std::string& path);

// The side in force at an instant (seconds since 1970-01-01 0h UT). Daylight saving that
// spans the new year (the southern hemisphere) is handled.
[[nodiscard]] TZoneRuleState ZoneRuleAt(const TZoneRule& rule, std::int64_t unixSeconds);
