#pragma once

#include <array>
#include <span>
#include <string_view>

#include "settings/settings.h"

class TSettingsStore;

// Writes the named values of `settings` to the settings key in one transaction, the way
// every window that changes settings stores them: the key is opened without being created,
// and when it does not exist nothing is written. False when nothing was written (no key,
// an unknown name, or a failed write).
bool StoreSettings(TSettingsStore& store, const TSettings& settings,
                   std::span<const std::string_view> names);

// What the configuration screen stores when it closes.
inline constexpr std::array<std::string_view, 18> ConfigurationValueNames = {
    "LatDeg",   "LatMin",          "LatSec",     "LatDir",      "LongDeg",       "LongMin",
    "LongSec",  "LongDir",         "Location",   "DayOrder",    "DateLayoutIdx", "DateFormat",
    "TimeZone", "DaylightSavings", "FeatureIdx", "PrinterType", "TimeServer",    "TimeZoneName"};

// What the print options store on OK.
inline constexpr std::array<std::string_view, 5> PrintOptionValueNames = {
    "PrintDailyPhases", "PrintMajorPhases", "PrintLunarTimes", "PrintSunTimes", "PhaseDensity"};
