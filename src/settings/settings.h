// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/program_version.h"
#include "settings/position.h"

// Key paths, relative to the store's root.
inline constexpr std::string_view SettingsKeyPath = "HKEY_TIDEWELL";
inline constexpr std::string_view UserKeyPath = "SoftWare\\Brivant\\User";
inline constexpr std::string_view HomeLocationName = "Home Location";
// The store is stamped with the version of the program that wrote it last.
inline constexpr std::string_view CurrentVersion = ProgramVersion;

// The printer the printed pages are shaded for.
enum class TPrinterType { Laser, BwInkjet, ColourInkjet };

// The first weekday of the calendar.
enum class TWeekday : std::uint8_t {
    Sunday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday
};

// All persistent settings. The program owns one instance (the main window); every window
// reads it, the configuration screen and the print options change it and write it back.
// The defaults live in the table of settings.cpp: start from DefaultSettings() or
// LoadSettings, not from a bare TSettings{}.
struct TSettings {
    std::string Version; // at most 6 characters
    TPosition Position;
    std::string Location; // 64: the named location last chosen
    TWeekday DayOrder = TWeekday::Sunday;
    std::uint8_t DateLayoutIdx = 0; // 0 "dd/mm/yyyy", 1 "mm/dd/yyyy"
    std::string DateFormat;         // 12
    bool DaylightSavings = false;
    std::int32_t TimeZone = 0; // 0..48, offset (TimeZone - 24) * 30 minutes
    // 64: a zone of the tz database ("America/New_York") whose rules give the offset; empty
    // for the fixed offset of TimeZone and DaylightSavings, which are then kept in step.
    std::string TimeZoneName;
    std::uint8_t PhaseDensity = 0; // 0..100
    bool PrintDailyPhases = false;
    bool PrintMajorPhases = false;
    bool PrintLunarTimes = false;
    bool PrintSunTimes = false;
    TPrinterType PrinterType = TPrinterType::Laser;
    std::int32_t FeatureIdx = 0; // 0..16, the feature file shown first
    std::string TimeServer;      // URL of the daytime server used by Sync
    bool NightVision = false;    // every window drawn deep red on black
};

struct TSettingDef;

// How a stored text was read. Unknown: a word that names no kind (the field keeps its
// value; the store takes the default without a warning, as the program always read such
// a word as the default).
enum class TSettingRead { Ok, Blank, Invalid, Unknown };

// How a value that is not a plain text, flag or number is read from its stored text and
// written back: the parts of the position, the kinds stored as words, the weekday.
struct TSettingCodec {
    TSettingRead (*Read)(TSettings& settings, const TSettingDef& def, std::string_view text);
    std::string (*Write)(const TSettings& settings, const TSettingDef& def);
};

using TSettingField =
    std::variant<std::string TSettings::*, bool TSettings::*, std::uint8_t TSettings::*,
                 std::int32_t TSettings::*, TSettingCodec>;

// One stored value of the settings key: its name, default text, the field it fills and
// what a valid value is. Texts and words are cut to MaxLength on reading; integers must lie
// in Min..Max. A BlankRepaired text that is blank is replaced by its default and written
// back. The parts of the position are written with as many digits as their default has.
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

// Reads a stored text into the field. Texts are cut to their width, booleans are true only
// for the exact text "True", kinds only for their exact word. An integer that is blank, not
// a decimal number or outside its range leaves the field unchanged and is reported as Blank
// or Invalid; a part of the position must be whole (blank reads as 0).
TSettingRead ApplySettingText(TSettings& settings, const TSettingDef& def, std::string_view text);

// The three stored texts of one axis of the position (degrees, minutes, seconds, each cut
// to its width) as an angle: blank reads as 0, a part is decimal digits and the degrees may
// have a tenth ("4.5" is 4° 30'). Nothing when no observer can have it ("nan", "999", 75
// minutes).
[[nodiscard]] std::optional<TDegMinSec> AxisOfTexts(std::string_view deg, std::string_view min,
                                                    std::string_view sec, int maxDeg);

// The main window's clock offsets for these settings, in minutes.
// The stored zone is an index into the list of fixed offsets: half hours from UT-12:00 (0)
// through UT (24) to UT+12:00 (48); the daylight-saving box adds a whole hour.
inline constexpr int GreenwichZoneIndex = 24;
inline constexpr int ZoneIndexMinutes = 30;
inline constexpr int LastZoneIndex = 48;
inline constexpr int DaylightSavingMinutes = 60;

[[nodiscard]] int SettingsZoneMinutes(const TSettings& settings);
[[nodiscard]] int SettingsDstMinutes(const TSettings& settings);
