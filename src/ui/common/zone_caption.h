// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The name of the civil time a window or a page shows: the place and the zone's
// abbreviation, "New York (EDT)", for a named zone; nothing for a fixed offset, which the
// windows and pages have never named.
//
//   strip += ZoneCaption(state.Settings(), state.Observer().Zone, ut, ut);

#include <QString>

#include "engine/observer_zone.h"
#include "settings/settings.h"

// Over the instants fromUT..toUT (Julian Days, UT): "Sydney (AEST/AEDT)" when the
// abbreviation changes between them. The place is the chosen location, else the zone's city.
[[nodiscard]] QString ZoneCaption(const TSettings& settings, const TObserverZone& zone,
                                  double fromUT, double toUT);
