// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/nutation.h"

// What the Moon's position has worked out and the physical ephemeris builds on.
struct TLunarGeometry {
    double T = 0.0;                       // Julian centuries since J2000.0
    double D = 0.0;                       // mean elongation, radians, 0..2pi
    double M = 0.0;                       // the Sun's mean anomaly, radians, 0..2pi
    double MPrime = 0.0;                  // the Moon's mean anomaly, radians, 0..2pi
    double F = 0.0;                       // the Moon's argument of latitude, radians, 0..2pi
    double E = 1.0;                       // eccentricity factor of the Earth's orbit
    double Obliquity = 0.0;               // true obliquity, radians
    TNutation Nutation;                   // arcseconds
    double Longitude = 0.0;               // the Moon's geometric longitude, radians
    double Latitude = 0.0;                // the Moon's latitude, radians
    double DistanceKm = 0.0;              // Earth-Moon distance
    double ParallaxDeg = 0.0;             // equatorial horizontal parallax
    double RADeg = 0.0;                   // geocentric apparent right ascension
    double DecDeg = 0.0;                  // geocentric apparent declination
    double HourAngleDeg = 0.0;            // geocentric hour angle, -180..+180
    double ObserverLatitude = 0.0;        // radians
    double SunApparentLongitudeDeg = 0.0; // the Sun's apparent longitude
    double SunDistanceKm = 0.0;
};

// The librations and the axis as seen from the Earth's centre, degrees.
struct [[nodiscard]] TGeocentricLibration {
    double OpticalLong = 0.0;  // l', reduced to -180..+180
    double OpticalLat = 0.0;   // b'
    double PhysicalLong = 0.0; // l''
    double PhysicalLat = 0.0;  // b''
    double Long = 0.0;         // l = l' + l''
    double Lat = 0.0;          // b = b' + b''
    double AxisAngle = 0.0;    // P, -180..+180
    // Intermediate quantities the topocentric and the solar parts reuse.
    double Rho = 0.0;     // physical libration series, degrees
    double Sigma = 0.0;   // degrees
    double Tau = 0.0;     // degrees
    double NodeRad = 0.0; // longitude of the mean ascending node, radians, not reduced
    double OpticalLatRad = 0.0;
};

// Results for the observer; angles in degrees except SubSolarLatRad.
struct [[nodiscard]] TPhysicalEphemeris {
    double LibrationLat = 0.0;   // topocentric total libration in latitude
    double LibrationLong = 0.0;  // topocentric total libration in longitude, near -180..+180
    double AxisAngle = 0.0;      // topocentric position angle of the axis, 0..360
    double Colongitude = 0.0;    // the Sun's selenographic colongitude, 0..360
    double SubSolarLatRad = 0.0; // the Sun's selenographic latitude, RADIANS
};

// Librations and position angle of the axis for the Earth's centre (Meeus, Astronomical
// Algorithms, ch. 53).
[[nodiscard]] TGeocentricLibration GeocentricLibration(const TLunarGeometry& geometry);

// The physical ephemeris for the observer (Meeus, ch. 53, with its topocentric corrections)
// and the Sun's selenographic position.
[[nodiscard]] TPhysicalEphemeris PhysicalEphemeris(const TLunarGeometry& geometry);
