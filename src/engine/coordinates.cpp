// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/coordinates.h"

#include <algorithm>
#include <cmath>

#include "engine/angles.h"

TEquatorial EclipticToEquatorial(double obliquity, double latitude, double longitude) {
    const double sinEps = std::sin(obliquity);
    const double cosEps = std::cos(obliquity);
    TEquatorial out;
    out.RADeg = Normalize360(RadToDeg(std::atan2(
        std::sin(longitude) * cosEps - std::tan(latitude) * sinEps, std::cos(longitude))));
    const double sinDec =
        std::sin(latitude) * cosEps + std::cos(latitude) * sinEps * std::sin(longitude);
    out.DecDeg = RadToDeg(std::asin(std::clamp(sinDec, -1.0, 1.0)));
    return out;
}

double AltitudeFromHourAngle(double hourAngle, double declination, double latitude) {
    return AltitudeFromSines(std::cos(hourAngle), std::sin(declination), std::cos(declination),
                             std::sin(latitude), std::cos(latitude));
}

double AltitudeFromSines(double cosHourAngle, double sinDeclination, double cosDeclination,
                         double sinLatitude, double cosLatitude) {
    const double sinAlt =
        sinLatitude * sinDeclination + cosLatitude * cosDeclination * cosHourAngle;
    return RadToDeg(std::asin(std::clamp(sinAlt, -1.0, 1.0)));
}

THorizontal HorizontalFromHourAngle(double hourAngle, double declination, double latitude) {
    THorizontal out;
    out.AltitudeDeg = AltitudeFromHourAngle(hourAngle, declination, latitude);
    out.AzimuthDeg = Normalize360(
        RadToDeg(std::atan2(std::sin(hourAngle), std::cos(hourAngle) * std::sin(latitude) -
                                                     std::tan(declination) * std::cos(latitude))) -
        180.0);
    return out;
}
