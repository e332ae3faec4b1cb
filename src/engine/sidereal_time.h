// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Julian centuries of 36525 days since J2000.0 (JD 2451545.0).
[[nodiscard]] double CenturiesSinceJ2000(double jd);

// Greenwich mean sidereal time at 0h UT of a day, degrees 0..360 (Meeus, ch. 12, eq. 12.3).
// The argument must be the JD of the day's 0h.
[[nodiscard]] double SiderealTime0h(double jd);

// Greenwich mean sidereal time at any instant, degrees 0..360 (Meeus, ch. 12, eq. 12.4).
// No nutation in right ascension is added: hour angles throughout use mean sidereal time.
[[nodiscard]] double SiderealTimeAt(double jd);

// Local mean sidereal time, degrees 0..360, of a moment in Universal Time for an observer at a
// longitude in radians, positive west (Meeus, ch. 12).
[[nodiscard]] double LocalSiderealTimeDeg(double jd, double longitudeWestRad);
