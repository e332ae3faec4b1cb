// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "engine/date_time.h"
#include "settings/load_settings.h"
#include "settings/named_location.h"
#include "settings/settings_observer.h"
#include "settings/settings_store.h"
#include "settings/settings_writer.h"
#include "settings/settings_zone.h"
#include "temp_folder.h"

namespace {

// A store in a temporary folder, with helpers to set up older or damaged contents.
class LoadSettingsTest : public ::testing::Test {
  protected:
    TTempFolder Folder;
    TSettingsStore Store{Folder.File("settings.db")};
    TSettings Settings;
    std::vector<std::string> Warnings;

    TZoneOffsets Load() {
        Warnings.clear();
        return LoadSettings(Store, Settings,
                            [this](const std::string& text) { Warnings.push_back(text); });
    }
    std::string Stored(std::string_view keyPath, std::string_view name) {
        const auto key = Store.OpenKey(keyPath, false);
        return key ? Store.ReadText(*key, name) : "<no key>";
    }
    std::string Stored(std::string_view name) { return Stored(SettingsKeyPath, name); }
    void Put(std::string_view keyPath, std::vector<TNamedText> values) {
        const auto key = Store.OpenKey(keyPath, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(Store.WriteTexts(*key, values));
    }
    // A complete store as the current version leaves it, with some values replaced.
    void PutCurrentStore(std::vector<TNamedText> replaced) {
        (void)Load();
        Put(SettingsKeyPath, std::move(replaced));
    }
};

TEST_F(LoadSettingsTest, FirstStartWritesTheDefaultsAndTheHomeLocation) {
    const TZoneOffsets offsets = Load();
    EXPECT_TRUE(Warnings.empty());
    EXPECT_EQ(offsets.ZoneMinutes, 0);
    EXPECT_EQ(offsets.DstMinutes, 0);

    const std::vector<std::pair<const char*, const char*>> defaults = {
        {"Version", "V2.62"},
        {"LatDeg", "00"},
        {"LatMin", "00"},
        {"LatSec", "00"},
        {"LongDeg", "000"},
        {"LongMin", "00"},
        {"LongSec", "00"},
        {"LatDir", "North"},
        {"LongDir", "West"},
        {"Location", "Home Location"},
        {"DayOrder", "0"},
        {"DateLayoutIdx", "0"},
        {"DateFormat", "dd/mm/yyyy"},
        {"DaylightSavings", "False"},
        {"TimeZone", "24"},
        {"FeatureIdx", "2"},
        {"PhaseDensity", "75"},
        {"PrintDailyPhases", "True"},
        {"PrintMajorPhases", "True"},
        {"PrintLunarTimes", "True"},
        {"PrintSunTimes", "True"},
        {"PrinterType", "Laser"},
        {"TimeServer", "daytime://time.nist.gov"}};
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(Stored(name), text) << name;
    EXPECT_EQ(Stored(UserKeyPath, "Version"), "V2.62");

    const auto home = ReadNamedLocation(Store, "Home Location");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->Latitude, "000000 North");
    EXPECT_EQ(home->Longitude, "0000000 West");
    EXPECT_EQ(home->Timezone, "24");
    EXPECT_EQ(home->DST, "False");

    EXPECT_EQ(Settings.Version, "V2.62");
    EXPECT_EQ(Settings.Location, "Home Location");
    EXPECT_EQ(Settings.Position.LongitudeSide, TLongitudeSide::West);
    EXPECT_EQ(Settings.TimeZone, 24);
    EXPECT_EQ(Settings.FeatureIdx, 2);
    EXPECT_EQ(Settings.PhaseDensity, 75);
    EXPECT_TRUE(Settings.PrintSunTimes);
    EXPECT_EQ(Settings.PrinterType, TPrinterType::Laser);

    // A second start reads the same and changes nothing.
    const TSettings first = Settings;
    (void)Load();
    EXPECT_TRUE(Warnings.empty());
    EXPECT_EQ(SettingText(Settings, *FindSettingDef("Location")), first.Location);
}

TEST_F(LoadSettingsTest, ZoneOffsetsAndBooleans) {
    const std::vector<std::pair<const char*, int>> zones = {{"0", -720}, {"48", 720}, {"25", 30}};
    for (const auto& [zone, minutes] : zones) {
        PutCurrentStore({{"TimeZone", zone}, {"DaylightSavings", "True"}});
        const TZoneOffsets offsets = Load();
        EXPECT_EQ(offsets.ZoneMinutes, minutes) << zone;
        EXPECT_EQ(offsets.DstMinutes, 60);
    }
    PutCurrentStore({{"DaylightSavings", "true"}, {"PrintSunTimes", "TRUE"}, {"LatDir", "South"}});
    EXPECT_EQ(Load().DstMinutes, 0);
    EXPECT_FALSE(Settings.DaylightSavings);
    EXPECT_FALSE(Settings.PrintSunTimes);
    EXPECT_EQ(Settings.Position.LatitudeSide, THemisphere::Southern);
    // Texts longer than their field are cut on reading (characters, not bytes).
    PutCurrentStore({{"LatDeg", "04567"},
                     {"Location", std::string(70, 'x')},
                     {"PrinterType", "Colour Inkjet with extras"}});
    (void)Load();
    EXPECT_EQ(Settings.Position.Latitude.Deg, 45);
    EXPECT_EQ(Settings.Location, std::string(64, 'x'));
    EXPECT_EQ(Settings.PrinterType, TPrinterType::Laser); // "Colour Inkjet w" names none
    PutCurrentStore({{"Location", std::string(63, 'x') + "\xC3\xA9" + "y"}});
    (void)Load();
    EXPECT_EQ(Settings.Location, std::string(63, 'x') + "\xC3\xA9");
}

TEST_F(LoadSettingsTest, TimeZonesOfOldVersionsAreConverted) {
    const std::vector<std::tuple<const char*, const char*, int>> cases = {
        {"V2.00", "5", 10},  {"V2.00", "1130", 23}, {"2.00", "12", 24},
        {"V2.50", "030", 1}, {"V2.62", "5", 5},     {"V2.62", "23", 23}};
    for (const auto& [version, zone, expected] : cases) {
        PutCurrentStore({{"Version", version}, {"TimeZone", zone}});
        (void)Load();
        EXPECT_EQ(Settings.TimeZone, expected) << version << " " << zone;
        EXPECT_EQ(Stored("TimeZone"), std::to_string(expected));
        EXPECT_EQ(Stored("Version"), "V2.62");
        EXPECT_EQ(Stored(UserKeyPath, "Version"), "V2.62");
        EXPECT_TRUE(Warnings.empty());
        // The next start must not convert again.
        (void)Load();
        EXPECT_EQ(Settings.TimeZone, expected);
    }
    // An empty version is the current one: nothing is converted.
    PutCurrentStore({{"Version", "  "}, {"TimeZone", "5"}});
    (void)Load();
    EXPECT_EQ(Settings.TimeZone, 5);
    EXPECT_EQ(Stored("Version"), "V2.62");
}

TEST_F(LoadSettingsTest, Version260TakesTheZoneOfItsLocation) {
    PutCurrentStore({{"Version", "V2.60"}, {"Location", "Hilltop"}, {"TimeZone", "24"}});
    ASSERT_TRUE(WriteNamedLocation(Store, "Hilltop",
                                   {"513000 South", "0011500 East", "3", "False", ""}, true));
    (void)Load();
    // Written as "Timezone" in the location, read as "TimeZone"; then converted from hours.
    EXPECT_EQ(Settings.TimeZone, 6);
    EXPECT_EQ(Stored("TimeZone"), "6");
    EXPECT_EQ(ReadNamedLocation(Store, "Hilltop")->Timezone, "3");

    // A V2.60 store whose location is gone keeps its own zone.
    PutCurrentStore({{"Version", "V2.60"}, {"Location", "Nowhere"}, {"TimeZone", "4"}});
    (void)Load();
    EXPECT_EQ(Settings.TimeZone, 8);
    EXPECT_TRUE(Warnings.empty());
}

TEST_F(LoadSettingsTest, StoresBeforeVersion260GainANamedLocation) {
    Put(UserKeyPath, {{"Version", "V2.00"}});
    Put(SettingsKeyPath, {{"Version", "V2.00"},
                          {"LatDeg", "41"},
                          {"LatMin", "15"},
                          {"LatSec", "30"},
                          {"LatDir", "North"},
                          {"LongDeg", "072"},
                          {"LongMin", "05"},
                          {"LongSec", "00"},
                          {"LongDir", "West"},
                          {"TimeZone", "5"},
                          {"DaylightSavings", "True"},
                          {"DayOrder", "1"},
                          {"DateLayoutIdx", "1"},
                          {"FeatureIdx", "6"},
                          {"PhaseDensity", "40"}});
    const TZoneOffsets offsets = Load();
    EXPECT_EQ(Settings.Location, "Home Location");
    EXPECT_EQ(Stored("Location"), "Home Location");
    const auto home = ReadNamedLocation(Store, "Home Location");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->Latitude, "411530 North");
    EXPECT_EQ(home->Longitude, "0720500 West");
    EXPECT_EQ(home->Timezone, "10");
    EXPECT_EQ(home->DST, "True");
    EXPECT_EQ(offsets.ZoneMinutes, -420);
    EXPECT_EQ(offsets.DstMinutes, 60);
    EXPECT_EQ(Settings.DayOrder, TWeekday::Monday);
    EXPECT_EQ(Settings.DateLayoutIdx, 1);
    EXPECT_EQ(Settings.FeatureIdx, 6);
    EXPECT_EQ(Settings.PhaseDensity, 40);
    // Values older stores never had are added quietly.
    EXPECT_EQ(Stored("PrinterType"), "Laser");
    EXPECT_EQ(Stored("TimeServer"), "daytime://time.nist.gov");
    EXPECT_TRUE(Warnings.empty());
}

// Named locations came with 2.60: only older stores have their position made into one.
TEST_F(LoadSettingsTest, OnlyStoresBeforeVersion260GainANamedLocation) {
    for (const char* version : {"V2.59", "V2.60", "V2.61", "V1.99"}) {
        (void)Store.DeleteKey(LocationKeyPath(HomeLocationName));
        Put(UserKeyPath, {{"Version", version}});
        Put(SettingsKeyPath, {{"Version", version},
                              {"LatDeg", "41"},
                              {"LatMin", "15"},
                              {"LatSec", "30"},
                              {"LatDir", "North"},
                              {"LongDeg", "072"},
                              {"LongMin", "05"},
                              {"LongSec", "00"},
                              {"LongDir", "West"},
                              {"Location", ""},
                              {"TimeZone", "5"}});
        (void)Load();
        const bool older = std::string_view(version) < "V2.60";
        const auto home = ReadNamedLocation(Store, HomeLocationName);
        EXPECT_EQ(home.has_value(), older) << version;
        EXPECT_EQ(Settings.Location, older ? "Home Location" : "") << version;
        if (home) {
            EXPECT_EQ(home->Latitude, "411530 North") << version;
        }
    }
}

TEST_F(LoadSettingsTest, DamagedValuesAreRepairedWrittenBackAndReported) {
    const std::vector<std::tuple<const char*, const char*, const char*>> damaged = {
        {"DayOrder", "abc", "0"},     {"DayOrder", "7", "0"},        {"DateLayoutIdx", "2", "0"},
        {"DateLayoutIdx", "-1", "0"}, {"PhaseDensity", "101", "75"}, {"PhaseDensity", "7.5", "75"},
        {"TimeZone", "x", "24"},      {"TimeZone", "49", "24"},      {"TimeZone", "-1", "24"},
        {"FeatureIdx", "17", "2"},    {"FeatureIdx", "Craters", "2"}};
    for (const auto& [name, text, repaired] : damaged) {
        PutCurrentStore({{name, text}});
        (void)Load();
        EXPECT_EQ(Stored(name), repaired) << name << " " << text;
        EXPECT_EQ(SettingText(Settings, *FindSettingDef(name)), repaired) << name;
        ASSERT_EQ(Warnings.size(), 1u) << name << " " << text;
        EXPECT_NE(Warnings[0].find(name), std::string::npos);
    }
    // Blanks around a number are no damage.
    PutCurrentStore({{"PhaseDensity", " 40 "}});
    (void)Load();
    EXPECT_EQ(Settings.PhaseDensity, 40);
    EXPECT_TRUE(Warnings.empty());
}

// No place on Earth lies beyond 90 degrees of latitude or 180 of longitude, and minutes
// and seconds stay below 60: anything else resets that axis, with a warning.
TEST_F(LoadSettingsTest, ImpossiblePositionsAreResetAndReported) {
    const std::vector<std::tuple<const char*, const char*, const char*>> damaged = {
        {"LatDeg", "nan", "latitude"},   {"LatDeg", "inf", "latitude"},
        {"LatDeg", "999", "latitude"},   {"LatDeg", "9e9", "latitude"},
        {"LatDeg", "-5", "latitude"},    {"LatDeg", "91", "latitude"},
        {"LatMin", "60", "latitude"},    {"LatSec", "+5", "latitude"},
        {"LongDeg", "181", "longitude"}, {"LongDeg", "1e2", "longitude"},
        {"LongMin", "x", "longitude"},   {"LongSec", "99", "longitude"}};
    for (const auto& [name, text, axis] : damaged) {
        PutCurrentStore({{"LatDeg", "41"},
                         {"LatMin", "15"},
                         {"LongDeg", "072"},
                         {"LongMin", "05"},
                         {name, text}});
        (void)Load();
        ASSERT_EQ(Warnings.size(), 1u) << name << " " << text;
        EXPECT_NE(Warnings[0].find(axis), std::string::npos) << Warnings[0];
        EXPECT_NE(Warnings[0].find(text), std::string::npos) << Warnings[0];
        const bool latitude = std::string_view(axis) == "latitude";
        // The damaged axis is back at 0 degrees, in memory and in the store; the other
        // axis keeps its value.
        EXPECT_EQ(Settings.Position.Latitude.Deg, latitude ? 0 : 41) << name << " " << text;
        EXPECT_EQ(Stored("LatMin"), latitude ? "00" : "15");
        EXPECT_EQ(Settings.Position.Longitude.Deg, latitude ? 72 : 0) << name << " " << text;
        EXPECT_EQ(Stored("LongMin"), latitude ? "05" : "00");
        const TObserver observer = ObserverFromSettings(Settings);
        EXPECT_TRUE(std::isfinite(observer.ObserverLatitude));
        EXPECT_TRUE(std::isfinite(observer.ObserverLongitude));
        (void)Load();
        EXPECT_TRUE(Warnings.empty()); // repaired once
    }
    // The extremes themselves are places.
    PutCurrentStore({{"LatDeg", "90"},
                     {"LatMin", "00"},
                     {"LatSec", ""},
                     {"LongDeg", "179"},
                     {"LongMin", "59"},
                     {"LongSec", "59.5"}});
    (void)Load();
    EXPECT_TRUE(Warnings.empty());
    EXPECT_EQ(Settings.Position.Latitude.Deg, 90);
    EXPECT_EQ(Settings.Position.Longitude.Sec, 59);
    // 90 degrees and one minute is beyond the pole.
    PutCurrentStore({{"LatDeg", "90"}, {"LatMin", "01"}});
    (void)Load();
    EXPECT_EQ(Warnings.size(), 1u);
    EXPECT_EQ(Settings.Position.Latitude.Deg, 0);
}

// What a start reads, every window that stores settings writes back unchanged; a spelling
// the program never writes comes back in its own. A kind is its exact word, anything else
// the default, stored so at once and without a warning.
TEST_F(LoadSettingsTest, StoredTextsReadAndWriteBackAsTheyWere) {
    const std::vector<std::tuple<const char*, const char*, const char*>> cases = {
        {"LatDeg", "51", "51"},
        {"LatDeg", "05", "05"},
        {"LatDeg", "4", "04"},
        {"LatDeg", "4.5", "04"},
        {"LatMin", "59", "59"},
        {"LatSec", "", "00"},
        {"LongDeg", "180", "180"},
        {"LongDeg", "072", "072"},
        {"LongDeg", "72", "072"},
        {"LongMin", "07", "07"},
        {"LongSec", "5.", "05"},
        {"LatDir", "South", "South"},
        {"LatDir", "North", "North"},
        {"LatDir", "south", "North"},
        {"LatDir", "", "North"},
        {"LatDir", "Southern", "South"},
        {"LongDir", "East", "East"},
        {"LongDir", "EAST", "West"},
        {"LongDir", " ", "West"},
        {"LongDir", "West", "West"},
        {"PrinterType", "Laser", "Laser"},
        {"PrinterType", "BW Inkjet", "BW Inkjet"},
        {"PrinterType", "Colour Inkjet", "Colour Inkjet"},
        {"PrinterType", "bw inkjet", "Laser"},
        {"DayOrder", "6", "6"},
        {"DayOrder", " 3 ", "3"},
        {"Location", " Hilltop ", " Hilltop "},
        {"TimeZone", "48", "48"},
        {"DaylightSavings", "True", "True"},
        {"DateFormat", "mm/dd/yyyy", "mm/dd/yyyy"}};
    std::vector<std::string_view> every;
    for (const TSettingDef& def : SettingDefs())
        every.push_back(def.Name);
    for (const auto& [name, text, written] : cases) {
        PutCurrentStore({{name, text}});
        (void)Load();
        EXPECT_TRUE(Warnings.empty()) << name << " " << text;
        const bool quiet =
            std::string_view(name).ends_with("Dir") || std::string_view(name) == "PrinterType";
        if (quiet && !std::string_view(text).starts_with(written)) {
            EXPECT_EQ(Stored(name), written) << name << " " << text;
        }
        ASSERT_TRUE(StoreSettings(Store, Settings, every));
        EXPECT_EQ(Stored(name), written) << name << " " << text;
        const TSettings read = Settings;
        (void)Load();
        EXPECT_EQ(Settings.Position, read.Position) << name << " " << text;
    }
    // A tenth of a degree is six minutes.
    PutCurrentStore({{"LatDeg", "4.5"}, {"LatMin", "45"}});
    (void)Load();
    EXPECT_EQ(Settings.Position.Latitude, (TDegMinSec{5, 15, 0}));
}

// An existing file without the settings key has lost the settings: say so. An empty file
// (0 bytes) is a store still being made, perhaps by a copy starting at the same moment:
// nothing is lost, nothing is said.
TEST(LoadSettings, AStoreWithoutItsSettingsKeyIsResetWithAWarning) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    const auto start = [&](std::vector<std::string>& warnings) {
        TSettingsStore store(path);
        TSettings settings;
        (void)LoadSettings(store, settings,
                           [&](const std::string& text) { warnings.push_back(text); });
        return settings;
    };
    std::vector<std::string> warnings;
    (void)start(warnings); // a first start: no file, nothing to report
    EXPECT_TRUE(warnings.empty());
    {
        TSettingsStore store(path);
        ASSERT_TRUE(store.DeleteKey(SettingsKeyPath));
    }
    TSettings settings = start(warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("default settings"), std::string::npos);
    EXPECT_EQ(settings.TimeZone, 24);
    EXPECT_EQ(settings.Location, ""); // the user key and its locations were still there

    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path + suffix);
    { std::ofstream(path, std::ios::binary); }
    ASSERT_EQ(std::filesystem::file_size(path), 0u);
    warnings.clear();
    settings = start(warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(settings.Location, "Home Location");
    warnings.clear();
    (void)start(warnings);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(LoadSettingsTest, MissingValuesTakeTheirDefaults) {
    PutCurrentStore({{"TimeZone", ""}});
    (void)Load();
    EXPECT_EQ(Warnings,
              std::vector<std::string>{"\r\nYour Timezone setting was damaged. Please reset it in "
                                       "Tidewell's Configuration screen."});
    EXPECT_EQ(Stored("TimeZone"), "24");

    PutCurrentStore({{"FeatureIdx", ""}, {"PrinterType", "   "}, {"DayOrder", ""}});
    (void)Load();
    EXPECT_TRUE(Warnings.empty());
    EXPECT_EQ(Settings.FeatureIdx, 2);
    EXPECT_EQ(Stored("FeatureIdx"), "2");
    EXPECT_EQ(Settings.PrinterType, TPrinterType::Laser);
    EXPECT_EQ(Stored("PrinterType"), "Laser");
    EXPECT_EQ(Stored("DayOrder"), "0");
}

// The time server's default changed to the daytime protocol: a store that names a server keeps
// it, whatever it is, and only a store without one (or with an empty one) gains the default.
TEST_F(LoadSettingsTest, AStoredTimeServerIsKeptOverTheNewDefault) {
    for (const char* kept : {"http://time.nist.gov:14/", "daytime://127.0.0.1:1313"}) {
        PutCurrentStore({{"TimeServer", kept}});
        (void)Load();
        EXPECT_TRUE(Warnings.empty());
        EXPECT_EQ(Settings.TimeServer, kept);
        EXPECT_EQ(Stored("TimeServer"), kept);
    }
    PutCurrentStore({{"TimeServer", ""}});
    (void)Load();
    EXPECT_EQ(Settings.TimeServer, "daytime://time.nist.gov");
    EXPECT_EQ(Stored("TimeServer"), "daytime://time.nist.gov");
}

TEST(LoadSettings, ADamagedFileIsReportedAndStartsWithDefaults) {
    TTempFolder folder;
    const std::string path = folder.File("settings.db");
    { std::ofstream(path, std::ios::binary) << std::string(5000, '\x5a'); }
    TSettingsStore store(path);
    TSettings settings;
    std::vector<std::string> warnings;
    const TZoneOffsets offsets =
        LoadSettings(store, settings, [&](const std::string& text) { warnings.push_back(text); });
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("settings.db.damaged-"), std::string::npos);
    EXPECT_EQ(offsets.ZoneMinutes, 0);
    EXPECT_EQ(settings.Location, "Home Location");
    TSettingsStore reopened(path);
    EXPECT_TRUE(reopened.RecoveryMessage().empty());
    EXPECT_TRUE(reopened.OpenKey("SoftWare\\Brivant\\User\\Home Location", false));
}

TEST_F(LoadSettingsTest, WritersStoreOnlyIntoAnExistingSettingsKey) {
    TSettings changed = DefaultSettings();
    changed.PhaseDensity = 7;
    changed.PrintSunTimes = false;
    EXPECT_FALSE(StoreSettings(Store, changed, PrintOptionValueNames));
    EXPECT_FALSE(Store.OpenKey(SettingsKeyPath, false)); // not created by a writer

    (void)Load();
    changed = Settings;
    changed.PhaseDensity = 7;
    changed.PrintSunTimes = false;
    changed.TimeZone = 25;
    EXPECT_TRUE(StoreSettings(Store, changed, PrintOptionValueNames));
    EXPECT_EQ(Stored("PhaseDensity"), "7");
    EXPECT_EQ(Stored("PrintSunTimes"), "False");
    EXPECT_EQ(Stored("TimeZone"), "24"); // not one of the print options
    EXPECT_TRUE(StoreSettings(Store, changed, ConfigurationValueNames));
    EXPECT_EQ(Stored("TimeZone"), "25");

    const std::array<std::string_view, 2> unknown = {"DayOrder", "NoSuchValue"};
    changed.DayOrder = TWeekday::Wednesday;
    EXPECT_FALSE(StoreSettings(Store, changed, unknown));
    EXPECT_EQ(Stored("DayOrder"), "0");
}

// A location's texts are read at their fixed places and written back the same.
TEST(NamedLocation, TextsReadAtTheirFixedPlaces) {
    const std::vector<
        std::tuple<const char*, const char*, std::optional<TPosition>, const char*, const char*>>
        cases = {{"513000 South", "0011500 West",
                  TPosition{{51, 30, 0}, THemisphere::Southern, {1, 15, 0}, TLongitudeSide::West},
                  "513000 South", "0011500 West"},
                 {"000000 North", "1800000 East and more",
                  TPosition{{}, THemisphere::Northern, {180, 0, 0}, TLongitudeSide::East},
                  "000000 North", "1800000 East"},
                 {"51", "", TPosition{{51, 0, 0}, THemisphere::Northern, {}, TLongitudeSide::East},
                  "510000 North", "0000000 East"},
                 {"916000 North", "0000000 West", std::nullopt, "", ""},
                 {"000000 North", "0x10000 West", std::nullopt, "", ""}};
    for (const auto& [latitude, longitude, position, latWritten, longWritten] : cases) {
        const auto read = LocationPosition({latitude, longitude, "24", "False", ""});
        EXPECT_EQ(read, position) << latitude << " " << longitude;
        if (!read) continue;
        const TNamedLocation written = NamedLocationOf(*read, 30, true);
        EXPECT_EQ(written.Latitude, latWritten);
        EXPECT_EQ(written.Longitude, longWritten);
        EXPECT_EQ(written.Timezone + written.DST, "30True");
    }
}

} // namespace

TEST(LoadSettings, FirstStartStandsAtTheCityOfTheComputersZoneOrAtTheDefaults) {
    const TPosition newYork{{40, 42, 51}, THemisphere::Northern, {74, 0, 23}, TLongitudeSide::West};
    const TPosition sydney{{33, 52, 0}, THemisphere::Southern, {151, 13, 0}, TLongitudeSide::East};
    const struct {
        const char* Tz;
        TPosition Position;
        std::string Location, ZoneName;
    } cases[] = {{"America/New_York", newYork, "New York", "America/New_York"},
                 {":Australia/Sydney", sydney, "Sydney", "Australia/Sydney"},
                 {"US/Eastern", newYork, "New York", "US/Eastern"}, // a link: its zone's city
                 // No city, a POSIX rule, no such zone: the defaults.
                 {"UTC", {}, "Home Location", ""},
                 {"EST5EDT,M3.2.0,M11.1.0", {}, "Home Location", ""},
                 {"Mars/Olympus", {}, "Home Location", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Tz);
        setenv("TZ", c.Tz, 1);
        TTempFolder folder;
        TSettingsStore store(folder.File("settings.db"));
        TSettings s;
        (void)LoadSettings(store, s, [](const std::string& text) { ADD_FAILURE() << text; });
        EXPECT_EQ(s.Position, c.Position);
        EXPECT_EQ(s.Location, c.Location);
        EXPECT_EQ(s.TimeZoneName, c.ZoneName);
        EXPECT_EQ(SettingsZoneMinutes(s) + SettingsDstMinutes(s),
                  SettingsZone(s).StateAt(JulianDayNow()).OffsetMinutes()); // in step, for old versions
        const auto location = ReadNamedLocation(store, c.Location);
        ASSERT_TRUE(location);
        EXPECT_EQ(location->ZoneName, c.ZoneName);
        EXPECT_EQ(LocationPosition(*location), c.Position);
    }
    setenv("TZ", "UTC", 1);
}

TEST_F(LoadSettingsTest, ZoneNamesReadBackOrFallBackToTheFixedOffsetWithOneMessage) {
    const struct {
        const char* Stored;
        const char* Reported; // nothing when the name serves
    } cases[] = {{"Europe/London", nullptr},
                 {"Europe/Londno", "Unknown time zone: \"Europe/Londno\""},
                 {"Europe/../London", "Not a time zone name"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        PutCurrentStore(
            {{"TimeZoneName", c.Stored}, {"TimeZone", "34"}, {"DaylightSavings", "True"}});
        (void)Load();
        ASSERT_EQ(Warnings.size(), c.Reported ? 1U : 0U);
        EXPECT_TRUE(!c.Reported || Warnings[0].find(c.Reported) != std::string::npos);
        EXPECT_EQ(Settings.TimeZoneName, c.Reported ? "" : c.Stored);
        EXPECT_EQ(Stored("TimeZoneName"), c.Stored); // kept for another day
        const TObserverZone zone = SettingsZone(Settings);
        EXPECT_EQ(zone.IsNamed(), !c.Reported);
        EXPECT_EQ(zone.StateAt(2461000.5).OffsetMinutes(), c.Reported ? 6 * 60 : 0); // November
    }
    for (const char* zone : {"Asia/Tokyo", ""}) { // a location made fixed loses its zone
        WriteNamedLocation(Store, "Tokyo", NamedLocationOf({}, 42, false, zone), true);
        EXPECT_EQ(ReadNamedLocation(Store, "Tokyo")->ZoneName, zone);
    }
}

TEST(LoadSettings, OldValuesInStepGiveTheOffsetInForceWithinAQuarterHour) {
    // Off the half-hour grid (Kathmandu) within 15 minutes; beyond 12 hours (Kiritimati) not.
    int compared = 0;
    for (const std::string& name : NamedZoneNames()) {
        const TNamedZoneLookup found = LookUpNamedZone(name);
        ASSERT_TRUE(found.Zone) << name;
        for (const double jd : {JulianDayOf(2026, 1, 15, 12), JulianDayOf(2026, 7, 15, 12)}) {
            TSettings settings = DefaultSettings();
            KeepFixedOffsetInStep(settings, *found.Zone, jd);
            const TZoneState state = found.Zone->StateAt(jd);
            const int kept = SettingsZoneMinutes(settings) + SettingsDstMinutes(settings);
            EXPECT_EQ(settings.DaylightSavings, state.IsDaylightSaving) << name;
            if (std::abs(SettingsZoneMinutes(settings)) >= 12 * 60) continue;
            EXPECT_LE(std::abs(kept - state.OffsetMinutes()), 15) << name << " at JD " << jd;
            ++compared;
        }
    }
    EXPECT_GT(compared, 600);
}
