// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "engine/apsides.h"
#include "engine/date_facts.h"
#include "engine/lunar_eclipse.h"
#include "engine/phases.h"
#include "engine/rise_set.h"
#include "engine/seasons.h"

// The texts the windows and the almanac show, made from the engine's numbers. Every display
// text of a time, rise/set event, apsis or eclipse is formed here and nowhere else.

// "HH:MM" of a minute of the day (0..1440).
[[nodiscard]] std::string ClockText(int minuteOfDay);

// "HH:MM" of a local JD as the date-and-time texts show it: seconds rounded, then dropped.
[[nodiscard]] std::string LocalClockText(double localJD);

// "HH:MM" of an event that occurs, "*****" for one not on this day, "None" for a body that
// stays above or below the altitude.
[[nodiscard]] std::string EventTimeText(const TRiseSetEvent& event);

// The same as the printed calendar's day cells show it: an event not on this day is "****".
[[nodiscard]] std::string CellEventTimeText(const TRiseSetEvent& event);

// "HH:MM  DD Month YYYY" of a principal phase, local time.
[[nodiscard]] std::string PhaseDateText(const TPhaseEntry& phase);

// "HH:MM" of a principal phase, local time.
[[nodiscard]] std::string PhaseClockText(const TPhaseEntry& phase);

// "March equinox", "June solstice", "September equinox", "December solstice".
[[nodiscard]] std::string SeasonEventName(TSeasonEventKind kind);

// "Spring", "Summer", "Autumn", "Winter".
[[nodiscard]] std::string SeasonName(TSeason season);

// "HH:MM:SS  DD Month YYYY" of an equinox or solstice, local time.
[[nodiscard]] std::string SeasonDateTimeText(const TSeasonEvent& event);

// "HH:MM   DD Mon" of an equinox or solstice, local time.
[[nodiscard]] std::string SeasonShortText(const TSeasonEvent& event);

// "92.76 days": the length of the season an event begins.
[[nodiscard]] std::string SeasonLengthText(const TSeasonEvent& event);

// The ISO 8601 week of a date's facts with its full form: "49  (2026-W49-7)".
[[nodiscard]] std::string IsoWeekText(const TDateFacts& facts);

// "UTC+HH:MM" (or "UTC-HH:MM"): the observer's civil time minus UT at an instant (UT).
[[nodiscard]] std::string UtcOffsetText(const TObserver& observer, double jdUT);
// " EDT": the abbreviation in force, to follow a clock time the clocks show twice that night
// (at the instant, UT); empty for any other time.
[[nodiscard]] std::string RepeatedHourMark(const TObserver& observer, double jdUT);
// The civil time in force at an instant (UT): the offset alone for a fixed one, else the
// zone's name and abbreviation before it ("America/New_York EDT, UTC-04:00").
[[nodiscard]] std::string CivilTimeText(const TObserver& observer, double jdUT);

// Local mean sidereal time "HH:MM:SS" of a moment in Universal Time (JD) for an observer at a
// longitude in radians, positive west.
[[nodiscard]] std::string LocalSiderealTimeText(double jd, double longitudeWestRad);

// "HH:MM  DD Mon  " of a passage (JDE taken as UT) in civil time, the minute rounded ("HH:MM
// EDT  DD Mon  " in an hour the clocks repeat); at most 25 characters.
[[nodiscard]] std::string ApsisTimeText(double jde, const TObserver& observer);

// "361113 km  ": the distance to the nearest kilometre.
[[nodiscard]] std::string ApsisDistanceText(double distanceKm);

// The next perigee and apogee as the main window shows them (at most 25 characters each).
struct TApsidesText {
    std::string PerigeeDistance; // "361113 km  "
    std::string PerigeeTime;     // "HH:MM  DD Mon  ", civil time
    std::string ApogeeDistance;
    std::string ApogeeTime;
};

// The passages' texts, their times in the observer's civil time.
[[nodiscard]] TApsidesText ApsidesText(const TNextApsides& next, const TObserver& observer);

// "Visible", "Partially Visible" or "Not Visible".
[[nodiscard]] std::string EclipseVisibilityText(TEclipseVisibility visibility);

// "Penumbral Eclipse", "Partial Eclipse" or "Total Eclipse" (the eclipse windows); "" for none.
[[nodiscard]] std::string EclipseTypeText(TEclipseType type);

// "Penumbral Lunar Eclipse" ... "Total Lunar Eclipse" (the calendar's event titles);
// "Lunar Eclipse" for none.
[[nodiscard]] std::string LunarEclipseTypeText(TEclipseType type);

// "HH:MM" of a contact (ContactP1 ... ContactP4), as the date-and-time texts show it; "" for a
// contact this eclipse does not have.
[[nodiscard]] std::string EclipseContactText(const EclipseCircumstances& eclipse, int contact);

// "DD Month YYYY", the local date of greatest eclipse; "" when there is no eclipse.
[[nodiscard]] std::string EclipseDateText(const EclipseCircumstances& eclipse);

// "HH:MM  DD Month YYYY", the local time and date of greatest eclipse; two blanks when there is
// no eclipse.
[[nodiscard]] std::string EclipseMaximumText(const EclipseCircumstances& eclipse);
