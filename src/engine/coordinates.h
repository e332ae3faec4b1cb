// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Equatorial radius of the Earth, km (IAU 1976; Meeus, Astronomical Algorithms, ch. 11).
inline constexpr double EarthRadiusKm = 6378.14;

// Right ascension and declination.
struct [[nodiscard]] TEquatorial {
    double RADeg = 0.0;  // right ascension in degrees, 0..360
    double DecDeg = 0.0; // declination in degrees, -90..+90
};

// Ecliptic to equatorial coordinates (Meeus, Astronomical Algorithms, eqs. 13.3 and 13.4).
// All three arguments in radians: the obliquity, the latitude and the longitude.
[[nodiscard]] TEquatorial EclipticToEquatorial(double obliquity, double latitude, double longitude);

// Altitude and azimuth of a body, degrees.
struct [[nodiscard]] THorizontal {
    double AltitudeDeg = 0.0; // no refraction
    double AzimuthDeg = 0.0;  // from North through East, 0..360
};

// Altitude in degrees from the hour angle, the declination and the observer's latitude, all
// in radians (Meeus, eq. 13.6).
[[nodiscard]] double AltitudeFromHourAngle(double hourAngle, double declination, double latitude);

// The same from the sines and cosines, for a loop that keeps those of the latitude at hand.
[[nodiscard]] double AltitudeFromSines(double cosHourAngle, double sinDeclination,
                                       double cosDeclination, double sinLatitude,
                                       double cosLatitude);

// Altitude and azimuth (Meeus, eqs. 13.5 and 13.6; the azimuth turned to count from North).
[[nodiscard]] THorizontal HorizontalFromHourAngle(double hourAngle, double declination,
                                                  double latitude);
