// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The day's interpolated place that rising and setting work from (Meeus, Astronomical
// Algorithms, ch. 15), shared by the refinement and by the scan of the day. Internal to the
// engine's rise and set code.

#include "engine/coordinates.h"
#include "engine/observer.h"
#include "engine/rise_set.h"

// Everything the rise and set computation needs, fixed for the day.
struct TDayData {
    double Alpha[3]; // right ascensions at -1, 0, +1 day, made continuous
    double Delta[3]; // declinations
    double Theta0;   // sidereal time at 0h UT, degrees
    double L;        // observer's longitude, degrees, positive west
    double Phi;      // observer's latitude, radians
    double SinPhi;   // of the observer's latitude
    double CosPhi;
    double DeltaTDays;
    double H0; // standard altitude, degrees
    double SinH0;
};

[[nodiscard]] TDayData MakeDayData(const TEquatorial& dayBefore, const TEquatorial& day,
                                   const TEquatorial& dayAfter, double deltaT, double h0,
                                   double jd0, const TObserver& observer);

// The rate of the sidereal time, degrees per day of UT (Meeus, ch. 15).
inline constexpr double SiderealDegreesPerDay = 360.985647;

// Right ascension and declination (degrees) interpolated at m days after 0h UT, the place
// taken at the dynamical time m + deltaT.
[[nodiscard]] double RightAscensionAt(const TDayData& day, double m);
[[nodiscard]] double DeclinationAt(const TDayData& day, double m);

// Hour angle reduced once into -180..180 and declination, degrees, at m days after 0h UT.
struct THourAngleAt {
    double HourAngleDeg;
    double DeclinationDeg;
};
[[nodiscard]] THourAngleAt HourAngleAt(const TDayData& day, double m);

// Hour angle in degrees at m days after 0h UT, not reduced: it grows steadily through the
// day, by 360 from one transit to the next.
[[nodiscard]] double UnreducedHourAngle(const TDayData& day, double m);

// Cosine of the hour angle at which a body of declination dec (radians) stands at h0 (Meeus,
// eq. 15.1); beyond -1..1 it never reaches h0.
[[nodiscard]] double CosHourAngleAtH0(const TDayData& day, double dec);
// The same from the declination's sine and cosine.
[[nodiscard]] double CosHourAngleAtH0(const TDayData& day, double sinDec, double cosDec);

// Altitude at m days after 0h UT from the interpolated place, with the hour angle (radians)
// and the cosine of the declination it was found from.
struct TAltitudeAt {
    double Degrees;
    double HourAngleRad;
    double CosDec;
};
[[nodiscard]] TAltitudeAt AltitudeAt(const TDayData& day, double m);

// Altitude above h0 (degrees) at m days after 0h UT.
[[nodiscard]] double AboveH0(const TDayData& day, double m);

// An event shown at the local time y, hours 0..24 with half a minute added so that the
// truncated minute is the rounded one; localJD is its local civil JD.
[[nodiscard]] TRiseSetEvent ShownEvent(double y, double localJD);
