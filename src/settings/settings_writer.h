// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "settings/settings.h"

class TSettingsStore;

// Writes the named values of `settings` to the settings key in one transaction, the way
// every window that changes settings stores them: the key is opened without being created,
// and when it does not exist nothing is written. False when nothing was written (no key,
// an unknown name, or a failed write).
bool StoreSettings(TSettingsStore& store, const TSettings& settings,
                   std::span<const std::string_view> names);

// The named values as the store holds them now, over `base` for those it does not hold (no
// key, no value, or a text that cannot be read). A window reads them when it opens, so it
// shows what another copy of the program stored meanwhile.
[[nodiscard]] TSettings StoredValues(TSettingsStore& store, TSettings base,
                                     std::span<const std::string_view> names);

// The names among `names` whose stored text differs between `before` and `after`, each
// widened to the values written together with it (ValuesStoredTogether).
[[nodiscard]] std::vector<std::string_view>
ChangedValueNames(const TSettings& before, const TSettings& after,
                  std::span<const std::string_view> names);

struct TStoredChanges {
    TSettings Settings; // what the store holds now, with the user's changes
    bool Stored = true; // false when the changes could not be written
};

// Stores only what the user changed in a window (`shown` as the window was filled, `edited`
// as it is left) over the values the store holds now, so nothing another copy of the
// program stored meanwhile is undone. Nothing is written when nothing changed. `current`
// stands in for the values the store cannot give.
[[nodiscard]] TStoredChanges StoreChangedSettings(TSettingsStore& store, const TSettings& current,
                                                  const TSettings& shown, const TSettings& edited,
                                                  std::span<const std::string_view> names);

// Values that only make sense together and are always written together: the parts of the
// position, the date layout with its text, and the zone with its offset and daylight saving.
inline constexpr std::array<std::string_view, 8> PositionValueNames = {
    "LatDeg", "LatMin", "LatSec", "LatDir", "LongDeg", "LongMin", "LongSec", "LongDir"};
inline constexpr std::array<std::string_view, 2> DateLayoutValueNames = {"DateLayoutIdx",
                                                                         "DateFormat"};
inline constexpr std::array<std::string_view, 3> ZoneValueNames = {"TimeZoneName", "TimeZone",
                                                                   "DaylightSavings"};
inline constexpr std::array<std::span<const std::string_view>, 3> ValuesStoredTogether = {
    PositionValueNames, DateLayoutValueNames, ZoneValueNames};

// What the configuration screen stores when it closes.
inline constexpr std::array<std::string_view, 18> ConfigurationValueNames = {
    "LatDeg",   "LatMin",          "LatSec",     "LatDir",      "LongDeg",       "LongMin",
    "LongSec",  "LongDir",         "Location",   "DayOrder",    "DateLayoutIdx", "DateFormat",
    "TimeZone", "DaylightSavings", "FeatureIdx", "PrinterType", "TimeServer",    "TimeZoneName"};

// What the print options store on OK.
inline constexpr std::array<std::string_view, 5> PrintOptionValueNames = {
    "PrintDailyPhases", "PrintMajorPhases", "PrintLunarTimes", "PrintSunTimes", "PhaseDensity"};
