// Named time zones in the store: a first start placed at the city of the computer's zone,
// the zone's name kept and read back beside the fixed offset, names the database cannot give
// reported once with the fixed offset in their place, and the old values kept in step.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/date_time.h"
#include "settings/load_settings.h"
#include "settings/named_location.h"
#include "settings/settings_store.h"
#include "settings/settings_writer.h"
#include "settings/settings_zone.h"
#include "temp_folder.h"

namespace {

// The TZ variable for one test; the test environment's value comes back after it.
class TZoneVariable {
  public:
    explicit TZoneVariable(const char* value) {
        if (const char* old = std::getenv("TZ")) Old = old;
        setenv("TZ", value, 1);
    }
    ~TZoneVariable() { setenv("TZ", Old.c_str(), 1); }

  private:
    std::string Old = "UTC";
};

struct TLoaded {
    TSettings Settings;
    std::vector<std::string> Warnings;
};

TLoaded Load(TSettingsStore& store) {
    TLoaded loaded;
    (void)LoadSettings(store, loaded.Settings,
                       [&](const std::string& text) { loaded.Warnings.push_back(text); });
    return loaded;
}

std::string Stored(TSettingsStore& store, std::string_view name) {
    const auto key = store.OpenKey(SettingsKeyPath, false);
    return key ? store.ReadText(*key, name) : "<no key>";
}

} // namespace

TEST(ZoneSettings, FirstStartStandsAtTheCityOfTheComputersZone) {
    struct TCase {
        const char* Tz;
        TPosition Position;
        const char* Location;
        const char* ZoneName;
        int StandardIndex; // the zone index of standard time
    };
    const TCase cases[] = {
        {"America/New_York",
         {{40, 42, 51}, THemisphere::Northern, {74, 0, 23}, TLongitudeSide::West},
         "New York",
         "America/New_York",
         14},
        {":Australia/Sydney",
         {{33, 52, 0}, THemisphere::Southern, {151, 13, 0}, TLongitudeSide::East},
         "Sydney",
         "Australia/Sydney",
         44},
        // A link of the database finds the city of the zone it stands for.
        {"US/Eastern",
         {{40, 42, 51}, THemisphere::Northern, {74, 0, 23}, TLongitudeSide::West},
         "New York",
         "US/Eastern",
         14},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Tz);
        TZoneVariable tz(c.Tz);
        TTempFolder folder;
        TSettingsStore store(folder.File("settings.db"));
        const TLoaded loaded = Load(store);
        EXPECT_TRUE(loaded.Warnings.empty());
        EXPECT_EQ(loaded.Settings.Position, c.Position);
        EXPECT_EQ(loaded.Settings.Location, c.Location);
        EXPECT_EQ(loaded.Settings.TimeZoneName, c.ZoneName);
        EXPECT_EQ(Stored(store, "TimeZoneName"), c.ZoneName);
        // The old values give the offset in force now, for an older version.
        const TZoneState now = SettingsZone(loaded.Settings).StateAt(JDNow());
        EXPECT_EQ(loaded.Settings.DaylightSavings, now.IsDaylightSaving);
        EXPECT_EQ(loaded.Settings.TimeZone, c.StandardIndex);
        EXPECT_EQ(SettingsZoneMinutes(loaded.Settings) + SettingsDstMinutes(loaded.Settings),
                  now.OffsetMinutes());
        const auto location = ReadNamedLocation(store, c.Location);
        ASSERT_TRUE(location);
        EXPECT_EQ(location->ZoneName, c.ZoneName);
        EXPECT_EQ(LocationPosition(*location), c.Position);
        EXPECT_FALSE(ReadNamedLocation(store, HomeLocationName));
    }
}

TEST(ZoneSettings, WithoutAZoneAndItsCityTheFirstStartKeepsTheDefaults) {
    // UTC has no city; a POSIX rule and an unknown name name no zone of the database.
    for (const char* tz : {"UTC", "EST5EDT,M3.2.0,M11.1.0", "Mars/Olympus", ""}) {
        SCOPED_TRACE(tz);
        TZoneVariable variable(tz);
        TTempFolder folder;
        TSettingsStore store(folder.File("settings.db"));
        const TLoaded loaded = Load(store);
        EXPECT_TRUE(loaded.Warnings.empty());
        EXPECT_EQ(loaded.Settings.Location, HomeLocationName);
        EXPECT_EQ(loaded.Settings.Position, DefaultSettings().Position);
        EXPECT_EQ(loaded.Settings.TimeZone, 24);
        EXPECT_EQ(loaded.Settings.TimeZoneName, "");
        EXPECT_FALSE(SettingsZone(loaded.Settings).IsNamed());
    }
}

TEST(ZoneSettings, StoredNamesReadBackOrFallBackToTheFixedOffsetOnce) {
    struct TCase {
        const char* Stored;
        const char* Read; // "" when the fixed offset serves
        const char* Reported;
    };
    const TCase cases[] = {
        {"Europe/London", "Europe/London", nullptr},
        {"", "", nullptr},
        {"Europe/Londno", "", "Unknown time zone: \"Europe/Londno\""},
        {"Europe/../London", "", "Not a time zone name"},
        {"Asia/Kolkata;rm", "", "Not a time zone name"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Stored);
        TTempFolder folder;
        TSettingsStore store(folder.File("settings.db"));
        (void)Load(store);
        const auto key = store.OpenKey(SettingsKeyPath, false);
        ASSERT_TRUE(key);
        ASSERT_TRUE(store.WriteTexts(
            *key, {{"TimeZoneName", c.Stored}, {"TimeZone", "34"}, {"DaylightSavings", "True"}}));
        const TLoaded loaded = Load(store);
        EXPECT_EQ(loaded.Settings.TimeZoneName, c.Read);
        ASSERT_EQ(loaded.Warnings.size(), c.Reported ? 1U : 0U);
        if (c.Reported) {
            EXPECT_NE(loaded.Warnings[0].find(c.Reported), std::string::npos);
        }
        // The store keeps what it held: the name may be usable on another day.
        EXPECT_EQ(Stored(store, "TimeZoneName"), c.Stored);
        const TObserverZone zone = SettingsZone(loaded.Settings);
        EXPECT_EQ(zone.IsNamed(), *c.Read != '\0');
        if (!zone.IsNamed()) {
            EXPECT_EQ(zone.StateAt(2461000.5).OffsetMinutes(), 5 * 60 + 60);
        }
    }
}

TEST(ZoneSettings, NamedLocationsKeepTheirZoneAndLoseItWhenMadeFixed) {
    TTempFolder folder;
    TSettingsStore store(folder.File("settings.db"));
    (void)Load(store);
    const TPosition position{
        {35, 41, 0}, THemisphere::Northern, {139, 41, 0}, TLongitudeSide::East};
    ASSERT_TRUE(WriteNamedLocation(store, "Tokyo",
                                   NamedLocationOf(position, 42, false, "Asia/Tokyo"), true));
    EXPECT_EQ(ReadNamedLocation(store, "Tokyo")->ZoneName, "Asia/Tokyo");
    ASSERT_TRUE(WriteNamedLocation(store, "Tokyo", NamedLocationOf(position, 42, false), false));
    const auto fixed = ReadNamedLocation(store, "Tokyo");
    EXPECT_EQ(fixed->ZoneName, "");
    EXPECT_EQ(fixed->Timezone, "42");

    // Closing the configuration with a named zone stores the name.
    TSettings settings = Load(store).Settings;
    settings.TimeZoneName = "Asia/Tokyo";
    ASSERT_TRUE(StoreSettings(store, settings, ConfigurationValueNames));
    EXPECT_EQ(Load(store).Settings.TimeZoneName, "Asia/Tokyo");
}

TEST(ZoneSettings, OldValuesInStepGiveTheOffsetInForceWithinAQuarterHour) {
    // Every zone, in January and July: the fixed offset an older version computes from the
    // values is the offset in force, but for zones off the half-hour grid (Kathmandu) or
    // beyond twelve hours of standard time (Kiritimati), which it cannot express.
    const double instants[] = {JulianDayOf(2026, 1, 15, 12), JulianDayOf(2026, 7, 15, 12)};
    int compared = 0;
    for (const std::string& name : NamedZoneNames()) {
        const TNamedZoneLookup found = LookUpNamedZone(name);
        ASSERT_TRUE(found.Zone) << name;
        for (const double jd : instants) {
            TSettings settings = DefaultSettings();
            KeepFixedOffsetInStep(settings, *found.Zone, jd);
            const TZoneState state = found.Zone->StateAt(jd);
            const int kept = SettingsZoneMinutes(settings) + SettingsDstMinutes(settings);
            EXPECT_EQ(settings.DaylightSavings, state.IsDaylightSaving) << name;
            if (std::abs(kept - SettingsDstMinutes(settings)) >= 12 * 60) continue;
            EXPECT_LE(std::abs(kept - state.OffsetMinutes()), 15) << name << " at JD " << jd;
            ++compared;
        }
    }
    EXPECT_GT(compared, 600);
}
