// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The check of a day's rising, transit and setting against a scan of the altitude through the
// local day. Internal to the engine's rise and set code.

#include "engine/rise_set.h"
#include "engine/rise_set_day.h"

// From this latitude on (degrees, north or south) a body can graze its altitude, stay near it
// for hours, or cross it twice within minutes, and the refinement alone can miss a crossing,
// find one twice or take the day's 0h place for the whole day; there every day is checked
// against the scan. Nearer the equator the refinement's times stand as they are.
inline constexpr double ScannedLatitudeDeg = 55.0;

// The refinement's events with the instants they were found at, days after 0h UT (for a
// wrapped Sun's event, the instant before the wrap); NaN where none was found.
struct TRefinedEvents {
    TRiseSetTimes Times;
    double RiseM;
    double TransitM;
    double SetM;
};

// The events of the observer's local day of the date whose 0h, taken as UT, is jd0:
// each refined event that the scan confirms is kept, an event the scan finds and the
// refinement missed or misplaced is put at the crossing, and one the scan does not find is
// dropped. A body that crosses h0 at no minute of the day neither rises nor sets that day.
[[nodiscard]] TRiseSetTimes CheckedAgainstTheDay(const TDayData& day, const TRefinedEvents& refined,
                                                 double jd0, const TObserver& observer);
