#pragma once

#include "engine/text_helpers.h"

// Right ascension and declination, as numbers and as display texts.
struct [[nodiscard]] TEquatorial {
    TSexagesimal RAText;  // right ascension in hours
    TSexagesimal DecText; // declination in degrees
    double RADeg = 0.0;   // right ascension in degrees, 0..360
    double DecDeg = 0.0;  // declination in degrees, -90..+90
};

// Ecliptic to equatorial coordinates (Meeus, Astronomical Algorithms, eqs. 13.3 and 13.4).
// All three arguments in radians: the obliquity, the latitude and the longitude.
[[nodiscard]] TEquatorial EclipticToEquatorial(double obliquity, double latitude, double longitude);
