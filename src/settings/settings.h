#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/program_version.h"

// Key paths, relative to the store's root.
inline constexpr std::string_view SettingsKeyPath = "HKEY_TIDEWELL";
inline constexpr std::string_view UserKeyPath = "SoftWare\\Brivant\\User";
inline constexpr std::string_view HomeLocationName = "Home Location";
// The store is stamped with the version of the program that wrote it last.
inline constexpr std::string_view CurrentVersion = ProgramVersion;

// All persistent settings. The program owns one instance (the main window); every window
// reads it, the configuration screen and the print options change it and write it back.
// The defaults live in the table of settings.cpp: start from DefaultSettings() or
// LoadSettings, not from a bare TSettings{}.
struct TSettings {
    std::string Version;            // at most 6 characters
    std::string LatDeg;             // 3
    std::string LatMin;             // 2
    std::string LatSec;             // 2
    std::string LatDir;             // 5: "North" or "South"
    std::string LongDeg;            // 3
    std::string LongMin;            // 2
    std::string LongSec;            // 2
    std::string LongDir;            // 5: "East" or "West"
    std::string Location;           // 64: the named location last chosen
    std::uint8_t DayOrder = 0;      // first weekday of the calendar, 0 Sunday .. 6 Saturday
    std::uint8_t DateLayoutIdx = 0; // 0 "dd/mm/yyyy", 1 "mm/dd/yyyy"
    std::string DateFormat;         // 12
    bool DaylightSavings = false;
    std::int32_t TimeZone = 0;     // 0..48, offset (TimeZone - 24) * 30 minutes
    std::uint8_t PhaseDensity = 0; // 0..100
    bool PrintDailyPhases = false;
    bool PrintMajorPhases = false;
    bool PrintLunarTimes = false;
    bool PrintSunTimes = false;
    std::string PrinterType;     // 15: "Laser", "BW Inkjet" or "Colour Inkjet"
    std::int32_t FeatureIdx = 0; // 0..16, the feature file shown first
    std::string TimeServer;      // URL of the daytime server used by Sync
    bool NightVision = false;    // every window drawn deep red on black
};

using TSettingField = std::variant<std::string TSettings::*, bool TSettings::*,
                                   std::uint8_t TSettings::*, std::int32_t TSettings::*>;

// One stored value of the settings key: its name, default text, the field it fills and
// what a valid value is. Texts are cut to MaxLength on reading; integers must lie in
// Min..Max. A BlankRepaired text that is blank is replaced by its default and written back.
struct TSettingDef {
    std::string_view Name;
    std::string_view Default;
    TSettingField Field;
    int MaxLength = 0;
    int Min = 0;
    int Max = 0;
    bool BlankRepaired = false;
};

// Every value of the settings key, in the order they are first written.
[[nodiscard]] std::span<const TSettingDef> SettingDefs();
// The declaration of the value of that name (case-insensitive), or nullptr.
[[nodiscard]] const TSettingDef* FindSettingDef(std::string_view name);

// The settings as a first start leaves them.
[[nodiscard]] TSettings DefaultSettings();

// The field's value as stored: numbers in decimal, booleans "True"/"False".
[[nodiscard]] std::string SettingText(const TSettings& settings, const TSettingDef& def);

enum class TSettingRead { Ok, Blank, Invalid };

// Reads a stored text into the field. Texts are cut to their width, booleans are true only
// for the exact text "True". An integer that is blank, not a decimal number or outside its
// range leaves the field unchanged and is reported as Blank or Invalid.
TSettingRead ApplySettingText(TSettings& settings, const TSettingDef& def, std::string_view text);

// The main window's clock offsets for these settings, in minutes.
[[nodiscard]] int SettingsZoneMinutes(const TSettings& settings);
[[nodiscard]] int SettingsDstMinutes(const TSettings& settings);
