// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/load_settings.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "engine/date_time.h"
#include "engine/text_helpers.h"
#include "settings/named_location.h"
#include "settings/settings_store.h"
#include "settings/settings_zone.h"

namespace {

// Width of the time-zone text that the migration steps work on.
constexpr std::size_t TimeZoneTextWidth = 5;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::optional<int> DecimalInteger(std::string_view text) {
    const std::string digits = Trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// "V2.62" gives 262: the 2nd character followed by the 4th and 5th.
std::optional<int> VersionNumber(std::string_view version) {
    if (version.size() < 5) return std::nullopt;
    const std::string digits{version[1], version[3], version[4]};
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return std::stoi(digits);
}

// Stores up to V2.60 kept the zone in hours: "H" (one or two characters) for H hours,
// "Hxx" (three or four) for H and a half. Nothing when the text is of neither form.
std::optional<std::string> ConvertOldTimeZone(std::string_view text) {
    if (text.size() == 1 || text.size() == 2) {
        if (const auto hours = DecimalInteger(text)) return std::to_string(2 * *hours);
    } else if (text.size() == 3 || text.size() == 4) {
        if (const auto hours = DecimalInteger(text.substr(0, text.size() - 2)))
            return std::to_string(2 * *hours + 1);
    }
    return std::nullopt;
}

constexpr const char* UnsavedMessage =
    "\r\nTidewell could not update its settings file. It has started with the settings "
    "shown, but they may not be kept.";

constexpr const char* MissingSettingsMessage =
    "\r\nYour settings file held no Tidewell settings. Tidewell has started with its default "
    "settings; please check them in Tidewell's Configuration screen.";

std::string DamagedValueMessage(std::string_view name, std::string_view text,
                                std::string_view repaired) {
    return "\r\nYour " + std::string(name) + " setting (\"" + std::string(text.substr(0, 24)) +
           "\") was damaged and has been reset to its default, " + std::string(repaired) + ".";
}

std::string DamagedValueMessage(const TSettingDef& def, std::string_view text) {
    return DamagedValueMessage(def.Name, text, def.Default);
}

// One axis of the stored position.
struct TPositionAxis {
    std::string_view Name;
    std::array<std::string_view, 3> Values; // degrees, minutes, seconds
    TDegMinSec TPosition::*Angle;
    int MaxDeg;
};

constexpr std::array<TPositionAxis, 2> PositionAxes = {{
    {"latitude", {"LatDeg", "LatMin", "LatSec"}, &TPosition::Latitude, MaxLatitudeDeg},
    {"longitude", {"LongDeg", "LongMin", "LongSec"}, &TPosition::Longitude, MaxLongitudeDeg},
}};

// One run of LoadSettings over an open store.
class TSettingsLoader {
  public:
    TSettingsLoader(TSettingsStore& store, TSettings& settings)
        : Store_(store), Settings_(settings) {}

    void Run();
    std::vector<std::string> Warnings;

  private:
    void OpenOrCreateSettingsKey();
    void OpenOrCreateUserKey();
    void ReadVersion();
    void ReadValue(std::string_view name);
    void WriteValue(std::string_view name, std::string_view text);
    void WriteVersionToBothKeys();
    void ReadTimeZone();
    void MigrateLocation();
    void ReadPosition();
    void ReadZoneName();
    void PlaceAtSystemZone();
    [[nodiscard]] std::string StoredTimeZone();

    TSettingsStore& Store_;
    TSettings& Settings_;
    std::optional<TStoreKey> SettingsKey_;
    std::optional<TStoreKey> UserKey_;
    std::optional<int> VersionNumber_;
    // What a store created in this run begins with: the defaults, or the computer's time
    // zone and its city.
    TSettings Start_ = DefaultSettings();
    bool AtZoneCity_ = false;
};

void TSettingsLoader::Run() {
    Settings_ = DefaultSettings();
    OpenOrCreateSettingsKey();
    OpenOrCreateUserKey();
    ReadVersion();
    for (const char* name : {"LatDir", "LongDir", "Location", "DayOrder", "DateLayoutIdx",
                             "DateFormat", "DaylightSavings"})
        ReadValue(name);
    ReadPosition();
    ReadTimeZone();
    ReadZoneName();
    ReadValue("FeatureIdx"); // a missing one quietly becomes 2, a damaged one is reported
    for (const char* name :
         {"PhaseDensity", "PrintDailyPhases", "PrintMajorPhases", "PrintLunarTimes",
          "PrintSunTimes", "PrinterType", "TimeServer", "NightVision"})
        ReadValue(name);
    MigrateLocation();
    WriteVersionToBothKeys();
    Settings_.Version = std::string(CurrentVersion);
    if (SettingsKey_) Store_.CloseKey(*SettingsKey_);
    if (UserKey_) Store_.CloseKey(*UserKey_);
}

void TSettingsLoader::OpenOrCreateSettingsKey() {
    SettingsKey_ = Store_.OpenKey(SettingsKeyPath, false);
    if (SettingsKey_) return;
    // A first start has no key; an existing file without one has lost the settings.
    if (!Store_.IsNew()) Warnings.push_back(MissingSettingsMessage);
    SettingsKey_ = Store_.OpenKey(SettingsKeyPath, true);
    if (!SettingsKey_) return;
    if (Store_.IsNew()) PlaceAtSystemZone();
    std::vector<TNamedText> defaults;
    for (const TSettingDef& def : SettingDefs())
        defaults.push_back({std::string(def.Name), SettingText(Start_, def)});
    Store_.WriteTexts(*SettingsKey_, defaults);
}

void TSettingsLoader::OpenOrCreateUserKey() {
    UserKey_ = Store_.OpenKey(UserKeyPath, false);
    if (UserKey_) return;
    UserKey_ = Store_.OpenKey(UserKeyPath, true);
    if (!AtZoneCity_) {
        WriteNamedLocation(Store_, HomeLocationName, DefaultHomeLocation(), true);
        WriteValue("Location", HomeLocationName);
        return;
    }
    WriteNamedLocation(Store_, Start_.Location,
                       NamedLocationOf(Start_.Position, Start_.TimeZone, Start_.DaylightSavings,
                                       Start_.TimeZoneName),
                       true);
    WriteValue("Location", Start_.Location);
}

// A first start stands at the principal city of the computer's time zone, when the tz
// database knows the zone and its city; otherwise at the defaults.
void TSettingsLoader::PlaceAtSystemZone() {
    const std::string name = SystemZoneName();
    if (name.empty()) return;
    const TNamedZoneLookup found = LookUpNamedZone(name);
    // Without a database the computer's zone cannot be followed: said once, at this start.
    if (found.Error == TZoneError::NoDatabase)
        Warnings.push_back("\r\n" + ZoneErrorMessage(found.Error, name) + ".");
    if (!found.Zone) return;
    const std::optional<TZoneCity> city = SystemZoneCity(found.Zone->Name());
    if (!city) return;
    PlaceAtZoneCity(Start_, *city, *found.Zone, JulianDayNow());
    AtZoneCity_ = true;
}

// A zone name the database cannot give (misspelt, or no database at all) is reported, and
// the stored fixed offset serves for this run; the name stays in the store.
void TSettingsLoader::ReadZoneName() {
    ReadValue("TimeZoneName");
    const std::string& name = Settings_.TimeZoneName;
    if (name.empty()) return;
    const TNamedZoneLookup found = LookUpNamedZone(name);
    if (found.Zone) return;
    Warnings.push_back("\r\nYour time zone setting could not be used (" +
                       ZoneErrorMessage(found.Error, name) +
                       "); Tidewell uses the stored fixed offset instead.");
    Settings_.TimeZoneName.clear();
}

void TSettingsLoader::WriteValue(std::string_view name, std::string_view text) {
    if (SettingsKey_) Store_.WriteText(*SettingsKey_, name, text);
}

void TSettingsLoader::WriteVersionToBothKeys() {
    WriteValue("Version", CurrentVersion);
    if (UserKey_) Store_.WriteText(*UserKey_, "Version", CurrentVersion);
}

void TSettingsLoader::ReadVersion() {
    const std::string stored = SettingsKey_ ? Store_.ReadText(*SettingsKey_, "Version") : "";
    ApplySettingText(Settings_, *FindSettingDef("Version"), stored);
    if (Settings_.Version == "2.00") Settings_.Version = "V2.00";
    if (Trimmed(Settings_.Version).empty()) {
        Settings_.Version = std::string(CurrentVersion);
        WriteVersionToBothKeys();
    }
    // A version that is not of the form "Vd.dd" cannot have been written by an older
    // release: it is read as the current one, so no migration touches its values.
    VersionNumber_ = VersionNumber(Settings_.Version);
}

// Reads one value into its field. A blank value or an unknown word takes its default
// (written back); a value that is not valid also does, and the user is told.
void TSettingsLoader::ReadValue(std::string_view name) {
    const TSettingDef& def = *FindSettingDef(name);
    const std::string text = SettingsKey_ ? Store_.ReadText(*SettingsKey_, def.Name) : "";
    const TSettingRead read = ApplySettingText(Settings_, def, text);
    const bool isText = std::holds_alternative<std::string TSettings::*>(def.Field);
    if (read == TSettingRead::Ok || (isText && !def.BlankRepaired)) return;
    ApplySettingText(Settings_, def, def.Default);
    WriteValue(def.Name, def.Default);
    if (read == TSettingRead::Invalid) Warnings.push_back(DamagedValueMessage(def, text));
}

std::string TSettingsLoader::StoredTimeZone() {
    const std::string text = SettingsKey_ ? Store_.ReadText(*SettingsKey_, "TimeZone") : "";
    return text.substr(0, TimeZoneTextWidth);
}

void TSettingsLoader::ReadTimeZone() {
    std::string zone = StoredTimeZone();
    // Version 2.60 kept the zone with the named location only.
    if (Settings_.Version == "V2.60") {
        const auto location = ReadNamedLocation(Store_, Settings_.Location);
        if (location && !location->Timezone.empty()) {
            WriteValue("TimeZone", location->Timezone);
            zone = StoredTimeZone();
        }
    }
    if (VersionNumber_ && *VersionNumber_ <= 260) {
        if (const auto converted = ConvertOldTimeZone(zone)) {
            WriteValue("TimeZone", *converted);
            zone = StoredTimeZone();
        }
    }
    const TSettingDef& def = *FindSettingDef("TimeZone");
    const TSettingRead read = ApplySettingText(Settings_, def, zone);
    if (read == TSettingRead::Ok) return;
    ApplySettingText(Settings_, def, def.Default);
    WriteValue(def.Name, def.Default);
    Warnings.push_back(read == TSettingRead::Blank ? std::string(DamagedTimeZoneMessage)
                                                   : DamagedValueMessage(def, zone));
}

// A position that no observer can have ("nan", 999 degrees, 75 minutes) is reset, one
// axis at a time, so the windows and the almanac never compute with it.
void TSettingsLoader::ReadPosition() {
    for (const TPositionAxis& axis : PositionAxes) {
        std::array<std::string, 3> texts;
        for (std::size_t i = 0; i < 3; ++i) {
            const TSettingDef& def = *FindSettingDef(axis.Values[i]);
            const std::string text = SettingsKey_ ? Store_.ReadText(*SettingsKey_, def.Name) : "";
            texts[i] = Utf8Prefix(text, def.MaxLength);
        }
        if (const auto angle = AxisOfTexts(texts[0], texts[1], texts[2], axis.MaxDeg)) {
            Settings_.Position.*axis.Angle = *angle;
            continue;
        }
        std::string defaults;
        for (std::size_t i = 0; i < 3; ++i) {
            const TSettingDef& def = *FindSettingDef(axis.Values[i]);
            ApplySettingText(Settings_, def, def.Default);
            WriteValue(def.Name, def.Default);
            defaults += (i ? " " : "") + std::string(def.Default);
        }
        Warnings.push_back(
            DamagedValueMessage(axis.Name, texts[0] + " " + texts[1] + " " + texts[2], defaults));
    }
}

// Stores from before 2.60 had no named locations: the stored position becomes one.
void TSettingsLoader::MigrateLocation() {
    if (Settings_.Version == CurrentVersion || !VersionNumber_ || *VersionNumber_ >= 260) return;
    if (Trimmed(Settings_.Location).empty()) {
        Settings_.Location = std::string(HomeLocationName);
        WriteValue("Location", Settings_.Location);
    }
    if (ReadNamedLocation(Store_, Settings_.Location)) return;
    WriteNamedLocation(
        Store_, Settings_.Location,
        NamedLocationOf(Settings_.Position, Settings_.TimeZone, Settings_.DaylightSavings), true);
}

} // namespace

TZoneOffsets LoadSettings(TSettingsStore& store, TSettings& settings,
                          const TSettingsWarning& warn) {
    std::optional<TSettingsLoader> loader;
    bool written = false;
    // A file found corrupt while it is read is moved aside (nothing of this run written
    // into it), and the start is made again on the fresh store.
    for (int attempt = 0; attempt < 2; ++attempt) {
        loader.emplace(store, settings);
        {
            // One transaction: a start that is cut short never leaves a half-migrated
            // store (a time zone converted twice, say).
            TSettingsStore::TTransaction transaction(store);
            loader->Run();
            written = transaction.Commit();
        }
        if (!store.RecoverFromDamage()) break;
    }
    std::vector<std::string> warnings;
    if (!store.RecoveryMessage().empty()) warnings.push_back(store.RecoveryMessage());
    if (store.IsReadOnly())
        warnings.push_back(store.ReadOnlyMessage()); // said once, for every failed write
    else if (!written)
        warnings.push_back(UnsavedMessage);
    warnings.insert(warnings.end(), loader->Warnings.begin(), loader->Warnings.end());
    if (warn) {
        for (const std::string& message : warnings)
            warn(message);
    }
    return {SettingsZoneMinutes(settings), SettingsDstMinutes(settings)};
}
