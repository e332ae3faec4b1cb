// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/observer_zone.h"

#include <date/tz.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/date_time.h"

namespace {

constexpr long long SecondsPerDay = 86400;
// Instants are held to about 4713 BC .. AD 22000, inside the tz library's calendar.
constexpr double EarliestZoneJD = 0.0;
constexpr double LatestZoneJD = 1.0e7;
// No zone is ever more than 18 hours from UT (local mean time included), and no zone changes
// its offset twice within 36 hours: the instants of a local time lie within this of it.
constexpr long long LocalSearchSeconds = 18 * 3600;
constexpr size_t LongestZoneName = 64;

long long UnixSecondsOf(double jd) {
    const double held =
        std::clamp(std::isfinite(jd) ? jd : UnixEpochJD, EarliestZoneJD, LatestZoneJD);
    return std::llround((held - UnixEpochJD) * SecondsPerDay);
}

double JDOfUnixSeconds(long long seconds) {
    return UnixEpochJD + static_cast<double>(seconds) / SecondsPerDay;
}

date::sys_seconds SysSeconds(long long unixSeconds) {
    return date::sys_seconds{std::chrono::seconds{unixSeconds}};
}

long long UnixSeconds(date::sys_seconds t) {
    return t.time_since_epoch().count();
}

// The tz library marks the open ends of a zone's first and last periods with its calendar's
// extreme years; anything beyond these is such an end.
bool IsOpenEnd(date::sys_seconds t) {
    constexpr long long Limit = 20000LL * 366 * SecondsPerDay;
    const long long s = UnixSeconds(t);
    return s > Limit || s < -Limit;
}

TZoneState StateOfRule(const TZoneRule& rule, long long unixSeconds) {
    const TZoneRuleState in = ZoneRuleAt(rule, unixSeconds);
    return {in.Part->OffsetSeconds, rule.Standard.OffsetSeconds, in.IsDaylight,
            in.Part->Abbreviation};
}

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '+' || c == '_';
}

} // namespace

int TZoneState::OffsetMinutes() const {
    return static_cast<int>(std::lround(OffsetSeconds / 60.0));
}

TObserverZone TObserverZone::Fixed(int zoneMinutes, int dstMinutes) {
    TObserverZone zone;
    zone.FixedStandardSeconds = zoneMinutes * 60;
    zone.FixedOffsetSeconds = (zoneMinutes + dstMinutes) * 60;
    return zone;
}

TZoneState TObserverZone::StateAt(double jdUT) const {
    return StateAtSeconds(UnixSecondsOf(jdUT));
}

TZoneState TObserverZone::StateAtSeconds(long long unixSeconds) const {
    if (!Zone)
        return {FixedOffsetSeconds, FixedStandardSeconds,
                FixedOffsetSeconds != FixedStandardSeconds, ""};
    const date::sys_info info = Zone->get_info(SysSeconds(unixSeconds));
    if (LaterRule && IsOpenEnd(info.end)) return StateOfRule(*LaterRule, unixSeconds);
    const int offset = static_cast<int>(info.offset.count());
    const bool daylight = info.save.count() != 0;
    const int standard =
        daylight ? StandardOffsetAround(UnixSeconds(info.begin), UnixSeconds(info.end), offset)
                 : offset;
    return {offset, standard, daylight, info.abbrev};
}

// The zoneinfo files flag daylight saving without its amount: standard time is that of the
// period before, else of the one after.
int TObserverZone::StandardOffsetAround(long long beginSeconds, long long endSeconds,
                                        int offsetSeconds) const {
    for (const long long s : {beginSeconds - 1, endSeconds}) {
        if (IsOpenEnd(SysSeconds(s))) continue;
        const date::sys_info next = Zone->get_info(SysSeconds(s));
        if (LaterRule && IsOpenEnd(next.end)) return LaterRule->Standard.OffsetSeconds;
        if (next.save.count() == 0) return static_cast<int>(next.offset.count());
    }
    return offsetSeconds;
}

TLocalToUT TObserverZone::LocalToUT(double localJD, TLocalChoice choice) const {
    const long long local = UnixSecondsOf(localJD);
    const int before = StateAtSeconds(local - LocalSearchSeconds).OffsetSeconds;
    const int after = StateAtSeconds(local + LocalSearchSeconds).OffsetSeconds;
    const auto holds = [&](int offset) {
        return StateAtSeconds(local - offset).OffsetSeconds == offset;
    };
    const bool byBefore = holds(before);
    const bool byAfter = before != after && holds(after);
    const auto at = [&](int offset, TLocalTimeKind kind) {
        return TLocalToUT{localJD - offset / 86400.0, kind};
    };
    if (byBefore && byAfter) {
        const bool earliestIsBefore = before > after;
        const bool takeBefore = (choice == TLocalChoice::Earliest) == earliestIsBefore;
        return at(takeBefore ? before : after, TLocalTimeKind::Repeated);
    }
    if (byBefore || byAfter) return at(byBefore ? before : after, TLocalTimeKind::Unique);
    // Skipped: the first instant on the new offset, found by halving (about 12 steps an hour).
    long long lo = local - std::max(before, after);
    long long hi = local - std::min(before, after);
    while (hi - lo > 1) {
        const long long mid = lo + (hi - lo) / 2;
        (StateAtSeconds(mid).OffsetSeconds == before ? lo : hi) = mid;
    }
    return {JDOfUnixSeconds(hi), TLocalTimeKind::Skipped};
}

TNamedZoneLookup LookUpNamedZone(std::string_view name) {
    if (!IsWellFormedZoneName(name)) return {std::nullopt, TZoneError::MalformedName};
    try {
        if (date::get_tzdb().zones.empty()) return {std::nullopt, TZoneError::NoDatabase};
    } catch (const std::exception&) {
        return {std::nullopt, TZoneError::NoDatabase};
    }
    TObserverZone zone;
    try {
        zone.Zone = date::locate_zone(name);
        // Reads the zone's file now, so that no later question can fail.
        (void)zone.Zone->get_info(SysSeconds(0));
    } catch (const std::exception&) {
        return {std::nullopt, TZoneError::UnknownZone};
    }
    zone.ZoneName = zone.Zone->name();
    zone.LaterRule = ReadZoneFileRule(std::string(ZoneInfoFolder) + "/" + zone.ZoneName);
    return {zone, TZoneError::None};
}

std::vector<std::string> NamedZoneNames() {
    std::vector<std::string> names;
    try {
        for (const date::time_zone& zone : date::get_tzdb().zones)
            names.push_back(zone.name());
    } catch (const std::exception&) {
        return {};
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsWellFormedZoneName(std::string_view name) {
    if (name.empty() || name.size() > LongestZoneName) return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." ||
            !std::all_of(part.begin(), part.end(), IsNameCharacter))
            return false;
        start = end + 1;
    }
    return true;
}

std::string ZoneErrorMessage(TZoneError error, std::string_view name) {
    std::string line;
    switch (error) {
    case TZoneError::None:
        return line;
    case TZoneError::MalformedName:
        line = "Not a time zone name: \"";
        break;
    case TZoneError::UnknownZone:
        line = "Unknown time zone: \"";
        break;
    case TZoneError::NoDatabase:
        line = "No time zone database in ";
        line.append(ZoneInfoFolder).append(": only fixed offsets can be used");
        return line;
    }
    line.append(name).append("\"");
    return line;
}
