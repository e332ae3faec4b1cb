// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The civil time the observer keeps: a fixed offset from UT (the zone and daylight-saving
// minutes of TObserver), or a named zone of the system's tz database ("Europe/London")
// whose offset follows its own rules. A plain value: copy it, keep it, ask it.
//
//   const TNamedZoneLookup found = LookUpNamedZone("America/New_York");
//   if (!found.Zone) Report(ZoneErrorMessage(found.Error, "America/New_York"));
//   const TZoneState now = found.Zone->StateAt(jd); // -240 min, "EDT", daylight saving
//
// Named zones read /usr/share/zoneinfo (Debian's tzdata) through Howard Hinnant's date/tz;
// after the last transition a zone's file lists, the rule at the end of that file applies.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/zone_rule.h"

namespace date {
class time_zone;
}

// Where the system's tz database lives.
inline constexpr std::string_view ZoneInfoFolder = "/usr/share/zoneinfo";

// What is in force in a zone at one instant.
struct TZoneState {
    int OffsetSeconds = 0;         // local civil time minus UT
    int StandardOffsetSeconds = 0; // the same without daylight saving
    // The database's daylight-saving flag. Europe/Dublin keeps Irish Standard Time in summer
    // and counts its winter GMT as the saving (a negative one); Australia/Lord_Howe saves 30
    // minutes.
    bool IsDaylightSaving = false;
    std::string Abbreviation; // "EDT", "+0545"; empty for a fixed offset

    // The offset in whole minutes (local mean times before 1900 hold seconds: rounded).
    [[nodiscard]] int OffsetMinutes() const;
    [[nodiscard]] double OffsetDays() const { return OffsetSeconds / 86400.0; }
};

// How a local civil time maps to UT.
enum class TLocalTimeKind {
    Unique,   // one instant
    Repeated, // the hour repeated when the clocks go back: two instants
    Skipped   // the hour skipped when the clocks go forward: no instant
};
// Which instant a repeated local time stands for (as date/tz's choose::earliest / latest).
enum class TLocalChoice { Earliest, Latest };

struct TLocalToUT {
    double JD = 0.0; // UT
    TLocalTimeKind Kind = TLocalTimeKind::Unique;
};

class TObserverZone {
  public:
    // UT.
    TObserverZone() = default;
    // A fixed offset: standard time minus UT and the daylight-saving minutes, as TObserver.
    [[nodiscard]] static TObserverZone Fixed(int zoneMinutes, int dstMinutes);

    [[nodiscard]] bool IsNamed() const { return Zone != nullptr; }
    // The tz database's name; empty for a fixed offset.
    [[nodiscard]] const std::string& Name() const { return ZoneName; }

    // What is in force at an instant (Julian Day, UT).
    [[nodiscard]] TZoneState StateAt(double jdUT) const;
    // Local civil time minus UT at an instant, in days; a fixed offset asks no database.
    [[nodiscard]] double OffsetDaysAt(double jdUT) const {
        return Zone ? StateAt(jdUT).OffsetDays() : FixedOffsetSeconds / 86400.0;
    }
    // The instant of a local clock reading: the earlier one of a repeated reading.
    [[nodiscard]] double UTOfLocal(double localJD) const {
        return Zone ? LocalToUT(localJD, TLocalChoice::Earliest).JD
                    : localJD - FixedOffsetSeconds / 86400.0;
    }

    // The instant of a local civil time (Julian Day of the local clock's reading). A
    // repeated time gives the earlier or the later instant as chosen; a skipped time gives
    // the instant of the change itself for either choice (so 02:30 on the night New York's
    // clocks go forward gives 07:00 UT, shown as 03:00 EDT), as date/tz does.
    [[nodiscard]] TLocalToUT LocalToUT(double localJD, TLocalChoice choice) const;

    // The same zone: the same named zone, or the same fixed offsets.
    friend bool operator==(const TObserverZone& a, const TObserverZone& b) {
        return a.Zone == b.Zone && a.FixedOffsetSeconds == b.FixedOffsetSeconds &&
               a.FixedStandardSeconds == b.FixedStandardSeconds;
    }

  private:
    friend struct TNamedZoneLookup LookUpNamedZone(std::string_view name);

    [[nodiscard]] TZoneState StateAtSeconds(long long unixSeconds) const;
    [[nodiscard]] int StandardOffsetAround(long long beginSeconds, long long endSeconds,
                                           int offsetSeconds) const;

    const date::time_zone* Zone = nullptr; // owned by the tz library, lives as long as it
    std::string ZoneName;
    std::optional<TZoneRule> LaterRule; // the rule after the last listed transition
    int FixedOffsetSeconds = 0;
    int FixedStandardSeconds = 0;
};

// Why a named zone could not be had.
enum class TZoneError {
    None,
    MalformedName, // empty, longer than 64 characters, or outside the database's alphabet
    UnknownZone,   // well formed, but the database has no such zone
    NoDatabase     // the system has no tz database (no /usr/share/zoneinfo, or it is empty)
};

struct TNamedZoneLookup {
    std::optional<TObserverZone> Zone; // set exactly when Error is None
    TZoneError Error = TZoneError::None;
};

// The named zone, or why there is none; never UT in its place.
[[nodiscard]] TNamedZoneLookup LookUpNamedZone(std::string_view name);

// Every zone name of the system's database, sorted (backward links such as "US/Eastern"
// included); empty without a database.
[[nodiscard]] std::vector<std::string> NamedZoneNames();

// A name the database could hold: 1..64 characters of ASCII letters, digits, '.', '-', '+'
// and '_' in components joined by '/', none of them "." or "..".
[[nodiscard]] bool IsWellFormedZoneName(std::string_view name);

// One line for the user ("Unknown time zone: Mars/Olympus"); empty for None.
[[nodiscard]] std::string ZoneErrorMessage(TZoneError error, std::string_view name);
