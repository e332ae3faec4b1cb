#pragma once

#include <cstdint>

#include "engine/angles.h"
#include "engine/date_time.h"
#include "engine/observer.h"

inline TDateRec Date(int year, int month, int day, int hour = 0, int minute = 0) {
    TDateRec d;
    d.Year = static_cast<std::uint16_t>(year);
    d.Month = static_cast<std::uint16_t>(month);
    d.Day = static_cast<std::uint16_t>(day);
    d.Hour = static_cast<std::uint16_t>(hour);
    d.Minute = static_cast<std::uint16_t>(minute);
    return d;
}

// An observer at a latitude and an east-positive longitude (degrees), zone in minutes.
inline TObserver Place(double latDeg, double eastLonDeg, int zoneMinutes, int dstMinutes = 0) {
    TObserver o;
    o.ObserverLatitude = DegToRad(latDeg);
    o.ObserverLongitude = DegToRad(-eastLonDeg);
    o.ZoneMinutes = zoneMinutes;
    o.DstMinutes = dstMinutes;
    return o;
}
