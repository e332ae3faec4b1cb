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
    out.RAText = HoursToSexagesimal(out.RADeg / 15.0, 24);
    const double sinDec =
        std::sin(latitude) * cosEps + std::cos(latitude) * sinEps * std::sin(longitude);
    out.DecDeg = RadToDeg(std::asin(std::clamp(sinDec, -1.0, 1.0)));
    out.DecText = HoursToSexagesimal(out.DecDeg);
    return out;
}

double AltitudeFromHourAngle(double hourAngle, double declination, double latitude) {
    const double sinAlt = std::sin(latitude) * std::sin(declination) +
                          std::cos(latitude) * std::cos(declination) * std::cos(hourAngle);
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
