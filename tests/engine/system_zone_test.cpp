// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/system_zone.h"

namespace {

TEST(SystemZone, NameFromTheVariableElseTheLocaltimeLink) {
    constexpr const char* UTC = "/usr/share/zoneinfo/Etc/UTC";
    for (const auto& [tz, link, name] :
         std::initializer_list<std::tuple<const char*, const char*, const char*>>{
             {nullptr, "/usr/share/zoneinfo/America/New_York", "America/New_York"},
             {nullptr, "../usr/share/zoneinfo/posix/Asia/Tokyo", "Asia/Tokyo"},
             {nullptr, "", ""}, // a file of its own
             {":Europe/Paris", UTC, "Europe/Paris"},
             {":/usr/share/zoneinfo/right/Pacific/Chatham", "", "Pacific/Chatham"},
             {"EST5EDT,M3.2.0,M11.1.0", UTC, ""},
             {"", UTC, ""}})
        EXPECT_EQ(SystemZoneNameFrom(tz, link), name) << (tz ? tz : "unset") << link;
}

// Rows of a made-up table (minutes, seconds, bad rows), then of the system's (a link leads to
// its zone's city; UTC has none).
TEST(SystemZone, CitiesOfTheZoneTable) {
    const auto table =
        ParseZoneTable("# comment\tline\nXX\t+4060-07400\tBad/Minutes\n"
                       "XX\t+9100-07400\tBad/Latitude\nXX\t+4042\n"
                       "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\n"
                       "AR\t-3436-05827\tAmerica/Argentina/Buenos_Aires");
    EXPECT_EQ(table.size(), 2u);
    const bool system = std::filesystem::exists("/usr/share/zoneinfo/zone1970.tab");
    for (const auto& [ownTable, name, lat, lon, place] :
         std::initializer_list<std::tuple<bool, const char*, double, double, const char*>>{
             {true, "America/New_York", 40 + 42 / 60. + 51 / 3600., -(74 + 23 / 3600.), "New York"},
             {true, "America/Argentina/Buenos_Aires", -(34 + 36 / 60.), -(58 + 27 / 60.),
              "Buenos Aires"},
             {false, "US/Eastern", 40 + 42 / 60. + 51 / 3600., -(74 + 23 / 3600.), "New York"},
             {false, "Australia/Sydney", -(33 + 52 / 60.), 151 + 13 / 60., "Sydney"},
             {false, "Etc/UTC", 0, 0, nullptr}}) {
        if (!ownTable && !system) continue;
        const auto city = ownTable ? FindZoneCity(table, name) : SystemZoneCity(name);
        ASSERT_EQ(city.has_value(), place != nullptr) << name;
        if (!city) continue;
        EXPECT_NEAR(city->LatitudeDeg, lat, 1e-9) << name;
        EXPECT_NEAR(city->LongitudeEastDeg, lon, 1e-9) << name;
        EXPECT_EQ(city->PlaceName, place);
    }
}

} // namespace
