// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time zone the computer keeps, and the principal city of a zone as the tz database's
// zone1970.tab gives it: enough for a first start to stand roughly where the user is.
//
//   const std::string name = SystemZoneName();            // "America/New_York"
//   if (const auto city = SystemZoneCity(name))           // 40.714 N, 74.006 W, "New York"
//       ...

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The zone name that the TZ variable (null: not set) or else the target of the /etc/localtime
// link names: ":America/New_York", "Europe/Paris", "/usr/share/zoneinfo/Asia/Tokyo" and
// "../usr/share/zoneinfo/posix/Asia/Tokyo" give the plain names. Empty when the one that
// decides names no zone: TZ holding a rule ("EST5EDT,M3.2.0,M11.1.0") or nothing, or a
// localtime that is a file of its own. Whether the database holds the name is the caller's
// question (LookUpNamedZone).
[[nodiscard]] std::string SystemZoneNameFrom(const char* tzVariable,
                                             std::string_view localtimeTarget);

// The same for this computer: the TZ variable, else the /etc/localtime link.
[[nodiscard]] std::string SystemZoneName();

// A zone's principal city.
struct TZoneCity {
    std::string ZoneName;
    double LatitudeDeg = 0.0;      // north positive
    double LongitudeEastDeg = 0.0; // east positive
    std::string PlaceName;         // "New York", from the zone name
};

// The rows of a zone1970.tab text (tab-separated: country codes, ISO 6709 coordinates such as
// +404251-0740023, zone name, comments); comment lines and rows that do not read are left out.
[[nodiscard]] std::vector<TZoneCity> ParseZoneTable(std::string_view text);

// The row of a zone in the table, if it has one.
[[nodiscard]] std::optional<TZoneCity> FindZoneCity(const std::vector<TZoneCity>& table,
                                                    std::string_view zoneName);

// The city of a zone from the system's zone1970.tab. A name that is a link of the database
// ("US/Eastern") is followed to the zone it stands for. None without a table or a row.
[[nodiscard]] std::optional<TZoneCity> SystemZoneCity(std::string_view zoneName);

// The place a zone is named after: its last part with spaces for underscores
// ("America/Argentina/Buenos_Aires" gives "Buenos Aires").
[[nodiscard]] std::string ZonePlaceName(std::string_view zoneName);
