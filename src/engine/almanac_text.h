#pragma once

#include <string>

#include "engine/rise_set.h"

// The texts the windows and the almanac show, made from the engine's numbers. Every display
// text of a time, rise/set event, apsis or eclipse is formed here and nowhere else.

// "HH:MM" of a minute of the day (0..1440).
[[nodiscard]] std::string ClockText(int minuteOfDay);

// "HH:MM" of an event that occurs, NoEventText for one not on this day, NeverText for a body
// that stays above or below the altitude.
[[nodiscard]] std::string EventTimeText(const TRiseSetEvent& event);

[[nodiscard]] TRiseSetText RiseSetText(const TRiseSetTimes& times);

// Local mean sidereal time "HH:MM:SS" of a moment in Universal Time (JD) for an observer at a
// longitude in radians, positive west.
[[nodiscard]] std::string LocalSiderealTimeText(double jd, double longitudeWestRad);
