// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/observer.h"

#include <cmath>

// Shared by the engine tests.

inline TDateRec Date(int year, int month, int day, int hour = 0, int minute = 0) {
    return MakeDate(year, month, day, hour, minute);
}

// The difference of two angles in degrees, wrapped into -180..180.
inline double AngleDiff(double a, double b) {
    return std::remainder(a - b, 360.0);
}

// An observer at a latitude and an east-positive longitude (degrees), zone in minutes.
inline TObserver Place(double latDeg, double eastLonDeg, int zoneMinutes, int dstMinutes = 0) {
    TObserver o;
    o.ObserverLatitude = DegToRad(latDeg);
    o.ObserverLongitude = DegToRad(-eastLonDeg);
    o.Zone = TObserverZone::Fixed(zoneMinutes, dstMinutes);
    return o;
}

// An observer at an east-positive longitude and a latitude (degrees), in UT.
inline TObserver At(double eastLongitudeDeg, double northLatitudeDeg) {
    return Place(northLatitudeDeg, eastLongitudeDeg, 0);
}
