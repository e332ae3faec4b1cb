// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/position.h"

class TSettingsStore;

// A named observing location: a sub-key of the user key, named after the location.
// Latitude is "DDMMSS North" (or South), Longitude "DDDMMSS West" (or East).
struct TNamedLocation {
    std::string Latitude;
    std::string Longitude;
    std::string Timezone; // time-zone index in decimal
    std::string DST;      // "True" or "False"
    // A zone of the tz database, or empty for the fixed offset of Timezone and DST (which a
    // named zone keeps in step, for older versions).
    std::string ZoneName;
};

// "SoftWare\Brivant\User\" + name.
[[nodiscard]] std::string LocationKeyPath(std::string_view name);

// The location that a first start creates as "Home Location".
[[nodiscard]] TNamedLocation DefaultHomeLocation();

// Writes the four values in one transaction, with the zone's name when there is one or was
// one before (a location that never had a name is written as older versions wrote it),
// creating the key when canCreate is set. False when the key does not exist (and may not be
// created) or the write failed.
bool WriteNamedLocation(TSettingsStore& store, std::string_view name,
                        const TNamedLocation& location, bool canCreate);

// Nothing when the location does not exist.
[[nodiscard]] std::optional<TNamedLocation> ReadNamedLocation(TSettingsStore& store,
                                                              std::string_view name);

// The location of a position and clock, as the configuration stores it.
[[nodiscard]] TNamedLocation NamedLocationOf(const TPosition& position, int timeZone, bool dst,
                                             std::string_view zoneName = {});

// The position of a location's texts, read at their fixed places: latitude degrees from
// characters 1-2, minutes 3-4, seconds 5-6, side 8-12; longitude degrees 1-3, minutes 4-5,
// seconds 6-7, side 9-13. "South" and "West" are exactly those words, any other is North
// or East. Nothing when an angle is not one an observer can have.
[[nodiscard]] std::optional<TPosition> LocationPosition(const TNamedLocation& location);
