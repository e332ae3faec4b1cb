// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The civil time the settings describe: the named zone of TimeZoneName when the tz database
// has it, else the fixed offset of TimeZone and DaylightSavings. Those two values stay in
// step with a named zone whenever they are written, so that an older version reading the
// store still shows sensible times.
//
//   const TObserverZone zone = SettingsZone(settings);       // named, or the fixed offset
//   KeepFixedOffsetInStep(settings, zone, nowJD);            // before writing the store

#include <string>

#include "engine/observer_zone.h"
#include "engine/system_zone.h"
#include "settings/settings.h"

// The named zone of TimeZoneName when the database has it; the fixed offset otherwise (no
// name, or one that cannot be had: the start-up has said so once).
[[nodiscard]] TObserverZone SettingsZone(const TSettings& settings);

// The zone index 0..48 nearest to an offset in minutes (the far ends for offsets beyond
// twelve hours).
[[nodiscard]] int FixedZoneIndex(int offsetMinutes);

// For a named zone: TimeZone and DaylightSavings as the offset and daylight saving in force
// at the instant (Julian Day, UT). Nothing changes for a fixed offset.
void KeepFixedOffsetInStep(TSettings& settings, const TObserverZone& zone, double jdUT);

// The settings placed at a zone's principal city: its position, its name as the location,
// the zone's name, the fixed offset in step at the instant.
void PlaceAtZoneCity(TSettings& settings, const TZoneCity& city, const TObserverZone& zone,
                     double jdUT);

