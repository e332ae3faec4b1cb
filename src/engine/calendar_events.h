// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The almanac's events of a span of years as calendar events: the principal phases (the full
// moons with their traditional names), perigee and apogee with the distance, lunar eclipses
// with their contacts and the visibility at the observer's place, and the equinoxes and
// solstices. Each is given at the minute the almanac's tables show it, turned into Universal
// Time; its UID is its kind and that minute, so the same event exported again keeps its UID.
//
//   const std::string ics = AlmanacCalendar(2026, 2026, observer, CalendarAllKinds, stampUtc);

#include <string>
#include <vector>

#include "engine/ical_writer.h"
#include "engine/observer.h"

// Which kinds of events go into the calendar (bits, combined with |).
inline constexpr unsigned CalendarPhases = 1;
inline constexpr unsigned CalendarApsides = 2;
inline constexpr unsigned CalendarEclipses = 4;
inline constexpr unsigned CalendarSeasons = 8;
inline constexpr unsigned CalendarAllKinds = 15;

// The events whose local civil instants fall from 1 January of `from` to 31 December of `to`,
// in time order. Empty when to < from.
[[nodiscard]] std::vector<TCalendarEvent>
AlmanacCalendarEvents(int from, int to, const TObserver& observer, unsigned kinds);

// The calendar text of those events, named "Tidewell YEAR" (or "Tidewell YEAR-YEAR2").
[[nodiscard]] std::string AlmanacCalendar(int from, int to, const TObserver& observer,
                                          unsigned kinds, const TDateRec& stampUtc);
